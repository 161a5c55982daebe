#pragma once

#include "core/AppState.h"

#include <QString>
#include <QTime>
#include <chrono>

namespace plimset {

// A time in minutes.seconds form: the integer part counts minutes, the first two
// fraction digits count seconds (1.30 is one minute thirty).
using TimeValue = float;

// A span of time in seconds, as the engine counts them.
using Seconds = std::chrono::duration<float>;

// What separates minutes from seconds in a time text.
enum class TimeSeparator { Dot, Colon }; // "1.30" or "1:30"

// The options that shape time texts.
struct TimeFormat {
    TimeSeparator separator = TimeSeparator::Colon;
    int length = 6; // 8 together with ":" shows hours
};

TimeValue ParseTimeText(const QString& text, const TimeFormat& format);
QString FormatTimeText(TimeValue value, const TimeFormat& format);
float TimeValueToSeconds(TimeValue value);
// Seconds to a time value, without the carry; callers clamp, then call CarryTimeValue.
TimeValue SecondsToTimeValue(float seconds);
// Turns a value whose seconds round up to 60 into the next whole minute.
TimeValue CarryTimeValue(TimeValue value);
QString AddMinutesToClockText(const QString& text, std::chrono::minutes minutes, const QTime& now);
bool AlarmTimeReached(const QString& text, const QTime& now);
// The caption of a preset menu item; minText and secText are the localized "min" and "sec".
QString PresetLabel(TimerMode mode, float preset, const QString& minText, const QString& secText);

// The seconds a time value stands for, and the time value of a span of seconds.
inline Seconds TimeValueDuration(TimeValue value) {
    return Seconds(TimeValueToSeconds(value));
}

inline TimeValue DurationTimeValue(Seconds span) {
    return SecondsToTimeValue(span.count());
}

} // namespace plimset
