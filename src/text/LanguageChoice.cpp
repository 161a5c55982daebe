#include "text/LanguageChoice.h"

namespace plimset {

InterfaceLanguage LanguageFor(LanguageSetting languageOption, const QLocale& locale) {
    switch (languageOption) {
    case LanguageSetting::English:
        return InterfaceLanguage::English;
    case LanguageSetting::Japanese:
        return InterfaceLanguage::Japanese;
    case LanguageSetting::System:
        break;
    }
    return locale.language() == QLocale::Japanese ? InterfaceLanguage::Japanese
                                                  : InterfaceLanguage::English;
}

QString CatalogueName(InterfaceLanguage language) {
    return language == InterfaceLanguage::Japanese ? QStringLiteral("ja") : QString();
}

bool JapaneseFontInstalled(const FontProbe& probe) {
    return probe.HasFamily(QString::fromUtf16(JapanesePreferredFamily)) ||
           probe.HasFamily(QString::fromUtf16(JapaneseFallbackFamily)) || probe.HasJapaneseFont();
}

LanguageChoice ChooseLanguage(LanguageSetting languageOption, const QLocale& locale,
                              const FontProbe& probe) {
    LanguageChoice choice{LanguageFor(languageOption, locale), languageOption, false};
    if (!JapaneseFontInstalled(probe)) {
        choice.Interface = InterfaceLanguage::English;
        choice.Language = LanguageSetting::English;
        choice.NonJapanese = true;
    }
    return choice;
}

} // namespace plimset
