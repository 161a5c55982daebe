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

TEST(ChooseLanguage, EveryOptionLocaleAndFontSituation) {
    struct Fonts {
        QStringList Families;
        bool Japanese;
    };
    // The two named faces, another Japanese face, no Japanese face.
    const QList<Fonts> situations{{{QString::fromUtf16(JapanesePreferredFamily)}, true},
                                  {{QString::fromUtf16(JapaneseFallbackFamily)}, true},
                                  {{"IPAPGothic"}, true},
                                  {{"DejaVu Sans"}, false}};
    const QList<QLocale> locales{QLocale(QLocale::Japanese, QLocale::Japan),
                                 QLocale(QLocale::Japanese, QLocale::UnitedStates),
                                 QLocale(QLocale::English, QLocale::Japan),
                                 QLocale(QLocale::German, QLocale::Germany)};
    const qint16 current = 17;

    for (const Fonts& fonts : situations) {
        FakeFontProbe probe;
        probe.Families = fonts.Families;
        probe.Japanese = fonts.Japanese;
        for (const QLocale& locale : locales) {
            const bool japaneseLocale = locale.language() == QLocale::Japanese;
            for (qint16 option : {0, 1, 2, 7}) {
                SCOPED_TRACE(testing::Message() << fonts.Families.join(",").toStdString() << ", "
                                                << locale.name().toStdString() << ", " << option);
                const LanguageChoice choice = ChooseLanguage(option, locale, probe, current);
                if (!fonts.Japanese) {
                    EXPECT_EQ(choice.LanguageOffset, EnglishOffset);
                    EXPECT_EQ(choice.Language, 1);
                    EXPECT_TRUE(choice.NonJapanese);
                    continue;
                }
                const qint16 expected = option == 0   ? (japaneseLocale ? 17 : 0)
                                        : option == 1 ? 0
                                        : option == 2 ? 17
                                                      : current;
                EXPECT_EQ(choice.LanguageOffset, expected);
                EXPECT_EQ(choice.Language, option);
                EXPECT_FALSE(choice.NonJapanese);
            }
        }
    }
}

TEST(ChooseLanguage, ProbesEvenWhenEnglishIsChosen) {
    FakeFontProbe probe;
    const LanguageChoice choice = ChooseLanguage(1, QLocale(QLocale::English), probe);
    EXPECT_GT(probe.Calls, 0);
    EXPECT_TRUE(choice.NonJapanese);
}

} // namespace
} // namespace plimset
