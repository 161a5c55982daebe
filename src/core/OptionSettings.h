#pragma once

#include "core/AppState.h"
#include "core/TimeText.h"

#include <QString>
#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

namespace plimset {

// Where the alert's sound comes from.
enum class SoundSource { Beep, File, None };

// The faces of the main window's action button: words, or pictures with a plain or a round
// start picture.
enum class ButtonFace { Words, Pictures, RoundPictures };

// The interface language: the session's, or one chosen. The settings file stores the
// enumerators' positions (src/settings/OptionTable.cpp), so new ones go at the end.
enum class LanguageSetting {
    System,
    English,
    Japanese,
    German,
    French,
    Spanish,
    SimplifiedChinese
};

// The order of the modes in the main window's mode list.
using ModeOrder = std::array<TimerMode, 3>;

// Every user option, as the engine, the windows and the alert read it. The settings layer
// (src/settings) loads it from the settings file and saves it there; its option table holds
// each key, its default and its range, and DefaultOptions() there is the record an empty
// file loads. The members start empty here: no default is written twice.
struct OptionSettings {
    // Read from the file only, for hand editing.
    int presetSlots = 0; // preset boxes per mode
    ModeOrder modeOrder{};
    ButtonFace buttonFace{};
    TimeSeparator timeSeparator{};
    bool desktopNotification = false; // every alert also posts a desktop notification

    // Slot i of each mode; the last one is always empty. Empty slots are zero.
    std::vector<std::chrono::minutes> alarmPresets;
    std::vector<Seconds> countDownPresets;
    int alarmCount = 0;     // alarm presets that are not empty
    int countDownCount = 0; // countdown presets that are not empty
    std::chrono::minutes minutesToAdd{};
    bool repeatCountDown = false;
    SoundSource soundSource{};
    QString soundFile;
    int beepCount = 0;
    bool playSoundToEnd = false;
    bool showAlertWindow = false;
    Seconds ringDuration{};    // zero: until stopped
    Seconds displayDuration{}; // zero: until stopped
    double alertWindowScale = 0;
    bool trayIcon = false;
    bool taskbarButton = false;
    bool showProgress = false;   // the running time on the tray icon or the taskbar button
    bool progressAlways = false; // also while the window is shown
    int displayLength = 0;       // characters of the time field
    qint16 hotkey = 0;           // in the stored form HotkeyText.h describes; 0 for none
    LanguageSetting language{};
    QString englishAlarmText1;
    QString englishAlarmText2;
    QString japaneseAlarmText1;
    QString japaneseAlarmText2;
    QString englishCountDownText1;
    QString englishCountDownText2;
    QString japaneseCountDownText1;
    QString japaneseCountDownText2;

    // Follows displayLength and timeSeparator.
    Seconds largestTime{};
};

// The largest countdown or stopwatch value for a display length and separator.
Seconds LargestTime(int displayLength, TimeSeparator separator);

// Whether the countdown comes before the alarm in a mode order.
inline bool CountDownFirst(const ModeOrder& order) {
    return std::find(order.begin(), order.end(), TimerMode::CountDown) <
           std::find(order.begin(), order.end(), TimerMode::Alarm);
}

// How the options shape time texts.
inline TimeFormat TimeFormatOf(const OptionSettings& options) {
    return TimeFormat{options.timeSeparator, options.displayLength};
}

} // namespace plimset
