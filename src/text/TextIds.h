#pragma once

#include "core/AppState.h"

// Base ids of the string-table texts the code asks for by name. The table itself holds
// every text; these are the ones code refers to outside a form's captioning.
namespace plimset::TextIds {

inline constexpr int OptionsTitle = 101;
inline constexpr int Restore = 201;
inline constexpr int Minimize = 204;
inline constexpr int Exit = 219;
inline constexpr int AlwaysOnTop = 251;
inline constexpr int FontMenu = 252;
inline constexpr int BackColorMenu = 253;
inline constexpr int OptionsMenu = 269;
inline constexpr int SaveChangesQuestion = 401;
inline constexpr int FileNotFound = 461;
inline constexpr int CannotPlayFile = 462;
inline constexpr int NoSoundOutput = 463;
inline constexpr int TrayIconTimeout = 471;
inline constexpr int AlarmName = 601; // then CountDown, StopWatch
inline constexpr int MinutesUnit = 611;
inline constexpr int SecondsUnit = 612;
inline constexpr int CountDownEnded = 801;
inline constexpr int ClickStop = 802;
inline constexpr int SetTimeCome = 803;
inline constexpr int NoHotkey = 821;
inline constexpr int DesktopHotkeyNote = 822; // %1: the key asked for
inline constexpr int NoGlobalShortcutsNote = 823;
inline constexpr int ShortcutSettingsCaption = 824;
inline constexpr int UsageTitle = 991;
inline constexpr int UsageInputText = 992;
inline constexpr int UsageCountDown = 993;
inline constexpr int UsageAlarm = 994;
inline constexpr int UsageStopWatch = 995;

// The Options dialog's captions, list items and messages.
inline constexpr int OkCaption = 301;
inline constexpr int CancelCaption = 302;
inline constexpr int BrowseCaption = 304;
inline constexpr int ReflectCaption = 311;
inline constexpr int AtLeastPrefix = 452; // "Input " + the least value + AtLeastSuffix
inline constexpr int AtLeastSuffix = 453;
inline constexpr int AlarmGroupCaption = 701;
inline constexpr int CountDownGroupCaption = 702;
inline constexpr int SoundGroupCaption = 703;
inline constexpr int AlertWindowGroupCaption = 704;
inline constexpr int TrayGroupCaption = 705;
inline constexpr int WindowSizeGroupCaption = 706;
inline constexpr int DisplayLengthGroupCaption = 707;
inline constexpr int HotkeyCaption = 708;
inline constexpr int LanguageCaption = 709;
inline constexpr int RestoreDefaultsGroupCaption = 710;
inline constexpr int MessageTextsGroupCaption = 711;
inline constexpr int AddMinuteCaption = 721;
inline constexpr int OneToNinetyNineCaption = 722;
inline constexpr int RepeatCaption = 726;
inline constexpr int BeepSourceCaption = 731;
inline constexpr int FileSourceCaption = 732;
inline constexpr int SilentSourceCaption = 733;
inline constexpr int BeepCountCaption = 734;
inline constexpr int RingDurationCaption = 735;
inline constexpr int UntilEndCaption = 736;
inline constexpr int DurationUnitCaption = 737;
inline constexpr int AlertWindowCaption = 741;
inline constexpr int AlertSizeCaption = 742;
inline constexpr int TimesCaption = 743;
inline constexpr int DisplayDurationCaption = 744;
inline constexpr int TrayIconCaption = 751;
inline constexpr int TaskbarButtonCaption = 752;
inline constexpr int ProgressCaption = 753;
inline constexpr int ShowAlwaysCaption = 754;
inline constexpr int WidthCaption = 761;
inline constexpr int HeightCaption = 762;
inline constexpr int RestoreLookCaption = 771;
inline constexpr int RestoreAllCaption = 772;
inline constexpr int LengthMaxWord = 811;
inline constexpr int LengthMinutesWord = 812;
inline constexpr int SystemLanguage = 831; // then English, Japanese
inline constexpr int AllFilesFilter = 951;
inline constexpr int MediaFilesFilter = 952;

// The name of a timer mode.
constexpr int ModeName(TimerMode mode) {
    return AlarmName + static_cast<int>(mode);
}

// The full id of a base id's Japanese twin.
constexpr int Japanese(int baseId) {
    return 17000 + baseId;
}

} // namespace plimset::TextIds
