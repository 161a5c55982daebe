// The engine's tick: the alarm's minute, the countdown's end and its alerts, the
// stopwatch's count, the running time shown as progress, and when the next tick is due.

#include "core/TimerEngine.h"

#include "core/AlertOutput.h"
#include "core/Clock.h"
#include "core/OptionSettings.h"
#include "core/TimerView.h"
#include "core/TrayTip.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace plimset {

namespace {

// How far ahead the next change of a shown count is looked for: one shown second lasts a
// second, a little more where single precision blurs the value of a very long count.
constexpr float countHorizon = 2.0f;
// A tick comes this much after the moment it is due, so that the clock, read in whole
// steps, has passed it.
constexpr double dueMargin = 0.001;

bool showsZero(const QString& text) {
    return text == u"0:00" || text == u"0.00";
}

int wholeMilliseconds(double seconds) {
    return static_cast<int>(std::clamp(std::ceil(seconds * 1000.0), 0.0, 86400000.0));
}

} // namespace

using enum TimerMode;
using enum RunState;
using enum AlertPhase;
using StampState = AlertStamp::State;

void TimerEngine::Tick() {
    // The clock is read even while a dialog or menu holds the tick, so no midnight is
    // missed; nothing visible changes until they close.
    const float now = readClock();
    if (state_.optionsOpen || state_.trayMenuOpen) {
        view_.ArmTick(StepMilliseconds);
        return;
    }
    switch (state_.mode) {
    case Alarm:
        tickAlarm(now);
        break;
    case CountDown:
        tickCountDown(now);
        break;
    case StopWatch:
        tickStopWatch(now);
        break;
    }
    armNextTick(now);
}

void TimerEngine::RefreshProgress() {
    if (runState_ != Stopped && !state_.optionsOpen && !state_.trayMenuOpen) {
        showProgress();
    }
}

void TimerEngine::armNextTick(float now) {
    if (runState_ == Stopped) {
        view_.StopTick();
        return;
    }
    int ms = 0;
    switch (state_.mode) {
    case Alarm:
        ms = phaseActive(Sound, now) || phaseActive(Message, now) ? StepMilliseconds
                                                                  : msUntilAlarmStep();
        break;
    case CountDown:
        ms = showsZero(view_.TimeText()) ? StepMilliseconds : msUntilCountChanges(now);
        break;
    case StopWatch:
        ms = msUntilCountChanges(now);
        break;
    }
    view_.ArmTick(ms);
}

int TimerEngine::msUntilAlarmStep() const {
    // The minute's start, and the moment the sound gets ready before it, on the wall clock.
    constexpr int minute = 60000;
    constexpr int prepare = minute - AlarmPrepareSeconds * 1000;
    const int intoMinute = clock_.LocalTime().msecsSinceStartOfDay() % minute;
    return (intoMinute < prepare ? prepare : minute) - intoMinute + 1;
}

int TimerEngine::msUntilCountChanges(float now) const {
    // The shown count is a step function of the single-precision reading, so the first
    // reading that shows another text is searched among the representable readings ahead
    // (non-negative floats order as their bit patterns do).
    const QString shown = FormatTimeText(countValue(now), format());
    const auto changesAt = [&](std::uint32_t bits) {
        return FormatTimeText(countValue(std::bit_cast<float>(bits)), format()) != shown;
    };
    std::uint32_t low = std::bit_cast<std::uint32_t>(std::max(now, 0.0f));
    std::uint32_t high = std::bit_cast<std::uint32_t>(std::max(now, 0.0f) + countHorizon);
    if (!changesAt(high)) {
        return wholeMilliseconds(countHorizon);
    }
    while (high - low > 1) {
        const std::uint32_t mid = low + (high - low) / 2;
        (changesAt(mid) ? high : low) = mid;
    }
    // The clock reads `high` from the midpoint between it and the reading below on.
    const double due = (static_cast<double>(std::bit_cast<float>(low)) +
                        static_cast<double>(std::bit_cast<float>(high))) /
                       2.0;
    return std::max(wholeMilliseconds(due - exactSecondsOfDay_ + dueMargin), 1);
}

TimeValue TimerEngine::countValue(float now) const {
    TimeValue v = 0;
    if (state_.mode == CountDown) {
        v = SecondsToTimeValue(targetTime_ - now);
        if (v < 0) {
            v = 0;
        }
    } else {
        // Midnight has already moved the target back a day (readClock), so the elapsed
        // time is never negative; a reading equal to the start is simply no time yet.
        v = SecondsToTimeValue(std::max(now - targetTime_, 0.0f));
        const TimeValue largest = DurationTimeValue(options_.largestTime);
        if (v > largest) {
            v = largest;
        }
    }
    return CarryTimeValue(v);
}

