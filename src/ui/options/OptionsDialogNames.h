#pragma once

// The objectNames of the Options dialog and its controls. Desktop tests and screen-reader
// tools see these names, so they keep their design spelling; code and tests use the
// constants.

#include <QString>

namespace plimset::options_names {

inline constexpr char Dialog[] = "Form2";
inline constexpr char TestPlayMonitor[] = "Timer1";
inline constexpr char BrowseDialog[] = "BrowseDialog";

// The groups.
inline constexpr char AlarmGroup[] = "Frame1_0";
inline constexpr char CountDownGroup[] = "Frame1_1";
inline constexpr char SoundGroup[] = "Frame1_2";
inline constexpr char AlertWindowGroup[] = "Frame1_3";
inline constexpr char TrayGroup[] = "Frame1_4";
inline constexpr char WindowSizeGroup[] = "Frame1_5";
inline constexpr char DisplayLengthGroup[] = "Frame1_6";
inline constexpr char RestoreDefaultsGroup[] = "Frame1_7";
inline constexpr char MessageTextsGroup[] = "Frame1_8";

// The preset strips: a viewport, the strip of boxes inside it that scrolls, its scroll bar.
inline constexpr char AlarmViewport[] = "Picture1_0";
inline constexpr char AlarmStrip[] = "Picture1_1";
inline constexpr char AlarmScroll[] = "HScroll1";
inline constexpr char CountDownViewport[] = "Picture2_0";
inline constexpr char CountDownStrip[] = "Picture2_1";
inline constexpr char CountDownScroll[] = "HScroll2";

// Alarm and CountDown.
inline constexpr char AddMinuteLabel[] = "Label2_10";
inline constexpr char AddMinuteBox[] = "Text3";
inline constexpr char AddMinuteRangeLabel[] = "Label2_11";
inline constexpr char RepeatCheck[] = "Check4";

// Sound.
inline constexpr char SoundSourceRow[] = "Picture3";
inline constexpr char BeepSourceOption[] = "Option1_0";
inline constexpr char FileSourceOption[] = "Option1_1";
inline constexpr char SilentSourceOption[] = "Option1_2";
inline constexpr char SoundFileBox[] = "Text4";
inline constexpr char TestPlayButton[] = "Command3";
inline constexpr char BrowseButton[] = "Command2";
inline constexpr char BeepRow[] = "Picture4";
inline constexpr char BeepCountLabel[] = "Label2_20";
inline constexpr char BeepCountBox[] = "Text5";
inline constexpr char BeepCountRangeLabel[] = "Label2_21";
inline constexpr char TestBeepButton[] = "Command4";
inline constexpr char RingDurationLabel[] = "Label2_22";
inline constexpr char UntilEndCheck[] = "Check1";
inline constexpr char RingDurationBox[] = "Text6_0";
inline constexpr char RingDurationUnitLabel[] = "Label2_23";

// The alert window.
inline constexpr char AlertWindowCheck[] = "Check2";
inline constexpr char AlertSizeLabel[] = "Label2_30";
inline constexpr char AlertSizeBox[] = "Text7";
inline constexpr char AlertSizeUnitLabel[] = "Label2_31";
inline constexpr char DisplayDurationLabel[] = "Label2_32";
inline constexpr char DisplayDurationBox[] = "Text6_1";
inline constexpr char DisplayDurationUnitLabel[] = "Label2_33";

// The alert window's texts: a row for Alarm and one for CountDown, two lines each.
inline constexpr char AlarmTextsRow[] = "Picture8_0";
inline constexpr char CountDownTextsRow[] = "Picture8_1";
inline constexpr char AlarmTextsLabel[] = "Label2_80";
inline constexpr char CountDownTextsLabel[] = "Label2_81";
inline constexpr char AlarmText1Box[] = "Text10_11";
inline constexpr char AlarmText2Box[] = "Text10_12";
inline constexpr char CountDownText1Box[] = "Text10_21";
inline constexpr char CountDownText2Box[] = "Text10_22";
// In a language other than English and Japanese: the texts are the English ones.
inline constexpr char MessageTextsNote[] = "MessageTextsNote";

// Notification area and taskbar.
inline constexpr char TrayIconCheck[] = "Check3_0";
inline constexpr char TaskbarButtonCheck[] = "Check3_1";
inline constexpr char ProgressCheck[] = "Check3_2";
inline constexpr char ShowAlwaysCheck[] = "Check3_3";

// The main window's size and display length.
inline constexpr char WidthLabel[] = "Label2_50";
inline constexpr char WidthBox[] = "Text8_0";
inline constexpr char HeightLabel[] = "Label2_51";
inline constexpr char HeightBox[] = "Text8_1";
inline constexpr char ReflectSizeButton[] = "Command5_0";
inline constexpr char LengthList[] = "Combo1";
inline constexpr char ReflectLengthButton[] = "Command5_1";

// Hotkey and language.
inline constexpr char HotkeyLabel[] = "Label1_0";
inline constexpr char HotkeyBox[] = "Text9";
// Where the desktop decides the key: a line about it and the button to its settings.
inline constexpr char HotkeyNote[] = "HotkeyNote";
inline constexpr char ShortcutSettingsButton[] = "ShortcutSettings";
inline constexpr char LanguageLabel[] = "Label1_1";
inline constexpr char LanguageList[] = "Combo2";

// Restore Defaults, OK, Cancel and the version.
inline constexpr char RestoreLookButton[] = "Command6_0";
inline constexpr char RestoreAllButton[] = "Command6_1";
inline constexpr char OkButton[] = "Command1_0";
inline constexpr char CancelButton[] = "Command1_1";
inline constexpr char VersionLabel[] = "LBL_Version";

// The preset boxes, one per slot from 0.
inline QString AlarmPresetBox(int slot) {
    return QStringLiteral("Text1_%1").arg(slot);
}
inline QString CountDownPresetBox(int slot) {
    return QStringLiteral("Text2_%1").arg(slot);
}

} // namespace plimset::options_names
