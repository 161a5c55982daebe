#include "core/TimeText.h"

#include "core/NumericText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace plimset {

namespace {

constexpr int MinutesPerDay = 24 * 60;

// A double result stored as a single value. Out-of-range results are clamped to the
// largest single value (a plain cast would be undefined) and NaN becomes 0, so nothing
// downstream ever sees a value it cannot print or compare.
float toSingle(double value) {
    if (std::isnan(value)) {
        return 0.0f;
    }
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest) {
        return std::numeric_limits<float>::max();
    }
    if (value < -largest) {
        return -std::numeric_limits<float>::max();
    }
    return static_cast<float>(value);
}

float sanitized(float value) {
    return toSingle(static_cast<double>(value));
}

// A value rounded to a fixed number of decimals, as digit strings.
struct RoundedDecimal {
    bool negative = false;
    std::string integerDigits; // no leading zeros; "0" for zero
    std::string fractionDigits;
};

// Rounds half away from zero to `decimals` places. The rounding works on the shortest
// decimal text that reads back as the same single value (the digits a person sees when
// the value is printed), not on its binary expansion: 0.595 is stored as 0.59499997...,
// yet it must show as 0.60, so that a count of 59.5 seconds reaches the next minute.
RoundedDecimal roundDecimal(float value, int decimals) {
    char buffer[128];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, sanitized(value), std::chars_format::fixed);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");

    RoundedDecimal result;
    if (!text.empty() && text.front() == '-') {
        result.negative = true;
        text.erase(0, 1);
    }
    const std::size_t point = text.find('.');
    std::string digits = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    fraction.resize(static_cast<std::size_t>(decimals) + 1, '0');
    const bool roundUp = fraction[static_cast<std::size_t>(decimals)] >= '5';
    digits += fraction.substr(0, static_cast<std::size_t>(decimals));

    if (roundUp) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }

    const std::size_t integerLength = digits.size() - static_cast<std::size_t>(decimals);
    result.integerDigits = digits.substr(0, integerLength);
    result.fractionDigits = digits.substr(integerLength);
    const std::size_t firstNonZero = result.integerDigits.find_first_not_of('0');
    result.integerDigits = firstNonZero == std::string::npos
                               ? std::string("0")
                               : result.integerDigits.substr(firstNonZero);
    if (digits.find_first_not_of('0') == std::string::npos) {
        result.negative = false; // no "-0.00"
    }
    return result;
}

QString sign(const RoundedDecimal& value) {
    return value.negative ? QStringLiteral("-") : QString();
}

// The value in format "0.00": at least one integer digit, exactly two decimals.
QString twoDecimals(float value, QChar separator) {
    const RoundedDecimal d = roundDecimal(value, 2);
    return sign(d) + QString::fromStdString(d.integerDigits) + separator +
           QString::fromStdString(d.fractionDigits);
}

// The value in format "#": a rounded integer without leading zeros. Zero shows as "0"
// so that a label never loses its number.
QString wholeNumber(float value) {
    const RoundedDecimal d = roundDecimal(value, 0);
    return sign(d) + QString::fromStdString(d.integerDigits);
}

// Divides a decimal digit string by 60; the quotient has no leading zeros.
std::string divideBy60(const std::string& digits, int* remainder) {
    std::string quotient;
    int rest = 0;
    for (char c : digits) {
        rest = rest * 10 + (c - '0');
        quotient += static_cast<char>('0' + rest / 60);
        rest %= 60;
    }
    *remainder = rest;
    const std::size_t firstNonZero = quotient.find_first_not_of('0');
    return firstNonZero == std::string::npos ? std::string("0") : quotient.substr(firstNonZero);
}

bool showsColon(const TimeFormat& format) {
    return format.separator == TimeSeparator::Colon;
}

