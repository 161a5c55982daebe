#pragma once

#include <QString>
#include <QTranslator>

namespace plimset {

// The interface's texts in its language: the program's catalogue, compiled into it, and
// Qt's own texts (the standard buttons of message boxes, the edit boxes' context menus) from
// the translations Qt installs. Installed into the application while a language other than
// English is in use; removed when it goes.
class QtTranslation {
public:
    explicit QtTranslation(QString folder = DefaultFolder());
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Uses the translations of a language ("ja"); "" or "en" go back to English, the
    // language the texts are written in. Where Qt's translation is not installed, it is said
    // once on standard error and Qt's texts stay English.
    void UseLanguage(const QString& language);

    // Where Qt's installation keeps its translations.
    static QString DefaultFolder();

private:
    QString folder_;
    QString language_;       // the one in use, "" for English
    QTranslator catalogue_;  // the program's texts
    QTranslator translator_; // Qt's texts
    bool catalogueInstalled_ = false;
    bool installed_ = false;
    bool reported_ = false;
};

} // namespace plimset
