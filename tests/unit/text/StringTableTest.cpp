#include "text/StringTable.h"

#include <gtest/gtest.h>

#include <QSet>

namespace plimset {
namespace {

// Every English text has its Japanese twin 17000 further on, and ids outside the table
// give no text.
TEST(StringTable, EveryTextHasItsTwinAndOtherIdsGiveNothing) {
    const QList<int> ids = ResourceTextIds();
    const QSet<int> all(ids.begin(), ids.end());
    for (int id : ids) {
        EXPECT_FALSE(ResourceText(id).isEmpty()) << id;
        const bool english = id >= 101 && id <= 995;
        EXPECT_TRUE(english || (id >= 17101 && id <= 17995)) << id;
        EXPECT_TRUE(all.contains(english ? id + 17000 : id - 17000)) << "no twin for " << id;
    }
    for (int id = -1; id <= 36000; ++id) {
        if (!all.contains(id)) {
            ASSERT_TRUE(ResourceText(id).isEmpty()) << id;
        }
    }
}

TEST(LocalizedText, ComposesMessagesAndStaysInsideTheTable) {
    const auto message = [](qint16 offset) {
        return LocalizedText(452, offset) + "5" + LocalizedText(453, offset);
    };
    EXPECT_EQ(message(EnglishOffset), "Input 5 or more.");
    EXPECT_EQ(LocalizedText(452, JapaneseOffset), " ");
    EXPECT_EQ(message(JapaneseOffset), QString::fromUtf8(" 5以上を入力して下さい。"));

    // Offsets and ids that lead outside the table give no text and no arithmetic fault.
    EXPECT_TRUE(LocalizedText(601, 5).isEmpty());
    EXPECT_TRUE(LocalizedText(601, -17).isEmpty());
    EXPECT_TRUE(LocalizedText(2147483647, JapaneseOffset).isEmpty());
    EXPECT_TRUE(LocalizedText(-2147483647 - 1, -32768).isEmpty());
}

} // namespace
} // namespace plimset
