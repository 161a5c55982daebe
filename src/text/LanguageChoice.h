#pragma once

#include "core/OptionSettings.h"
#include "text/FontProbe.h"

#include <QString>

#include <span>

namespace plimset {

// The language the interface speaks. English is the source language of every text; every
// other language has a catalogue of translations.
enum class InterfaceLanguage { English, Japanese, German, French, Spanish, SimplifiedChinese };

// A language with a catalogue: the Language option that chooses it, the name its catalogue
// and Qt's own translations carry ("" for English, which needs none) and its name in itself.
struct CatalogueLanguage {
    InterfaceLanguage language;
    LanguageSetting option;
    const char* code;
    const char16_t* ownName;
};

// Every language of the interface, in the order of the Language option; a new one is a
// row at the end, with its own enumerators.
std::span<const CatalogueLanguage> InterfaceLanguages();

// The environment values the session's language is read from, as Qt reads them.
struct LocaleEnvironment {
    QString language;   // LANGUAGE: a list of languages separated by colons
    QString lcAll;      // LC_ALL
    QString lcMessages; // LC_MESSAGES
    QString lang;       // LANG
};

// The values of this process's environment.
LocaleEnvironment ProcessLocaleEnvironment();

// The session's language: the first of LANGUAGE's list, else of LC_ALL, LC_MESSAGES and
// LANG the first that is set, that has a catalogue ("de_DE.UTF-8" is German, "zh_TW" no
// language of ours); English, the texts' own language, when none has one.
InterfaceLanguage SessionLanguage(const LocaleEnvironment& environment);

// The language the option gives: the chosen one, or the session's.
InterfaceLanguage LanguageFor(LanguageSetting languageOption, InterfaceLanguage sessionLanguage);

// The name the catalogues and Qt's own translations carry for a language ("ja", "zh_CN"),
// or "" for English, which needs none.
QString CatalogueName(InterfaceLanguage language);

// Whether the interface can show Japanese: one of the two named faces, else any font that
// covers Japanese (desktops other than the one the texts were laid out on rarely carry the
// named faces, and a Japanese user must not lose the language for that).
bool JapaneseFontInstalled(const FontProbe& probe);

struct LanguageChoice {
    InterfaceLanguage Interface;
    LanguageSetting Language; // the option as it now stands in memory (English when forced)
    bool NonJapanese;         // no Japanese font: Japanese is not to be offered
};

// The start-up language choice: the language from the option and the session, then the
// font probe, which turns Japanese into English when no font can show it. The probe runs
// whatever the option says, so the marker is set on every system without the fonts.
LanguageChoice ChooseLanguage(LanguageSetting languageOption, InterfaceLanguage sessionLanguage,
                              const FontProbe& probe);

} // namespace plimset
