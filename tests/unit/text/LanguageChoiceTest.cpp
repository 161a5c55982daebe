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

TEST(ChooseLanguage, EveryOptionLocaleAndFontSituation) {
    // Either named face alone, another Japanese face, no Japanese face.
    const QList<FakeFontProbe> situations{{QString::fromUtf16(JapanesePreferredFamily), false},
                                          {QString::fromUtf16(JapaneseFallbackFamily), false},
                                          {"IPAPGothic", true},
                                          {"DejaVu Sans", false}};
    const QList<QLocale> locales{QLocale(QLocale::Japanese, QLocale::Japan),
                                 QLocale(QLocale::Japanese, QLocale::UnitedStates),
                                 QLocale(QLocale::English, QLocale::Japan),
                                 QLocale(QLocale::German, QLocale::Germany)};
    const qint16 current = 17;
    for (const FakeFontProbe& probe : situations) {
        const bool japaneseFont = probe.Family != "DejaVu Sans";
        for (const QLocale& locale : locales) {
            const bool japaneseLocale = locale.language() == QLocale::Japanese;
            for (qint16 option : {0, 1, 2, 7}) {
                SCOPED_TRACE(testing::Message() << probe.Family.toStdString() << ", "
                                                << locale.name().toStdString() << ", " << option);
                const LanguageChoice choice = ChooseLanguage(option, locale, probe, current);
                // Without a Japanese font English is forced, whatever the option says.
                const qint16 expected = !japaneseFont ? 0
                                        : option == 0 ? (japaneseLocale ? 17 : 0)
                                        : option == 1 ? 0
                                        : option == 2 ? 17
                                                      : current;
                EXPECT_EQ(choice.LanguageOffset, expected);
                EXPECT_EQ(choice.Language, japaneseFont ? option : 1);
                EXPECT_EQ(choice.NonJapanese, !japaneseFont);
            }
        }
    }
}

} // namespace
} // namespace plimset
