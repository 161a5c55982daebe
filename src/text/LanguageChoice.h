#pragma once

#include "core/OptionSettings.h"
#include "text/FontProbe.h"

#include <QLocale>
#include <QString>

namespace plimset {

// The language the interface speaks. English is the source language of every text; every
// other language has a catalogue of translations.
enum class InterfaceLanguage { English, Japanese };

// The language the option gives: the chosen one, or the locale's.
InterfaceLanguage LanguageFor(LanguageSetting languageOption, const QLocale& locale);

// The name the catalogues and Qt's own translations carry for a language ("ja"), or "" for
// English, which needs none.
QString CatalogueName(InterfaceLanguage language);

// Whether the interface can show Japanese: one of the two named faces, else any font that
// covers Japanese (desktops other than the one the texts were laid out on rarely carry the
// named faces, and a Japanese user must not lose the language for that).
bool JapaneseFontInstalled(const FontProbe& probe);

struct LanguageChoice {
    InterfaceLanguage Interface;
    LanguageSetting Language; // the option as it now stands in memory (English when forced)
    bool NonJapanese;         // no Japanese font: the language choice is to be disabled
};

// The start-up language choice: the language from the option and the locale, then the font
// probe, which forces English when no font can show Japanese. The probe runs whatever the
// option says, so the marker is set on every system without the fonts.
LanguageChoice ChooseLanguage(LanguageSetting languageOption, const QLocale& locale,
                              const FontProbe& probe);

} // namespace plimset