bool showsHours(const TimeFormat& format) {
    return showsColon(format) && format.length == 8;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// One half of a clock text is numeric when, blanks aside, it is a sign, digits and at
// most one point, with at least one digit.
bool isNumericPart(const QString& part) {
    bool anyDigit = false;
    bool seenPoint = false;
    bool seenSign = false;
    for (QChar c : part) {
        if (c == u' ' || c == u'\t') {
            continue;
        }
        if (c >= u'0' && c <= u'9') {
            anyDigit = true;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else if ((c == u'+' || c == u'-') && !anyDigit && !seenPoint && !seenSign) {
            seenSign = true;
        } else {
            return false;
        }
    }
    return anyDigit;
}

QString clockText(int hour, int minute) {
    return QString::number(hour) + u':' + twoDigits(minute);
}

} // namespace

TimeValue ParseTimeText(const QString& text, const TimeFormat& format) {
    if (!showsColon(format)) {
        return toSingle(NumericValue(text));
    }
    const qsizetype first = text.indexOf(u':');
    if (first < 0) {
        return toSingle(NumericValue(text));
    }
    if (text.indexOf(u':', first + 1) < 0) {
        QString minutesDotSeconds = text;
        minutesDotSeconds[first] = u'.';
        return toSingle(NumericValue(minutesDotSeconds));
    }
    // h:mm:ss: hours before the first colon, minutes.seconds after it.
    QString rest = text.mid(first + 1);
    rest.replace(u':', u'.');
    return toSingle(NumericValue(text.left(first)) * 60 + NumericValue(rest));
}

QString FormatTimeText(TimeValue value, const TimeFormat& format) {
    const QChar separator = showsColon(format) ? u':' : u'.';
    const float v = sanitized(value);
    if (!showsHours(format) || std::floor(v) < 60) {
        return twoDecimals(v, separator);
    }
    // Hours are split off the rounded value, so a value whose seconds round up to a full
    // minute moves into the next minute (and hour) instead of showing "1:60:00". The
    // hour count is exact however large the value is.
    const RoundedDecimal d = roundDecimal(v, 2);
    int minutes = 0;
    const std::string hours = divideBy60(d.integerDigits, &minutes);
    return QString::fromStdString(hours) + u':' + twoDigits(minutes) + u':' +
           QString::fromStdString(d.fractionDigits);
}

float TimeValueToSeconds(TimeValue value) {
    const double v = sanitized(value);
    if (v < 1) {
        return toSingle(v * 100);
    }
    const double minutes = std::floor(v);
    return toSingle(minutes * 60 + (v - minutes) * 100);
}

TimeValue SecondsToTimeValue(float seconds) {
    const double s = sanitized(seconds);
    const double minutes = std::floor(s / 60);
    return toSingle(minutes + (s - minutes * 60) / 100);
}

TimeValue CarryTimeValue(TimeValue value) {
    const float v = sanitized(value);
    if (roundDecimal(v, 2).fractionDigits == "60") {
        return toSingle(std::floor(static_cast<double>(v)) + 1);
    }
    return v;
}

QString AddMinutesToClockText(const QString& text, std::chrono::minutes minutes, const QTime& now) {
    const int nowHour = now.isValid() ? now.hour() : 0;
    const int nowMinute = now.isValid() ? now.minute() : 0;

    QString t = text;
    if (t.size() == 4) {
        t.prepend(u'0');
    }
    int hour = nowHour;
    int minute = nowMinute;
    if (t.size() == 5 && t[2] == u':' && isNumericPart(t.left(2)) && isNumericPart(t.right(2))) {
        hour = RoundToInt16(NumericValue(t.left(2)));
        minute = RoundToInt16(NumericValue(t.right(2)));
        // A negative hour or minute is as invalid as 24:00 or 7:60.
        if (hour < 0 || hour > 23 || minute < 0 || minute >= 60) {
            hour = nowHour;
            minute = nowMinute;
        }
    }
    // Minutes wrap around the day in either direction, so a negative count moves the
    // time back instead of producing a negative minute.
    int total = static_cast<int>((hour * 60 + minute + minutes.count()) % MinutesPerDay);
    if (total < 0) {
        total += MinutesPerDay;
    }
    return clockText(total / 60, total % 60);
}

bool AlarmTimeReached(const QString& text, const QTime& now) {
    if (!now.isValid()) {
        return false;
    }
    const QString minute = twoDigits(now.minute());
    return text == QString::number(now.hour()) + u':' + minute ||
           text == twoDigits(now.hour()) + u':' + minute;
}

QString PresetLabel(TimerMode mode, float preset, const QString& minText, const QString& secText) {
    const float p = sanitized(preset);
    if (mode == TimerMode::Alarm) {
        return QString::number(RoundToInt16(p)) + minText;
    }
    const double whole = std::floor(static_cast<double>(p));
    if (static_cast<double>(p) == whole) {
        return wholeNumber(p) + minText;
    }
    if (p < 1) {
        return wholeNumber(toSingle(static_cast<double>(p) * 100)) + secText;
    }
    return wholeNumber(toSingle(whole)) + minText + u' ' +
           wholeNumber(toSingle((static_cast<double>(p) - whole) * 100)) + secText;
}

} // namespace plimset
