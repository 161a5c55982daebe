#include "text/LanguageChoice.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

struct FakeFontProbe : FontProbe {
    FakeFontProbe(const QString& family, bool japanese) : Family(family), Japanese(japanese) {}
    QString Family;
    bool Japanese;
    bool HasFamily(const QString& family) const override { return family == Family; }
    bool HasJapaneseFont() const override { return Japanese; }
};

using enum InterfaceLanguage;

TEST(SessionLanguage, FirstOfTheSessionsLanguagesWithACatalogueAsQtReadsThem) {
    struct Case {
        LocaleEnvironment environment; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        InterfaceLanguage language;
    };
    const Case cases[] = {
        {{"", "", "", "de_DE.UTF-8"}, German},
        {{"", "", "", "ja_JP.eucJP"}, Japanese},
        {{"", "", "", "fr_CA.UTF-8@euro"}, French},
        {{"", "", "", "es"}, Spanish},
        {{"", "", "", "zh_CN.UTF-8"}, SimplifiedChinese},
        {{"", "", "", "zh_SG"}, SimplifiedChinese},
        {{"", "", "", "zh_TW.UTF-8"}, English}, // traditional characters: no catalogue
        {{"", "", "", "pt_BR.UTF-8"}, English},
        {{"", "", "", "C.UTF-8"}, English},
        {{"", "", "", ""}, English},
        // LC_MESSAGES before LANG, LC_ALL before both, LANGUAGE before all.
        {{"", "", "fr_FR", "de_DE"}, French},
        {{"", "C", "fr_FR", "de_DE"}, English},
        {{"", "ja_JP", "fr_FR", "de_DE"}, Japanese},
        {{"es:de", "C", "fr_FR", "de_DE"}, Spanish},
        // The first of LANGUAGE's list with a catalogue; English counts as one.
        {{"pt_BR:zh_Hant_TW:de", "", "", "ja_JP"}, German},
        {{"en_GB:de", "", "", "de_DE"}, English},
        {{"zh-Hans-CN", "", "", ""}, SimplifiedChinese},
        {{"::", "", "", "ja_JP"}, Japanese},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.environment.language + " " + c.environment.lcAll + " " +
                      c.environment.lcMessages + " " + c.environment.lang)
                         .toStdString());
        EXPECT_EQ(SessionLanguage(c.environment), c.language);
    }
}

TEST(ChooseLanguage, EveryOptionSessionLanguageAndFontSituation) {
    // Either named face alone, another Japanese face, no Japanese face.
    const QList<FakeFontProbe> situations{{QString::fromUtf16(JapanesePreferredFamily), false},
                                          {QString::fromUtf16(JapaneseFallbackFamily), false},
                                          {"IPAPGothic", true},
                                          {"DejaVu Sans", false}};
    const std::pair<LanguageSetting, InterfaceLanguage> chosen[] = {
        {LanguageSetting::English, English},
        {LanguageSetting::Japanese, Japanese},
        {LanguageSetting::German, German},
        {LanguageSetting::French, French},
        {LanguageSetting::Spanish, Spanish},
        {LanguageSetting::SimplifiedChinese, SimplifiedChinese},
    };
    for (const FakeFontProbe& probe : situations) {
        const bool japaneseFont = probe.Family != "DejaVu Sans";
        for (const InterfaceLanguage session : {English, Japanese, German, SimplifiedChinese}) {
            for (const auto& [option, language] : chosen) {
                SCOPED_TRACE(testing::Message() << probe.Family.toStdString() << ", "
                                                << int(session) << ", " << int(option));
                // System Default follows the session; without a Japanese font, English
                // stands in for Japanese and nothing else changes.
                for (const LanguageSetting asked : {option, LanguageSetting::System}) {
                    const InterfaceLanguage wanted =
                        asked == LanguageSetting::System ? session : language;
                    const bool forced = wanted == Japanese && !japaneseFont;
                    const LanguageChoice choice = ChooseLanguage(asked, session, probe);
                    EXPECT_EQ(choice.Interface, forced ? English : wanted);
                    EXPECT_EQ(choice.Language, forced ? LanguageSetting::English : asked);
                    EXPECT_EQ(choice.NonJapanese, !japaneseFont);
                }
            }
        }
    }
    const QStringList names{"", "ja", "de", "fr", "es", "zh_CN"};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(CatalogueName(InterfaceLanguage(i)), names[i]);
}

} // namespace
} // namespace plimset
