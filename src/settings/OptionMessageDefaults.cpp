#include "settings/OptionTable.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <optional>

namespace plimset {

// The file keeps English and Japanese alert texts under keys of their own, whatever the
// interface speaks; these are their values where the file has none. The English ones are
// marked for the catalogues too, so that a translator sees them with the interface.
MessageTextDefaults DefaultMessageTexts() {
    MessageTextDefaults defaults;
    defaults.A1_E = QString::fromUtf8(QT_TRANSLATE_NOOP("AlertTexts", "The set time has come."));
    defaults.A1_J = QStringLiteral("設定した時間になりました。");
    defaults.C1_E = QString::fromUtf8(QT_TRANSLATE_NOOP("AlertTexts", "The countdown ended."));
    defaults.C2_E = QString::fromUtf8(QT_TRANSLATE_NOOP("AlertTexts", "Click on the stop button."));
    defaults.C1_J = QStringLiteral("カウントダウンが終了しました。");
    defaults.C2_J = QStringLiteral("停止ボタンを押して下さい。");
    return defaults;
}

namespace {

// The English defaults with their translations in the catalogue in use.
template <class Visit> QString withEachDefault(Visit visit, const QString& otherwise) {
    const MessageTextDefaults defaults = DefaultMessageTexts();
    for (const QString* english : {&defaults.A1_E, &defaults.C1_E, &defaults.C2_E}) {
        const QString shown =
            QCoreApplication::translate("AlertTexts", english->toUtf8().constData());
        if (const std::optional<QString> found = visit(*english, shown))
            return *found;
    }
    return otherwise;
}

} // namespace

QString ShownEnglishAlertText(const QString& stored) {
    return withEachDefault(
        [&](const QString& english, const QString& shown) {
            return stored == english ? std::optional(shown) : std::nullopt;
        },
        stored);
}

QString StoredEnglishAlertText(const QString& shown) {
    return withEachDefault(
        [&](const QString& english, const QString& translation) {
            return shown == translation ? std::optional(english) : std::nullopt;
        },
        shown);
}

OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile) {
    return LoadOptionSettings(file, defaultSoundFile, DefaultMessageTexts());
}

} // namespace plimset
