#include "text/LanguageChoice.h"

#include <QStringList>

#include <optional>

namespace plimset {

namespace {

using enum InterfaceLanguage;

constexpr CatalogueLanguage Languages[] = {
    {English, LanguageSetting::English, "", u"English"},
    {Japanese, LanguageSetting::Japanese, "ja", u"日本語"},
    {German, LanguageSetting::German, "de", u"Deutsch"},
    {French, LanguageSetting::French, "fr", u"Français"},
    {Spanish, LanguageSetting::Spanish, "es", u"Español"},
    {SimplifiedChinese, LanguageSetting::SimplifiedChinese, "zh_CN", u"简体中文"},
};
// A language's row is found by its position.
static_assert([] {
    int position = 0;
    for (const CatalogueLanguage& l : Languages) {
        if (static_cast<int>(l.language) != position++)
            return false;
    }
    return true;
}());

// A locale name's language with a catalogue: "de_DE.UTF-8@euro" is German, "zh_CN" and
// "zh" Simplified Chinese, "zh_TW" (written in traditional characters) none; also the
// names Qt writes ("zh-Hans-CN"). English is always at hand.
std::optional<InterfaceLanguage> LanguageOfLocale(const QString& localeName) {
    QString name = localeName.section(u'.', 0, 0).section(u'@', 0, 0).toLower();
    const QStringList parts = name.replace(u'-', u'_').split(u'_');
    if (parts.first() == u"en")
        return English;
    if (parts.first() == u"zh") {
        for (const char* traditional : {"hant", "tw", "hk", "mo"}) {
            if (parts.contains(QLatin1String(traditional)))
                return std::nullopt;
        }
    }
    for (const CatalogueLanguage& l : Languages) {
        if (*l.code && parts.first() == QString::fromLatin1(l.code).section(u'_', 0, 0))
            return l.language;
    }
    return std::nullopt;
}

} // namespace

std::span<const CatalogueLanguage> InterfaceLanguages() {
    return Languages;
}

LocaleEnvironment ProcessLocaleEnvironment() {
    return {qEnvironmentVariable("LANGUAGE"), qEnvironmentVariable("LC_ALL"),
            qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG")};
}

InterfaceLanguage SessionLanguage(const LocaleEnvironment& e) {
    // Qt's reading: LANGUAGE's list when it names any, else the messages' locale, which
    // LC_ALL overrides and LANG stands in for.
    QStringList names = e.language.split(u':', Qt::SkipEmptyParts);
    if (names.isEmpty()) {
        const QString& messages = !e.lcAll.isEmpty()        ? e.lcAll
                                  : !e.lcMessages.isEmpty() ? e.lcMessages
                                                            : e.lang;
        names = {messages};
    }
    for (const QString& name : names) {
        if (const auto language = LanguageOfLocale(name))
            return *language;
    }
    return InterfaceLanguage::English;
}

InterfaceLanguage LanguageFor(LanguageSetting languageOption, InterfaceLanguage sessionLanguage) {
    for (const CatalogueLanguage& l : Languages) {
        if (l.option == languageOption)
            return l.language;
    }
    return sessionLanguage; // System Default
}

QString CatalogueName(InterfaceLanguage language) {
    return QLatin1String(Languages[static_cast<int>(language)].code);
}

bool JapaneseFontInstalled(const FontProbe& probe) {
    return probe.HasFamily(QString::fromUtf16(JapanesePreferredFamily)) ||
           probe.HasFamily(QString::fromUtf16(JapaneseFallbackFamily)) || probe.HasJapaneseFont();
}

LanguageChoice ChooseLanguage(LanguageSetting languageOption, InterfaceLanguage sessionLanguage,
                              const FontProbe& probe) {
    LanguageChoice choice{LanguageFor(languageOption, sessionLanguage), languageOption,
                          !JapaneseFontInstalled(probe)};
    if (choice.NonJapanese && choice.Interface == Japanese) {
        choice.Interface = English;
        choice.Language = LanguageSetting::English;
    }
    return choice;
}

} // namespace plimset
