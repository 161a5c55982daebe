#pragma once

#include "core/AppState.h"

#include <QString>
#include <QTime>

namespace plimset {

// A time in minutes.seconds form: the integer part counts minutes, the first two
// fraction digits count seconds (1.30 is one minute thirty).
using TimeValue = float;

// The options that shape time texts.
struct TimeFormat {
    qint16 TimeSeparator = 1; // 0: "1.30", 1: "1:30"
    qint16 MaxLength = 6;     // 8 together with ":" shows hours
};

TimeValue ParseTimeText(const QString& text, const TimeFormat& format);
QString FormatTimeText(TimeValue value, const TimeFormat& format);
float TimeValueToSeconds(TimeValue value);
// Seconds to a time value, without the carry; callers clamp, then call CarryTimeValue.
TimeValue SecondsToTimeValue(float seconds);
// Turns a value whose seconds round up to 60 into the next whole minute.
TimeValue CarryTimeValue(TimeValue value);
QString AddMinutesToClockText(const QString& text, qint16 minutes, const QTime& now);
bool AlarmTimeReached(const QString& text, const QTime& now);
// The caption of a preset menu item; minText and secText are the localized "min" and "sec".
QString PresetLabel(TimerMode mode, float preset, const QString& minText, const QString& secText);

} // namespace plimset
