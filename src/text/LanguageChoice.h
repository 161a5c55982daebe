#pragma once

#include "text/FontProbe.h"

#include <QLocale>
#include <QString>

namespace plimset {

// The language offset the Language option gives: 1 English, 2 Japanese, 0 the locale's
// language; any other value keeps the current offset.
qint16 LanguageOffsetFor(qint16 languageOption, const QLocale& locale, qint16 currentOffset);

// Whether the interface can show Japanese: one of the two named faces, else any font that
// covers Japanese (desktops other than the one the texts were laid out on rarely carry the
// named faces, and a Japanese user must not lose the language for that).
bool JapaneseFontInstalled(const FontProbe& probe);

struct LanguageChoice {
    qint16 LanguageOffset;
    qint16 Language;  // the option as it now stands in memory (1 when English was forced)
    bool NonJapanese; // no Japanese font: the language choice is to be disabled
};

// The start-up language choice: the offset from the option and the locale, then the font
// probe, which forces English (option 1, offset 0) when no font can show Japanese. The probe
// runs whatever the option says, so the marker is set on every system without the fonts.
LanguageChoice ChooseLanguage(qint16 languageOption, const QLocale& locale, const FontProbe& probe,
                              qint16 currentOffset = 0);

} // namespace plimset
