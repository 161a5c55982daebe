#include "desktop/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <cstdio>

namespace plimset {

QtTranslation::QtTranslation(QString folder) : folder_(std::move(folder)) {}

QtTranslation::~QtTranslation() {
    UseLanguage(QString());
}

QString QtTranslation::DefaultFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

void QtTranslation::UseLanguage(const QString& language) {
    const QString wanted = language == u"en" ? QString() : language;
    if (wanted == language_)
        return;
    language_ = wanted;
    if (catalogueInstalled_)
        QCoreApplication::removeTranslator(&catalogue_);
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
    catalogueInstalled_ = installed_ = false;
    if (wanted.isEmpty())
        return;
    // The build compiles every catalogue of translations/ in under this prefix.
    if (catalogue_.load(QStringLiteral(":/i18n/plimset_") + wanted))
        catalogueInstalled_ = QCoreApplication::installTranslator(&catalogue_);
    const QString name = QStringLiteral("qtbase_") + wanted;
    if (!translator_.load(name, folder_)) {
        if (!reported_)
            std::fprintf(stderr,
                         "plimset: Qt's translation %s is not in %s (package "
                         "qt6-translations-l10n), so standard buttons stay in English\n",
                         qPrintable(name), qPrintable(folder_));
        reported_ = true;
        return;
    }
    installed_ = QCoreApplication::installTranslator(&translator_);
}

} // namespace plimset
