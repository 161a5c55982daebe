#include "text/LanguageChoice.h"

#include "text/StringTable.h"

namespace plimset {

qint16 LanguageOffsetFor(LanguageSetting languageOption, const QLocale& locale) {
    switch (languageOption) {
    case LanguageSetting::English:
        return EnglishOffset;
    case LanguageSetting::Japanese:
        return JapaneseOffset;
    case LanguageSetting::System:
        break;
    }
    return locale.language() == QLocale::Japanese ? JapaneseOffset : EnglishOffset;
}

bool JapaneseFontInstalled(const FontProbe& probe) {
    return probe.HasFamily(QString::fromUtf16(JapanesePreferredFamily)) ||
           probe.HasFamily(QString::fromUtf16(JapaneseFallbackFamily)) || probe.HasJapaneseFont();
}

LanguageChoice ChooseLanguage(LanguageSetting languageOption, const QLocale& locale,
                              const FontProbe& probe) {
    LanguageChoice choice{LanguageOffsetFor(languageOption, locale), languageOption, false};
    if (!JapaneseFontInstalled(probe)) {
        choice.LanguageOffset = EnglishOffset;
        choice.Language = LanguageSetting::English;
        choice.NonJapanese = true;
    }
    return choice;
}

} // namespace plimset
