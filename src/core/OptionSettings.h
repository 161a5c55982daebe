#pragma once

#include <QString>
#include <vector>

namespace plimset {

// Every user option: the record the engine, the windows and the alert read, and that the
// settings layer (src/settings) loads from and saves to the [Advanced] and [Option] sections
// of the settings file. Field names are the settings keys.
struct OptionSettings {
    // [Advanced]: read only, for hand editing.
    qint16 MaxCol = 5;
    QString ModeOrder = QStringLiteral("213");
    qint16 ButtonStyle = 2;
    qint16 TimeSeparator = 1;

    // [Option]
    qint16 AlarmCount = 0;               // entries of AlarmPresets that are not 0
    qint16 CountDownCount = 0;           // entries of CountDownPresets that are not 0
    std::vector<qint16> AlarmPresets;    // MaxCol + 1 entries, minutes; 0 = empty slot
    std::vector<float> CountDownPresets; // MaxCol + 1 entries, time values; 0 = empty slot
    qint16 AddMinute = 10;
    qint16 CountDownRepeat = 0;
    qint16 SoundFlag = 1; // 0 beep, 1 file, 2 nothing
    QString SoundFile;
    qint16 SoundBeep = 10;
    qint16 SoundUntilEnd = 0;
    qint16 MessageBox = 1;
    float RingDuration = 0.03f;
    float DisplayDuration = 1.0f;
    float MessageBoxSize = 1.0f;
    qint16 TaskTray = 0;
    qint16 TaskBar = 1;
    qint16 Progress = 0;
    qint16 ShowAlways = 0;
    qint16 MaxLength = 6;
    qint16 Hotkey = 0;
    qint16 Language = 0; // 0 system default, 1 English, 2 Japanese
    QString MessageBoxTextA1_E;
    QString MessageBoxTextA2_E;
    QString MessageBoxTextA1_J;
    QString MessageBoxTextA2_J;
    QString MessageBoxTextC1_E;
    QString MessageBoxTextC2_E;
    QString MessageBoxTextC1_J;
    QString MessageBoxTextC2_J;

    // Derived from MaxLength and TimeSeparator at every load and save.
    float MaxTimeValue = 1000.0f;
};

// The largest countdown or stopwatch value for a display length and separator.
float MaxTimeValue(qint16 maxLength, qint16 timeSeparator);

} // namespace plimset
