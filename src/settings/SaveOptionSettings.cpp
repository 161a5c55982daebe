#include "settings/SaveOptionSettings.h"

#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"

#include <QList>
#include <QPair>
#include <variant>
#include <vector>

namespace plimset {

namespace {

// The slotCount presets that are set, moved to the front in their order; the rest of the
// array empty.
template <typename T>
std::vector<T> Compacted(const std::vector<T>& shown, int slotCount, int size) {
    std::vector<T> kept(static_cast<size_t>(size), T(0));
    int next = 0;
    for (int j = 0; j < slotCount && j < static_cast<int>(shown.size()); ++j) {
        if (shown[j] > T(0))
            kept[next++] = shown[j];
    }
    return kept;
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
    const int slotCount = current.presetSlots;
    const int size = slotCount + 1;
    current.alarmPresets.resize(size, std::chrono::minutes(0));
    current.countDownPresets.resize(size, Seconds(0));
    const auto alarms = Compacted(edited.alarmPresets, slotCount, size);
    const auto countDowns = Compacted(edited.countDownPresets, slotCount, size);

    const auto writeAlarms = [&] {
        for (int j = 0; j < slotCount; ++j) {
            if (current.alarmPresets[j] != alarms[j]) {
                current.alarmPresets[j] = alarms[j];
                write(QStringLiteral("Alarm%1").arg(j + 1), QString::number(alarms[j].count()));
            }
        }
    };
    const auto writeCountDowns = [&] {
        for (int j = 0; j < slotCount; ++j) {
            if (current.countDownPresets[j] != countDowns[j]) {
                current.countDownPresets[j] = countDowns[j];
                write(QStringLiteral("CountDown%1").arg(j + 1),
                      CountDownPresetText(DurationTimeValue(countDowns[j])));
            }
        }
    };

    // The rows of [Option] in their order, with the Alarm presets before the minutes added
    // and the CountDown presets after them. The sound file and the beep count belong to
    // their own source only.
    for (const OptionKey& row : OptionTable()) {
        if (row.section != OptionSection::Option)
            continue;
        const QLatin1String key(row.key);
        const bool minutesToAdd =
            std::holds_alternative<std::chrono::minutes OptionSettings::*>(row.field);
        if (minutesToAdd)
            writeAlarms();
        const bool soundFile = row.field == OptionField(&OptionSettings::soundFile);
        const bool beepCount = row.field == OptionField(&OptionSettings::beepCount);
        if ((soundFile && current.soundSource != SoundSource::File) ||
            (beepCount && current.soundSource != SoundSource::Beep))
            continue;
        if (!SameValue(current, edited, row)) {
            CopyValue(current, edited, row);
            write(key, StoredText(current, row));
        }
        if (minutesToAdd)
            writeCountDowns();
    }
    CountPresets(current);
    current.largestTime = LargestTime(current.displayLength, current.timeSeparator);

    return file.WriteIniStrings(QStringLiteral("Option"), writes);
}

} // namespace plimset
