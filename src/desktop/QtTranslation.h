#pragma once

#include <QString>
#include <QTranslator>

namespace plimset {

// Qt's own texts (the standard buttons of message boxes, the edit boxes' context menus) in
// the interface's language, from the translations Qt installs. Installed into the
// application while a language other than English is in use; removed when it goes.
class QtTranslation {
public:
    explicit QtTranslation(QString folder = DefaultFolder());
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Uses the translation of a language ("ja"); "" or "en" go back to Qt's English. Where
    // the translation is not installed, it is said once on standard error and Qt's texts
    // stay English.
    void UseLanguage(const QString& language);

    // Where Qt's installation keeps its translations.
    static QString DefaultFolder();

private:
    QString folder_;
    QString language_; // the one in use, "" for English
    QTranslator translator_;
    bool installed_ = false;
    bool reported_ = false;
};

} // namespace plimset
