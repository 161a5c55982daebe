#include "alerts/AlertWindowLayout.h"
#include "desktop/QtTranslation.h"
#include "settings/OptionTable.h"
#include "sound/Beeper.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

TEST(AlertWindowLayoutTest, GrowsWithTheSizeAndKeepsTheDesignForNoPositiveSize) {
    const AlertWindowLayout one = AlertWindowLayoutFor(1.0f), four = AlertWindowLayoutFor(4.0f);
    EXPECT_TRUE(four.size == one.size * 2 && four.labelPointSize == one.labelPointSize * 2);
    for (float size : {0.0f, -4.0f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(AlertWindowLayoutFor(size).size, one.size);
    // On a screen of 144 DPI every length is half as long again, halves away from zero.
    EXPECT_EQ(ScaledRect(one.firstLine, {1.5, 1.5}), QRect(12, 27, 254, 26));
}

// Each language shows its own keys (Japanese ones even when empty while the English ones are
// not); a third language shows the English keys, and their defaults, which a file without
// the keys leaves, in the catalogue's translation.
TEST(AlertWindowLayoutTest, AThirdLanguageShowsTheEnglishKeysWithTranslatedDefaults) {
    QtTranslation german;
    german.UseLanguage("de");
    OptionSettings o = DefaultOptions();
    const auto lines = [&](TimerMode mode, InterfaceLanguage language) {
        const AlertLines l = AlertLinesFor(o, mode, language);
        return l.line1 + u'|' + l.line2;
    };
    using enum TimerMode;
    constexpr auto de = InterfaceLanguage::German, ja = InterfaceLanguage::Japanese;
    EXPECT_EQ(lines(Alarm, de), "Die eingestellte Zeit ist erreicht.|");
    EXPECT_EQ(lines(CountDown, de),
              "Der Countdown ist abgelaufen.|Klicken Sie auf die Stopp-Schaltfläche.");
    EXPECT_EQ(lines(Alarm, ja), "設定した時間になりました。|");
    o.englishAlarmText1 = "Tea is ready";
    o.englishCountDownText2 = "The countdown ended.";
    o.japaneseCountDownText1 = QString();
    EXPECT_EQ(lines(Alarm, de), "Tea is ready|");
    EXPECT_EQ(lines(Alarm, InterfaceLanguage::English), "Tea is ready|");
    EXPECT_EQ(lines(CountDown, de), "Der Countdown ist abgelaufen.|Der Countdown ist abgelaufen.");
    EXPECT_TRUE(AlertLinesFor(o, CountDown, ja).line1.isEmpty());
    // What the Options dialog's box shows goes back to the file as the English default.
    EXPECT_EQ(StoredEnglishAlertText("Der Countdown ist abgelaufen."), "The countdown ended.");
    EXPECT_EQ(StoredEnglishAlertText("Tea is ready"), "Tea is ready");
}

// Every row of 1 to 99 beeps fits in the second between rings, each beep separate.
TEST(BeepTest, RowsFitInASecondAndCanBeCounted) {
    const int rate = 48000;
    for (int count : {1, 3, 10, 50, 99}) {
        const QByteArray data = SynthesizeBeeps(count, rate);
        const auto* s = reinterpret_cast<const qint16*>(data.constData());
        const int samples = static_cast<int>(data.size() / 2);
        EXPECT_LT(samples, rate * 95 / 100) << count;
        // Count the stretches of sound after at least a millisecond of silence.
        int onsets = 0, quiet = rate;
        for (int i = 0; i < samples; ++i) {
            const bool loud = std::abs(s[i]) > 1000;
            onsets += loud && quiet >= rate / 1000;
            quiet = loud ? 0 : quiet + 1;
        }
        EXPECT_EQ(onsets, count);
    }
    EXPECT_TRUE(SynthesizeBeeps(0, rate).isEmpty());
    EXPECT_EQ(SynthesizeBeeps(150, rate).size(), SynthesizeBeeps(99, rate).size());
}

} // namespace
} // namespace plimset
