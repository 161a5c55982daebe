#include "core/OptionsRules.h"

#include <gtest/gtest.h>

using namespace plimset;

TEST(OptionsRules, SettingNumbersShowWholeNumbersPlainAndFractionsWithFixedDecimals) {
    EXPECT_EQ(FormatSettingNumber(10, 2, TimeSeparator::Dot), "10");
    EXPECT_EQ(FormatSettingNumber(0, 2, TimeSeparator::Colon), "");
    EXPECT_EQ(FormatSettingNumber(3, 2, TimeSeparator::Colon), "3");
    EXPECT_EQ(FormatSettingNumber(3.5f, 2, TimeSeparator::Dot), "3.50");
    EXPECT_EQ(FormatSettingNumber(3.5f, 2, TimeSeparator::Colon), "3:50");
    EXPECT_EQ(FormatSettingNumber(0.03f, 2, TimeSeparator::Dot), "0.03"); // not 0.0299999...
    EXPECT_EQ(FormatSettingNumber(1.5f, 1, TimeSeparator::Dot), "1.5");
    EXPECT_EQ(FormatSettingNumber(1, 1, TimeSeparator::Dot), "1");
    EXPECT_EQ(FormatSettingNumber(32767, 2, TimeSeparator::Dot), "32767");
    EXPECT_EQ(FormatWholeNumber(0), "");
    EXPECT_EQ(FormatWholeNumber(205), "205");
}

TEST(OptionsRules, KeyFilterPassesControlCodesAndTheModesCharacters) {
    for (BoxFilter mode : {BoxFilter::Digits, BoxFilter::Decimal, BoxFilter::Colon}) {
        EXPECT_EQ(FilterKey(8, mode), 8);
        EXPECT_EQ(FilterKey('7', mode), '7');
        EXPECT_EQ(FilterKey('a', mode), 0);
        EXPECT_EQ(FilterKey('/', mode), 0);
        EXPECT_EQ(FilterKey(27, mode), 0);
    }
    EXPECT_EQ(FilterKey('.', BoxFilter::Digits), 0);
    EXPECT_EQ(FilterKey('.', BoxFilter::Decimal), '.');
    EXPECT_EQ(FilterKey(':', BoxFilter::Decimal), 0);
    EXPECT_EQ(FilterKey('.', BoxFilter::Colon), ':');
    EXPECT_EQ(FilterKey(':', BoxFilter::Colon), ':');
    EXPECT_EQ(FilterKey('x', BoxFilter::None), 'x');
    EXPECT_EQ(TimeBoxFilter(TimeSeparator::Dot), BoxFilter::Decimal);
    EXPECT_EQ(TimeBoxFilter(TimeSeparator::Colon), BoxFilter::Colon);
}

TEST(OptionsRules, EnteredTextObeysTheSameRuleWithFullWidthFormsMadeAscii) {
    EXPECT_EQ(FilterInputText("12a3", BoxFilter::Digits), "123");
    EXPECT_EQ(FilterInputText("1.30", BoxFilter::Colon), "1:30");
    EXPECT_EQ(FilterInputText(u"１２．５"_qs, BoxFilter::Decimal), "12.5");
    EXPECT_EQ(FilterInputText(u"３：００"_qs, BoxFilter::Colon), "3:00");
    EXPECT_EQ(FilterInputText(u"４。５"_qs, BoxFilter::Colon), "4:5");
    // Kana, other scripts and control characters never reach a number box.
    EXPECT_EQ(FilterInputText(u"あ5\t\n漢"_qs, BoxFilter::Digits), "5");
    EXPECT_EQ(FilterInputText(u"あ\t"_qs, BoxFilter::None), u"あ\t"_qs);
}

