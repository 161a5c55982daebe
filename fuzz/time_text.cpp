// The time text parser and formatter with any text and format: no undefined behaviour, a
// formatted value reads back as itself (to the hundredth shown), the alarm arithmetic
// always yields a valid H:MM, and the conversions to and from seconds stay finite.
#include "FuzzSupport.h"
#include "core/TimeText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QRegularExpression>

#include <cmath>

using namespace plimset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    TimeFormat format;
    format.separator = provider.ConsumeBool() ? TimeSeparator::Colon : TimeSeparator::Dot;
    format.length = provider.ConsumeIntegralInRange<qint16>(5, 8);
    const qint16 minutes = provider.ConsumeIntegral<qint16>();
    const QTime now(provider.ConsumeIntegralInRange(0, 23), provider.ConsumeIntegralInRange(0, 59),
                    provider.ConsumeIntegralInRange(0, 59));
    const QString text = QString::fromStdString(provider.ConsumeRemainingBytesAsString());

    const TimeValue value = ParseTimeText(text, format);
    const QString shown = FormatTimeText(value, format);
    if (std::isfinite(value) && value >= 0 && value < 100000) {
        const TimeValue again = ParseTimeText(shown, format);
        FUZZ_CHECK(std::fabs(again - value) <= 0.0051f + value * 1e-6f);
        const float seconds = TimeValueToSeconds(value);
        FUZZ_CHECK(std::isfinite(seconds) && seconds >= 0);
        const TimeValue back = CarryTimeValue(SecondsToTimeValue(seconds));
        FUZZ_CHECK(std::isfinite(back) && back >= 0);
        FormatTimeText(back, format);
    }

    static const QRegularExpression clockText(QStringLiteral("^([01]?[0-9]|2[0-3]):[0-5][0-9]$"));
    const QString alarm = AddMinutesToClockText(text, std::chrono::minutes(minutes), now);
    FUZZ_CHECK(clockText.match(alarm).hasMatch());
    AlarmTimeReached(text, now);
    FUZZ_CHECK(AlarmTimeReached(AddMinutesToClockText(text, std::chrono::minutes(0), now), now) ==
               (AddMinutesToClockText(text, std::chrono::minutes(0), now) ==
                now.toString(QStringLiteral("H:mm"))));

    PresetLabel(TimerMode::Alarm, value, QStringLiteral("min"), QStringLiteral("sec"));
    PresetLabel(TimerMode::CountDown, value, QStringLiteral("min"), QStringLiteral("sec"));
    return 0;
}
