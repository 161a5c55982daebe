#pragma once

#include "core/OptionSettings.h"
#include "text/FontProbe.h"

#include <QLocale>
#include <QString>

namespace plimset {

// The language offset the language option gives: the chosen language's, or the locale's.
qint16 LanguageOffsetFor(LanguageSetting languageOption, const QLocale& locale);

// Whether the interface can show Japanese: one of the two named faces, else any font that
// covers Japanese (desktops other than the one the texts were laid out on rarely carry the
// named faces, and a Japanese user must not lose the language for that).
bool JapaneseFontInstalled(const FontProbe& probe);

struct LanguageChoice {
    qint16 LanguageOffset;
    LanguageSetting Language; // the option as it now stands in memory (English when forced)
    bool NonJapanese;         // no Japanese font: the language choice is to be disabled
};

// The start-up language choice: the offset from the option and the locale, then the font
// probe, which forces English when no font can show Japanese. The probe runs whatever the
// option says, so the marker is set on every system without the fonts.
LanguageChoice ChooseLanguage(LanguageSetting languageOption, const QLocale& locale,
                              const FontProbe& probe);

} // namespace plimset
