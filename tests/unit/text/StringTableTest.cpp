#include "text/StringTable.h"

#include <gtest/gtest.h>

#include <QSet>

namespace plimset {
namespace {

TEST(StringTable, HoldsBothLanguagesCompleteAndNothingElse) {
    const QList<int> ids = ResourceTextIds();
    ASSERT_EQ(ids.size(), 144);
    const QSet<int> all(ids.begin(), ids.end());
    EXPECT_EQ(all.size(), 144);

    int english = 0;
    for (int id : ids) {
        EXPECT_FALSE(ResourceText(id).isEmpty()) << id;
        if (id < 17000) {
            ++english;
            EXPECT_GE(id, 101);
            EXPECT_LE(id, 995);
            EXPECT_TRUE(all.contains(id + 17000)) << "no Japanese twin for " << id;
        } else {
            EXPECT_TRUE(all.contains(id - 17000)) << "no English twin for " << id;
        }
    }
    EXPECT_EQ(english, 72);

    // Nothing is found outside the listed ids, in either language or beyond.
    for (int id = -1; id <= 36000; ++id) {
        if (!all.contains(id)) {
            ASSERT_TRUE(ResourceText(id).isEmpty()) << id;
        }
    }
}

TEST(StringTable, KeepsTextsExactly) {
    EXPECT_EQ(ResourceText(101), "Options");
    EXPECT_EQ(ResourceText(17101), QString::fromUtf8("オプション"));
    EXPECT_EQ(ResourceText(201), "&Restore");
    EXPECT_EQ(ResourceText(17201), QString::fromUtf8("元のサイズに戻す(&R)"));
    EXPECT_EQ(ResourceText(705), "TaskTray && TaskBar");
    EXPECT_EQ(ResourceText(17705), QString::fromUtf8("タスクトレイ ＆ タスクバー"));
    EXPECT_EQ(ResourceText(17702), QString::fromUtf8("カウントダウン (分) または (分．秒)"));
    EXPECT_EQ(ResourceText(17706), QString::fromUtf8("ウィンドウの大きさ （ピクセル）"));
    EXPECT_EQ(ResourceText(17991), QString::fromUtf8("＜使用方法＞"));
    EXPECT_EQ(ResourceText(471),
              "Timeout error. The icon does not appear in the notification area.");
    EXPECT_EQ(ResourceText(995), "Start StopWatch Mode.");
    EXPECT_EQ(ResourceText(17995), QString::fromUtf8("ストップウォッチで起動"));

    // A real carriage return and line feed inside the text.
    EXPECT_EQ(ResourceText(771),
              QString("Window Size, Font, ") + QChar(13) + QChar(10) + "and Background Color");
    EXPECT_EQ(ResourceText(17771),
              QString::fromUtf8("ウィンドウの大きさ、フォント、\r\nおよび背景色"));
    EXPECT_EQ(ResourceText(17771).count(u'\r'), 1);
}

TEST(StringTable, ComposesTheMinimumMessageInBothLanguages) {
    const auto message = [](qint16 offset) {
        return LocalizedText(452, offset) + "5" + LocalizedText(453, offset);
    };
    EXPECT_EQ(message(EnglishOffset), "Input 5 or more.");
    EXPECT_EQ(LocalizedText(452, JapaneseOffset), " ");
    EXPECT_EQ(message(JapaneseOffset), QString::fromUtf8(" 5以上を入力して下さい。"));
}

TEST(StringTable, LooksUpByOffsetWithoutOverflow) {
    EXPECT_EQ(LocalizedText(601, EnglishOffset), "Alarm");
    EXPECT_EQ(LocalizedText(601, JapaneseOffset), QString::fromUtf8("アラーム"));
    // Offsets and ids that lead outside the table give no text and no arithmetic fault.
    EXPECT_TRUE(LocalizedText(601, 5).isEmpty());
    EXPECT_TRUE(LocalizedText(601, -17).isEmpty());
    EXPECT_TRUE(LocalizedText(2147483647, JapaneseOffset).isEmpty());
    EXPECT_TRUE(LocalizedText(-2147483647 - 1, -32768).isEmpty());
    EXPECT_TRUE(LocalizedText(0, EnglishOffset).isEmpty());
}

} // namespace
} // namespace plimset
