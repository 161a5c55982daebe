#include "text/LanguageChoice.h"

#include "text/StringTable.h"

namespace plimset {

qint16 LanguageOffsetFor(qint16 languageOption, const QLocale& locale, qint16 currentOffset) {
    switch (languageOption) {
    case 0:
        return locale.language() == QLocale::Japanese ? JapaneseOffset : EnglishOffset;
    case 1:
        return EnglishOffset;
    case 2:
        return JapaneseOffset;
    default:
        return currentOffset;
    }
}

bool JapaneseFontInstalled(const FontProbe& probe) {
    return probe.HasFamily(QString::fromUtf16(JapanesePreferredFamily)) ||
           probe.HasFamily(QString::fromUtf16(JapaneseFallbackFamily)) || probe.HasJapaneseFont();
}

LanguageChoice ChooseLanguage(qint16 languageOption, const QLocale& locale, const FontProbe& probe,
                              qint16 currentOffset) {
    LanguageChoice choice{LanguageOffsetFor(languageOption, locale, currentOffset), languageOption,
                          false};
    if (!JapaneseFontInstalled(probe)) {
        choice.LanguageOffset = EnglishOffset;
        choice.Language = 1;
        choice.NonJapanese = true;
    }
    return choice;
}

} // namespace plimset
