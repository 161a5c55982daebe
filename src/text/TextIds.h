#pragma once

#include <QtGlobal>

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
inline constexpr int TrayIconTimeout = 471;
inline constexpr int AlarmName = 601; // 601 + mode - 1: Alarm, CountDown, StopWatch
inline constexpr int MinutesUnit = 611;
inline constexpr int SecondsUnit = 612;
inline constexpr int CountDownEnded = 801;
inline constexpr int ClickStop = 802;
inline constexpr int SetTimeCome = 803;
inline constexpr int NoHotkey = 821;
inline constexpr int UsageTitle = 991;
inline constexpr int UsageInputText = 992;
inline constexpr int UsageCountDown = 993;
inline constexpr int UsageAlarm = 994;
inline constexpr int UsageStopWatch = 995;

// The name of a timer mode (1 Alarm, 2 CountDown, 3 StopWatch).
constexpr int ModeName(qint16 mode) {
    return AlarmName + mode - 1;
}

// The full id of a base id's Japanese twin.
constexpr int Japanese(int baseId) {
    return 17000 + baseId;
}

} // namespace plimset::TextIds
