#include "text/LanguageChoice.h"

#include <QStringList>

#include <optional>

namespace plimset {

namespace {

// A locale name's language with a catalogue: "de_DE.UTF-8@euro" is German, "zh_CN" and
// "zh" Simplified Chinese, "zh_TW" (written in traditional characters) none. Also the
// names Qt writes ("zh-Hans-CN"). English is always at hand.
std::optional<InterfaceLanguage> CatalogueLanguage(const QString& localeName) {
    QString name = localeName.section(u'.', 0, 0).section(u'@', 0, 0).toLower();
    const QStringList parts = name.replace(u'-', u'_').split(u'_');
    const QString code = parts.first();
    const QString rest = parts.mid(1).join(u'_');
    if (code == u"en")
        return InterfaceLanguage::English;
    if (code == u"ja")
        return InterfaceLanguage::Japanese;
    if (code == u"de")
        return InterfaceLanguage::German;
    if (code == u"fr")
        return InterfaceLanguage::French;
    if (code == u"es")
        return InterfaceLanguage::Spanish;
    if (code == u"zh" && !rest.contains(u"hant") && !rest.contains(u"tw") &&
        !rest.contains(u"hk") && !rest.contains(u"mo"))
        return InterfaceLanguage::SimplifiedChinese;
    return std::nullopt;
}

} // namespace

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
        if (const auto language = CatalogueLanguage(name))
            return *language;
    }
    return InterfaceLanguage::English;
}

InterfaceLanguage LanguageFor(LanguageSetting languageOption, InterfaceLanguage sessionLanguage) {
    switch (languageOption) {
    case LanguageSetting::System:
        return sessionLanguage;
    case LanguageSetting::English:
        return InterfaceLanguage::English;
    case LanguageSetting::Japanese:
        return InterfaceLanguage::Japanese;
    case LanguageSetting::German:
        return InterfaceLanguage::German;
    case LanguageSetting::French:
        return InterfaceLanguage::French;
    case LanguageSetting::Spanish:
        return InterfaceLanguage::Spanish;
    case LanguageSetting::SimplifiedChinese:
        return InterfaceLanguage::SimplifiedChinese;
    }
    return sessionLanguage;
}

QString CatalogueName(InterfaceLanguage language) {
    switch (language) {
    case InterfaceLanguage::English:
        break;
    case InterfaceLanguage::Japanese:
        return QStringLiteral("ja");
    case InterfaceLanguage::German:
        return QStringLiteral("de");
    case InterfaceLanguage::French:
        return QStringLiteral("fr");
    case InterfaceLanguage::Spanish:
        return QStringLiteral("es");
    case InterfaceLanguage::SimplifiedChinese:
        return QStringLiteral("zh_CN");
    }
    return QString();
}

bool JapaneseFontInstalled(const FontProbe& probe) {
    return probe.HasFamily(QString::fromUtf16(JapanesePreferredFamily)) ||
           probe.HasFamily(QString::fromUtf16(JapaneseFallbackFamily)) || probe.HasJapaneseFont();
}

LanguageChoice ChooseLanguage(LanguageSetting languageOption, InterfaceLanguage sessionLanguage,
                              const FontProbe& probe) {
    LanguageChoice choice{LanguageFor(languageOption, sessionLanguage), languageOption,
                          !JapaneseFontInstalled(probe)};
    if (choice.NonJapanese && choice.Interface == InterfaceLanguage::Japanese) {
        choice.Interface = InterfaceLanguage::English;
        choice.Language = LanguageSetting::English;
    }
    return choice;
}

} // namespace plimset
