#include "core/OptionsRules.h"
#include "core/TimeFieldKeys.h"

#include <gtest/gtest.h>

using namespace plimset;

TEST(OptionsRules, SettingNumbersShowWholeNumbersPlainAndFractionsWithFixedDecimals) {
    EXPECT_EQ(FormatSettingNumber(0, 2, TimeSeparator::Colon), "");
    EXPECT_EQ(FormatSettingNumber(3.5f, 2, TimeSeparator::Colon), "3:50");
    EXPECT_EQ(FormatSettingNumber(0.03f, 2, TimeSeparator::Dot), "0.03"); // not 0.0299999...
    EXPECT_EQ(FormatSettingNumber(1.5f, 1, TimeSeparator::Dot), "1.5");
    EXPECT_EQ(FormatSettingNumber(32767, 2, TimeSeparator::Dot), "32767");
}

// Keys typed, text pasted or committed by an input method: full-width forms made ASCII.
TEST(OptionsRules, NumberBoxesAndTheTimeFieldTakeOnlyTheirCharacters) {
    EXPECT_EQ(FilterInputText("12a3", BoxFilter::Digits), "123");
    EXPECT_EQ(FilterInputText("1.30", BoxFilter::Colon), "1:30");
    EXPECT_EQ(FilterInputText(u"１２．５"_qs, BoxFilter::Decimal), "12.5");
    EXPECT_EQ(FilterInputText(u"あ5\t\n漢"_qs, BoxFilter::Digits), "5");
    EXPECT_EQ(FilterKey(8, BoxFilter::Digits), 8);
    EXPECT_EQ(FilterKey(':', BoxFilter::Decimal), 0);

    EXPECT_EQ(FilterTimeFieldKey(u'.', true), QChar(u':'));
    EXPECT_EQ(FilterTimeFieldKey(u'.', false), QChar(u'.'));
    EXPECT_EQ(FilterTimeFieldKey(u'\x16', false), QChar(u'\x16')); // Ctrl+V
    for (char16_t c : {u'/', u'e', u'\x1b', u'\x01', u'\uff10'})   // \x01 is select all
        EXPECT_TRUE(FilterTimeFieldKey(c, true).isNull()) << int(c);
    EXPECT_TRUE(FilterTimeFieldKey(u':', false).isNull());
}

TEST(OptionsRules, HotkeyCaptureWidensSingleModifiersAndLeavesOtherKeysIncomplete) {
    EXPECT_EQ(CaptureHotkeyText(false, true, false, 'T'), "Ctrl + Alt + T");
    EXPECT_EQ(CaptureHotkeyText(true, false, false, 'X'), "Ctrl + Shift + X");
    EXPECT_EQ(CaptureHotkeyText(true, false, true, '5'), "Shift + Alt + 5");
    EXPECT_EQ(CaptureHotkeyText(true, true, false, 0), "Ctrl + Shift + "); // F5, or no key
    EXPECT_TRUE(IsIncompleteHotkeyText("Ctrl + Shift + "));
    EXPECT_EQ(CaptureHotkeyText(false, false, false, 'T'), "");
}

TEST(OptionsRules, OkChecksStopAtTheFirstBadEntryInTheirOrder) {
    const auto exists = [](const QString& path) { return path == QLatin1String("/a.wav"); };
    const TimeFormat format{TimeSeparator::Colon, 6};
    OptionsEntries e{"", SoundSource::File, "/missing.wav", "", "0:03", "0", "0.3"};
    OptionsCheckResult r = FirstFailedCheck(e, format, exists);
    EXPECT_EQ(r.Box, OptionsBox::MinutesToAdd);
    EXPECT_EQ(r.Minimum, "1");
    e.minutesToAdd = "5";
    EXPECT_EQ(FirstFailedCheck(e, format, exists).Box, OptionsBox::SoundFile);
    e.soundSource = SoundSource::Beep; // only the chosen source is looked at
    EXPECT_EQ(FirstFailedCheck(e, format, exists).Box, OptionsBox::BeepCount);
    e.beepCount = "3";
    e.alertWindowScale = "0.29";
    r = FirstFailedCheck(e, format, exists);
    EXPECT_EQ(std::tie(r.Box, r.Minimum), std::tuple(OptionsBox::AlertWindowScale, "0.3"));
    e.alertWindowScale = ".3";
    EXPECT_EQ(FirstFailedCheck(e, format, exists).Box, OptionsBox::None);
}