void TimerEngine::tickAlarm(float now) {
    const QString text = view_.TimeText();
    bool matched = AlarmTimeReached(text, clock_.LocalTime());
    if (matched) {
        if (stamp(Sound).state == StampState::Idle) {
            if (soundIsTimed()) {
                stampAlert(Sound, now);
            } else {
                SetAlertStart(Sound, {StampState::Unlimited});
            }
        }
        if (options_.showAlertWindow && stamp(Message).state == StampState::Idle) {
            if (options_.displayDuration > Seconds::zero()) {
                stampAlert(Message, now);
            } else {
                SetAlertStart(Message, {StampState::Unlimited});
            }
        }
    } else if (AlarmTimeReached(text, clock_.LocalTime().addSecs(AlarmPrepareSeconds))) {
        alert_.PrepareSound();
    }

    AlertParts pending;
    if (phaseActive(Sound, now)) {
        pending |= AlertPart::Sound;
    }
    if (phaseActive(Message, now)) {
        pending |= AlertPart::Window;
    }

    if (pending) {
        alert_.AlertStep(pending);
        // The alert step may take a while (opening a sound file), so look again.
        matched = AlarmTimeReached(view_.TimeText(), clock_.LocalTime());
    } else {
        hideAlertWindow();
        alert_.StopSound(SoundStop::Stop);
    }

    if (!matched) {
        // Finished phases are re-armed for the next day; active ones run on.
        if (!pending.testFlag(AlertPart::Sound)) {
            stamp(Sound) = {};
        }
        if (!pending.testFlag(AlertPart::Window)) {
            stamp(Message) = {};
        }
    }
    showProgress();
}

void TimerEngine::tickCountDown(float now) {
    if (runState_ != Running) {
        hideAlertWindow();
        showProgress();
        return;
    }

    const QString text = view_.TimeText();
    if (showsZero(text)) {
        int done = 0;
        if (soundIsTimed()) {
            if (stamp(Sound).state == StampState::Idle) {
                stampAlert(Sound, now);
            } else if (!phaseActive(Sound, now)) {
                done += 1;
            }
        } else if (stamp(Sound).state == StampState::PlayedToEnd) {
            done = 1;
        }

        if (!options_.showAlertWindow) {
            done += 2;
        } else if (options_.displayDuration > Seconds::zero()) {
            if (stamp(Message).state == StampState::Idle) {
                stampAlert(Message, now);
            } else if (!phaseActive(Message, now)) {
                done += 2;
            }
        }

        if (done == 3) {
            PressActionButton(); // stop, which reloads the last duration
            if (options_.repeatCountDown) {
                PressActionButton();
            }
        } else {
            alert_.AlertStep(AlertParts::fromInt(3 - done));
        }
        return;
    }

    hideAlertWindow();
    alert_.RingAtNextSoundStep();
    SetText(FormatTimeText(countValue(now), format()));
    showProgress();
}

void TimerEngine::tickStopWatch(float now) {
    if (runState_ != Running) {
        hideAlertWindow();
        showProgress();
        return;
    }

    const TimeValue v = countValue(now);
    SetText(FormatTimeText(v, format()));
    if (v >= DurationTimeValue(options_.largestTime)) {
        SetRunState(Stopped);
    }
    showProgress();
}

void TimerEngine::showProgress() {
    if (!options_.showProgress || (!options_.trayIcon && !options_.taskbarButton)) {
        return;
    }
    if (runState_ != Stopped) {
        const QString text = view_.TimeText();
        if ((!view_.IsWindowVisible() || options_.progressAlways) && options_.trayIcon &&
            text != lastTrayTip_) {
            tray_.SetTrayTip(text);
            lastTrayTip_ = text;
        }
        if (((view_.IsWindowMinimized() && !options_.trayIcon) || options_.progressAlways) &&
            options_.taskbarButton && view_.Caption() != text) {
            view_.SetCaption(text);
        }
    } else {
        const QString modeCaption = ModeCaption(state_.mode);
        if (view_.Caption() != modeCaption) {
            view_.SetCaption(modeCaption);
        }
        const QString caption = view_.Caption();
        if (options_.trayIcon && caption != lastTrayTip_) {
            tray_.SetTrayTip(caption);
            lastTrayTip_ = caption;
        }
    }
}

} // namespace plimset
