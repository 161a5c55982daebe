#include "text/LanguageChoice.h"

#include "text/StringTable.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace plimset {
namespace {

class FakeFontProbe : public FontProbe {
public:
    QStringList Families;
    bool Japanese = false;
    mutable int Calls = 0;

    bool HasFamily(const QString& family) const override {
        ++Calls;
        return Families.contains(family);
    }
    bool HasJapaneseFont() const override {
        ++Calls;
        return Japanese;
    }
};

const QLocale JapaneseLocale(QLocale::Japanese, QLocale::Japan);
const QLocale EnglishLocale(QLocale::English, QLocale::UnitedStates);
const QLocale GermanLocale(QLocale::German, QLocale::Germany);

TEST(LanguageOffsetFor, FollowsOptionThenLocale) {
    for (const QLocale& locale : {JapaneseLocale, EnglishLocale, GermanLocale}) {
        EXPECT_EQ(LanguageOffsetFor(1, locale, 17), EnglishOffset);
        EXPECT_EQ(LanguageOffsetFor(2, locale, 0), JapaneseOffset);
        // Unknown option values keep whatever language is in use.
        EXPECT_EQ(LanguageOffsetFor(3, locale, 17), 17);
        EXPECT_EQ(LanguageOffsetFor(-1, locale, 0), 0);
    }
    EXPECT_EQ(LanguageOffsetFor(0, JapaneseLocale, 0), JapaneseOffset);
    // Japanese spoken outside Japan is still Japanese.
    EXPECT_EQ(LanguageOffsetFor(0, QLocale(QLocale::Japanese, QLocale::UnitedStates), 0),
              JapaneseOffset);
    EXPECT_EQ(LanguageOffsetFor(0, EnglishLocale, 17), EnglishOffset);
    EXPECT_EQ(LanguageOffsetFor(0, GermanLocale, 17), EnglishOffset);
    EXPECT_EQ(LanguageOffsetFor(0, QLocale(QLocale::English, QLocale::Japan), 17), EnglishOffset);
}

struct FontCase {
    const char* Name;
    QStringList Families;
    bool Japanese;
    bool Usable;
};

TEST(ChooseLanguage, EveryOptionLocaleAndFontSituation) {
    const QList<FontCase> fonts{
        {"preferred face", {QString::fromUtf16(JapanesePreferredFamily)}, true, true},
        {"fallback face", {QString::fromUtf16(JapaneseFallbackFamily)}, true, true},
        {"other Japanese face", {"IPAPGothic"}, true, true},
        {"no Japanese face", {"DejaVu Sans"}, false, false},
    };
    const QList<QLocale> locales{JapaneseLocale, EnglishLocale, GermanLocale};

    for (const FontCase& font : fonts) {
        FakeFontProbe probe;
        probe.Families = font.Families;
        probe.Japanese = font.Japanese;
        for (const QLocale& locale : locales) {
            for (qint16 option : {0, 1, 2, 7}) {
                SCOPED_TRACE(testing::Message() << font.Name << ", " << locale.name().toStdString()
                                                << ", option " << option);
                const LanguageChoice choice = ChooseLanguage(option, locale, probe, 17);
                if (font.Usable) {
                    EXPECT_EQ(choice.LanguageOffset, LanguageOffsetFor(option, locale, 17));
                    EXPECT_EQ(choice.Language, option);
                    EXPECT_FALSE(choice.NonJapanese);
                } else {
                    EXPECT_EQ(choice.LanguageOffset, EnglishOffset);
                    EXPECT_EQ(choice.Language, 1);
                    EXPECT_TRUE(choice.NonJapanese);
                }
            }
        }
    }
}

TEST(ChooseLanguage, ProbesEvenWhenEnglishIsChosen) {
    FakeFontProbe probe;
    const LanguageChoice choice = ChooseLanguage(1, EnglishLocale, probe);
    EXPECT_GT(probe.Calls, 0);
    EXPECT_TRUE(choice.NonJapanese);
    EXPECT_EQ(choice.LanguageOffset, EnglishOffset);
}

} // namespace
} // namespace plimset
