#include "settings/SaveOptionSettings.h"

#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"

#include <QList>
#include <QPair>
#include <variant>

namespace plimset {

namespace {

// The slotCount that are set, moved to the front in their order; the rest of the array 0.
template <typename T>
std::vector<T> Compacted(const std::vector<T>& shown, int slotCount, int size) {
    std::vector<T> kept(static_cast<size_t>(size), T(0));
    int next = 0;
    for (int j = 0; j < slotCount && j < static_cast<int>(shown.size()); ++j) {
        if (shown[j] > 0)
            kept[next++] = shown[j];
    }
    return kept;
}

template <class... Visitor> struct Overloaded : Visitor... { using Visitor::operator()...; };
template <class... Visitor> Overloaded(Visitor...) -> Overloaded<Visitor...>;

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
    const int slotCount = current.MaxCol;
    const int size = slotCount + 1;
    current.AlarmPresets.resize(size, 0);
    current.CountDownPresets.resize(size, 0.0f);
    const std::vector<qint16> alarms = Compacted(edited.AlarmPresets, slotCount, size);
    const std::vector<float> countDowns = Compacted(edited.CountDownPresets, slotCount, size);
    current.AlarmCount = CountSet(alarms);
    current.CountDownCount = CountSet(countDowns);

    const auto writeAlarms = [&] {
        for (int j = 0; j < slotCount; ++j) {
            if (current.AlarmPresets[j] != alarms[j]) {
                current.AlarmPresets[j] = alarms[j];
                write(QStringLiteral("Alarm%1").arg(j + 1), number(alarms[j]));
            }
        }
    };
    const auto writeCountDowns = [&] {
        for (int j = 0; j < slotCount; ++j) {
            if (current.CountDownPresets[j] != countDowns[j]) {
                current.CountDownPresets[j] = countDowns[j];
                write(QStringLiteral("CountDown%1").arg(j + 1), CountDownPresetText(countDowns[j]));
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
        if (key == QLatin1String("AddMinute"))
            writeAlarms();
        if ((key == QLatin1String("SoundFile") && current.SoundFlag != 1) ||
            (key == QLatin1String("SoundBeep") && current.SoundFlag != 0))
            continue;
        std::visit(Overloaded{
                       [&](qint16 OptionSettings::*field) {
                           if (current.*field != edited.*field) {
                               current.*field = edited.*field;
                               write(key, number(current.*field));
                           }
                       },
                       [&](float OptionSettings::*field) {
                           if (current.*field != edited.*field) {
                               current.*field = edited.*field;
                               write(key, SingleText(current.*field));
                           }
                       },
                       [&](QString OptionSettings::*field) {
                           if (current.*field != edited.*field) {
                               current.*field = edited.*field;
                               write(key, current.*field);
                           }
                       },
                   },
                   row.field);
        if (key == QLatin1String("AddMinute"))
            writeCountDowns();
    }
    current.MaxTimeValue = MaxTimeValue(current.MaxLength, current.TimeSeparator);

    return file.WriteIniStrings(QStringLiteral("Option"), writes);
}

} // namespace plimset