TEST(OptionsRules, LengthItemsCarryTheLocalesSeparatorAndTheClockForm) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(MaxLengthItemText(5, TimeSeparator::Dot, english, "Max", "min"), "5 (Max100min)");
    EXPECT_EQ(MaxLengthItemText(6, TimeSeparator::Colon, english, "Max", "min"), "6 (Max1,000min)");
    EXPECT_EQ(MaxLengthItemText(8, TimeSeparator::Dot, english, "Max", "min"), "8 (Max100,000min)");
    EXPECT_EQ(MaxLengthItemText(8, TimeSeparator::Colon, english, "Max", "min"),
              "8 (Max6,000min) [H:M:S]");
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(MaxLengthItemText(7, TimeSeparator::Dot, german, "Max", "min"), "7 (Max10.000min)");
    EXPECT_EQ(MaxLengthItemText(7, TimeSeparator::Dot, QLocale::c(), "Max", "min"),
              "7 (Max10,000min)");
}

TEST(OptionsRules, HotkeyCaptureWidensSingleModifiersAndLeavesOtherKeysIncomplete) {
    struct Case {
        bool shift, ctrl, alt;
        int key;
        const char* text;
    };
    for (const Case& c : std::initializer_list<Case>{
             {true, true, false, 'T', "Ctrl + Shift + T"},
             {false, true, false, 'T', "Ctrl + Alt + T"},
             {false, false, true, '1', "Ctrl + Alt + 1"},
             {true, false, false, 'X', "Ctrl + Shift + X"},
             {true, false, true, '5', "Shift + Alt + 5"},
             {true, true, true, 'Z', "Ctrl + Shift + Alt + Z"},
             {true, true, false, 0, "Ctrl + Shift + "}, // F5, or a modifier alone
             {false, false, false, 'T', ""},
         }) {
        const QString text = CaptureHotkeyText(c.shift, c.ctrl, c.alt, c.key);
        EXPECT_EQ(text, QLatin1String(c.text));
        EXPECT_EQ(IsIncompleteHotkeyText(text), text.endsWith(QLatin1String("+ ")));
    }
    EXPECT_FALSE(IsIncompleteHotkeyText("None"));
}

TEST(OptionsRules, OkChecksStopAtTheFirstBadEntryInTheirOrder) {
    const auto exists = [](const QString& path) { return path == QLatin1String("/a.wav"); };
    const TimeFormat format{TimeSeparator::Colon, 6};
    OptionsEntries good{"10", SoundSource::File, "/a.wav", "", "0:03", "0", "0.3"};
    EXPECT_EQ(FirstFailedCheck(good, format, exists).Box, OptionsBox::None);

    OptionsEntries e = good;
    e.minutesToAdd = "";
    e.soundFile = "/missing.wav";
    OptionsCheckResult r = FirstFailedCheck(e, format, exists);
    EXPECT_EQ(r.Box, OptionsBox::MinutesToAdd);
    EXPECT_EQ(r.Minimum, "1");
    e.minutesToAdd = "5";
    EXPECT_EQ(FirstFailedCheck(e, format, exists).Box, OptionsBox::SoundFile);
    e.soundFile = "";
    EXPECT_EQ(FirstFailedCheck(e, format, exists).Box, OptionsBox::SoundFile);
    // Only the chosen source is looked at.
    e.soundSource = SoundSource::None;
    e.beepCount = "";
    EXPECT_EQ(FirstFailedCheck(e, format, exists).Box, OptionsBox::None);
    e.soundSource = SoundSource::Beep;
    r = FirstFailedCheck(e, format, exists);
    EXPECT_EQ(r.Box, OptionsBox::BeepCount);
    EXPECT_EQ(r.Minimum, "1");
    e.beepCount = "3";
    e.alertWindowScale = "0.29";
    r = FirstFailedCheck(e, format, exists);
    EXPECT_EQ(r.Box, OptionsBox::AlertWindowScale);
    EXPECT_EQ(r.Minimum, "0.3");
    e.alertWindowScale = ".3";
    EXPECT_EQ(FirstFailedCheck(e, format, exists).Box, OptionsBox::None);
}
