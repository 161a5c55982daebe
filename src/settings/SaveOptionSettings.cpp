#include "settings/SaveOptionSettings.h"

#include "settings/OptionSettings.h"
#include "settings/SettingsFile.h"

#include <QList>
#include <QPair>

namespace plimset {

namespace {

// The slotCount that are set, moved to the front in their order; the rest of the array 0.
template <typename T> std::vector<T> Compacted(const std::vector<T>& shown, int slotCount, int size) {
    std::vector<T> kept(static_cast<size_t>(size), T(0));
    int next = 0;
    for (int j = 0; j < slotCount && j < static_cast<int>(shown.size()); ++j) {
        if (shown[j] > 0)
            kept[next++] = shown[j];
    }
    return kept;
}

template <typename T> qint16 CountSet(const std::vector<T>& values) {
    qint16 n = 0;
    for (T v : values)
        n += v != T(0) ? 1 : 0;
    return n;
}

} // namespace

QString SingleText(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

QString CountDownPresetText(float value) {
    const QString shortest = SingleText(value);
    if (!shortest.contains(u'.'))
        return shortest;
    QString text = QString::number(static_cast<double>(value), 'f', 2);
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    return text;
}

bool SaveOptionSettings(SettingsFile& file, OptionSettings& current, const OptionSettings& edited) {
    QList<QPair<QString, QString>> writes;
    const auto write = [&writes](const QString& key, const QString& text) {
        writes.append({key, text});
    };
    const auto number = [](qint16 value) { return QString::number(value); };
    const auto setInt = [&](qint16& field, qint16 value, const char* key) {
        if (field != value) {
            field = value;
            write(QLatin1String(key), number(value));
        }
    };
    const auto setSingle = [&](float& field, float value, const char* key) {
        if (field != value) {
            field = value;
            write(QLatin1String(key), SingleText(value));
        }
    };
    const auto setText = [&](QString& field, const QString& value, const char* key) {
        if (field != value) {
            field = value;
            write(QLatin1String(key), value);
        }
    };

    const int slotCount = current.MaxCol;
    const int size = slotCount + 1;
    current.AlarmPresets.resize(size, 0);
    current.CountDownPresets.resize(size, 0.0f);
    const std::vector<qint16> alarms = Compacted(edited.AlarmPresets, slotCount, size);
    const std::vector<float> countDowns = Compacted(edited.CountDownPresets, slotCount, size);
    current.AlarmCount = CountSet(alarms);
    current.CountDownCount = CountSet(countDowns);

    for (int j = 0; j < slotCount; ++j) {
        if (current.AlarmPresets[j] != alarms[j]) {
            current.AlarmPresets[j] = alarms[j];
            write(QStringLiteral("Alarm%1").arg(j + 1), number(alarms[j]));
        }
    }
    setInt(current.AddMinute, edited.AddMinute, "AddMinute");
    for (int j = 0; j < slotCount; ++j) {
        if (current.CountDownPresets[j] != countDowns[j]) {
            current.CountDownPresets[j] = countDowns[j];
            write(QStringLiteral("CountDown%1").arg(j + 1), CountDownPresetText(countDowns[j]));
        }
    }
    setInt(current.CountDownRepeat, edited.CountDownRepeat, "CountDownRepeat");
    setInt(current.SoundFlag, edited.SoundFlag, "SoundFlag");
    if (current.SoundFlag == 1)
        setText(current.SoundFile, edited.SoundFile, "SoundFile");
    if (current.SoundFlag == 0)
        setInt(current.SoundBeep, edited.SoundBeep, "SoundBeep");
    setInt(current.SoundUntilEnd, edited.SoundUntilEnd, "SoundUntilEnd");
    setInt(current.MessageBox, edited.MessageBox, "MessageBox");
    setSingle(current.RingDuration, edited.RingDuration, "RingDuration");
    setSingle(current.DisplayDuration, edited.DisplayDuration, "DisplayDuration");
    setSingle(current.MessageBoxSize, edited.MessageBoxSize, "MessageBoxSize");
    setInt(current.TaskTray, edited.TaskTray, "TaskTray");
    setInt(current.TaskBar, edited.TaskBar, "TaskBar");
    setInt(current.Progress, edited.Progress, "Progress");
    setInt(current.ShowAlways, edited.ShowAlways, "ShowAlways");
    setInt(current.MaxLength, edited.MaxLength, "MaxLength");
    setInt(current.Hotkey, edited.Hotkey, "HotKey");
    setInt(current.Language, edited.Language, "Language");
    current.MaxTimeValue = MaxTimeValue(current.MaxLength, current.TimeSeparator);
    setText(current.MessageBoxTextA1_E, edited.MessageBoxTextA1_E, "MessageBoxTextA1_E");
    setText(current.MessageBoxTextA2_E, edited.MessageBoxTextA2_E, "MessageBoxTextA2_E");
    setText(current.MessageBoxTextA1_J, edited.MessageBoxTextA1_J, "MessageBoxTextA1_J");
    setText(current.MessageBoxTextA2_J, edited.MessageBoxTextA2_J, "MessageBoxTextA2_J");
    setText(current.MessageBoxTextC1_E, edited.MessageBoxTextC1_E, "MessageBoxTextC1_E");
    setText(current.MessageBoxTextC2_E, edited.MessageBoxTextC2_E, "MessageBoxTextC2_E");
    setText(current.MessageBoxTextC1_J, edited.MessageBoxTextC1_J, "MessageBoxTextC1_J");
    setText(current.MessageBoxTextC2_J, edited.MessageBoxTextC2_J, "MessageBoxTextC2_J");

    return file.WriteIniStrings(QStringLiteral("Option"), writes);
}

} // namespace plimset
