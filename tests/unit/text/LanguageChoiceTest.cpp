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
    for (const FakeFontProbe& probe : situations) {
        const bool japaneseFont = probe.Family != "DejaVu Sans";
        for (const QLocale& locale : locales) {
            const bool japaneseLocale = locale.language() == QLocale::Japanese;
            for (LanguageSetting option :
                 {LanguageSetting::System, LanguageSetting::English, LanguageSetting::Japanese}) {
                SCOPED_TRACE(testing::Message()
                             << probe.Family.toStdString() << ", " << locale.name().toStdString()
                             << ", " << static_cast<int>(option));
                const LanguageChoice choice = ChooseLanguage(option, locale, probe);
                // Without a Japanese font English is forced, whatever the option says.
                const bool japanese = option == LanguageSetting::Japanese ||
                                      (option == LanguageSetting::System && japaneseLocale);
                EXPECT_EQ(choice.Interface, japaneseFont && japanese ? InterfaceLanguage::Japanese
                                                                     : InterfaceLanguage::English);
                EXPECT_EQ(choice.Language, japaneseFont ? option : LanguageSetting::English);
                EXPECT_EQ(choice.NonJapanese, !japaneseFont);
            }
        }
    }
}

} // namespace
} // namespace plimset
