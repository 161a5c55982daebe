#include "alerts/AlertWindow.h"
#include "alerts/AlertWindowLayout.h"
#include "alerts/AlertWindowNames.h"
#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "desktop/QtTranslation.h"
#include "settings/OptionTable.h"
#include "sound/Beeper.h"

#include <QAccessible>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace plimset {
namespace {

void ExpectRect(const QRectF& r, double left, double top, double width, double height) {
    EXPECT_DOUBLE_EQ(r.left(), left);
    EXPECT_DOUBLE_EQ(r.top(), top);
    EXPECT_DOUBLE_EQ(r.width(), width);
    EXPECT_DOUBLE_EQ(r.height(), height);
}

TEST(AlertWindowLayoutTest, DesignAtSizeOneAndTwiceAsLargeAtSizeFour) {
    const AlertWindowLayout one = AlertWindowLayoutFor(1.0f);
    EXPECT_EQ(one.size, QSizeF(201, 78));
    EXPECT_EQ(one.labelPointSize, 9);

    const AlertWindowLayout four = AlertWindowLayoutFor(4.0f);
    EXPECT_EQ(four.size, QSizeF(402, 156));
    // Frame: (402 - 370 - 6) / 2 and (156 - 130 - 12) / 2.
    ExpectRect(four.frame, 13, 7, 370, 130);
    // Labels centred in the frame; tops (130 - h/2) / 3, 2 (130 - h/2) / 3, (130 - h/2) / 2.
    ExpectRect(four.firstLine, 16, (130 - 17.0) / 3, 338, 34);
    ExpectRect(four.secondLine, 16, 2 * (130 - 25.0) / 3, 338, 50);
    ExpectRect(four.singleLine, 16, (130 - 17.0) / 2, 338, 34);
    EXPECT_EQ(four.labelPointSize, 18);

    // Sizes that are no positive number keep the design.
    EXPECT_EQ(AlertWindowLayoutFor(0.0f).size, one.size);
    EXPECT_EQ(AlertWindowLayoutFor(-4.0f).size, one.size);
    EXPECT_EQ(AlertWindowLayoutFor(std::numeric_limits<float>::quiet_NaN()).size, one.size);

    // On a screen of 144 DPI every length is half as long again, halves away from zero.
    EXPECT_EQ(ScaledRect(one.firstLine, {1.5, 1.5}), QRect(12, 27, 254, 26));
}

TEST(AlertWindowLayoutTest, LinesByModeAndLanguage) {
    OptionSettings o;
    o.englishAlarmText1 = QStringLiteral("A1E");
    o.japaneseAlarmText1 = QStringLiteral("A1J");
    o.englishCountDownText1 = QStringLiteral("C1E");
    o.englishCountDownText2 = QStringLiteral("C2E");
    o.japaneseCountDownText1 = QString();
    EXPECT_EQ(AlertLinesFor(o, TimerMode::Alarm, InterfaceLanguage::English).line1, "A1E");
    EXPECT_EQ(AlertLinesFor(o, TimerMode::Alarm, InterfaceLanguage::Japanese).line1, "A1J");
    EXPECT_EQ(AlertLinesFor(o, TimerMode::CountDown, InterfaceLanguage::English).line2, "C2E");
    // Japanese texts, even when empty while the English ones are not.
    EXPECT_EQ(AlertLinesFor(o, TimerMode::CountDown, InterfaceLanguage::Japanese).line1, "");
    EXPECT_EQ(AlertLinesFor(o, TimerMode::StopWatch, InterfaceLanguage::English).line1, "");
}

// A third language shows the English keys; their defaults, which a file without the keys
// leaves, in the catalogue's translation.
TEST(AlertWindowLayoutTest, AThirdLanguageShowsTheEnglishKeysWithTranslatedDefaults) {
    QtTranslation german;
    german.UseLanguage("de");
    OptionSettings o = DefaultOptions();
    const auto lines = [&](TimerMode mode) {
        const AlertLines l = AlertLinesFor(o, mode, InterfaceLanguage::German);
        return QStringList{l.line1, l.line2};
    };
    EXPECT_EQ(lines(TimerMode::Alarm), QStringList({"Die eingestellte Zeit ist erreicht.", ""}));
    EXPECT_EQ(
        lines(TimerMode::CountDown),
        QStringList({"Der Countdown ist abgelaufen.", "Klicken Sie auf die Stopp-Schaltfläche."}));
    EXPECT_EQ(AlertLinesFor(o, TimerMode::Alarm, InterfaceLanguage::Japanese).line1,
              "設定した時間になりました。");
    o.englishAlarmText1 = "Tea is ready";
    o.englishCountDownText2 = "The countdown ended.";
    EXPECT_EQ(lines(TimerMode::Alarm), QStringList({"Tea is ready", ""}));
    EXPECT_EQ(lines(TimerMode::CountDown),
              QStringList({"Der Countdown ist abgelaufen.", "Der Countdown ist abgelaufen."}));
    // What the Options dialog's box shows goes back to the file as the English default.
    EXPECT_EQ(StoredEnglishAlertText("Der Countdown ist abgelaufen."), "The countdown ended.");
    EXPECT_EQ(StoredEnglishAlertText("Tea is ready"), "Tea is ready");
}

// The desktop tests see the texts, size and place; here the labels' choice.
TEST(AlertWindowTest, OneOrTwoLabelsByTheLinesAndAnAlertForScreenReaders) {
    OptionSettings o;
    o.englishAlarmText1 = QStringLiteral("Alarm");
    o.englishCountDownText1 = QStringLiteral("Ended");
    o.englishCountDownText2 = QStringLiteral("Stop it");
    AppState state;
    state.mode = TimerMode::CountDown;
    QWidget main;
    AlertWindow w(o, state, InterfaceLanguage::English, &main);
    const auto label = [&w](const char* name) {
        auto* found = w.findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    };
    QLabel* firstLine = label(AlertWindowNames::FirstLineLabel);
    QLabel* secondLine = label(AlertWindowNames::SecondLineLabel);
    QLabel* singleLine = label(AlertWindowNames::SingleLineLabel);
    ASSERT_TRUE(firstLine && secondLine && singleLine);
    w.show();
    EXPECT_TRUE(firstLine->isVisible() && secondLine->isVisible() && !singleLine->isVisible());
    EXPECT_EQ(secondLine->text(), "Stop it");
    QAccessibleInterface* acc = QAccessible::queryAccessibleInterface(&w);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(acc->role(), QAccessible::AlertMessage);
    EXPECT_EQ(acc->text(QAccessible::Name), "Ended\nStop it");

    // Shown again in Alarm mode: the single line in the middle.
    w.hide();
    state.mode = TimerMode::Alarm;
    w.show();
    EXPECT_TRUE(!firstLine->isVisible() && singleLine->isVisible());
    EXPECT_EQ(singleLine->text(), "Alarm");
    EXPECT_EQ(acc->text(QAccessible::Name), "Alarm");
}

// Every row of 1 to 99 beeps fits in the second between rings, each beep separate.
TEST(BeepTest, RowsFitInASecondAndCanBeCounted) {
    const int rate = 48000;
    for (int count : {1, 3, 10, 50, 99}) {
        const QByteArray data = SynthesizeBeeps(count, rate);
        const int samples = static_cast<int>(data.size() / 2);
        EXPECT_LT(samples, rate * 95 / 100) << count;
        const auto* s = reinterpret_cast<const qint16*>(data.constData());
        // Count the stretches of sound separated by at least a millisecond of silence.
        int onsets = 0, quiet = rate;
        for (int i = 0; i < samples; ++i) {
            if (std::abs(s[i]) > 1000) {
                if (quiet >= rate / 1000) {
                    ++onsets;
                }
                quiet = 0;
            } else {
                ++quiet;
            }
        }
        EXPECT_EQ(onsets, count);
    }
    EXPECT_TRUE(SynthesizeBeeps(0, rate).isEmpty());
    EXPECT_EQ(SynthesizeBeeps(150, rate).size(), SynthesizeBeeps(99, rate).size());
}

} // namespace
} // namespace plimset
