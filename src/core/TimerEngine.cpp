#include "core/TimerEngine.h"

#include "core/AlertOutput.h"
#include "core/Clock.h"
#include "core/OptionSettings.h"
#include "core/TimerView.h"
#include "core/TrayTip.h"

namespace plimset {

namespace {

constexpr float secondsPerDay = 86400.0f;

std::size_t modeIndex(TimerMode mode) {
    return static_cast<std::size_t>(mode);
}

} // namespace

using enum TimerMode;
using enum RunState;

TimerEngine::TimerEngine(AppState& state, const OptionSettings& options, Clock& clock,
                         TimerView& view, AlertOutput& alert, TrayTip& tray)
    : state_(state), options_(options), clock_(clock), view_(view), alert_(alert), tray_(tray),
      day_(clock.Read().day) {}

void TimerEngine::SetModeCaptions(const QString& alarm, const QString& countDown,
                                  const QString& stopWatch) {
    modeCaptions_ = {alarm, countDown, stopWatch};
}

QString TimerEngine::ModeCaption(TimerMode mode) const {
    return modeCaptions_[modeIndex(mode)];
}

TimeFormat TimerEngine::format() const {
    return TimeFormatOf(options_);
}

float TimerEngine::readClock() {
    const ClockReading reading = clock_.Read();
    if (reading.day > day_) {
        // Midnight passed since the previous reading, once or (after a long sleep) more
        // often: a running count's target moves back with the clock, and alert stamps are
        // read against the day count.
        if (runState_ == Running) {
            targetTime_ -= secondsPerDay * static_cast<float>(reading.day - day_);
        }
        day_ = reading.day;
    }
    exactSecondsOfDay_ = reading.exactSecondsOfDay;
    return reading.secondsOfDay;
}

void TimerEngine::stampAlert(AlertPhase phase, float now) {
    SetAlertStart(phase, {AlertStamp::State::Timed, now});
}

void TimerEngine::resetAlerts() {
    stamps_ = {};
}

void TimerEngine::SetAlertStart(AlertPhase phase, AlertStamp value) {
    stamp(phase) = value;
    alertDay_[index(phase)] = day_;
}

bool TimerEngine::phaseActive(AlertPhase phase, float now) const {
    const AlertStamp start = AlertStart(phase);
    if (start.state == AlertStamp::State::Unlimited) {
        return true;
    }
    if (start.state != AlertStamp::State::Timed) {
        return false;
    }
    const Seconds duration =
        phase == AlertPhase::Sound ? options_.ringDuration : options_.displayDuration;
    // The stamp, moved back one day for every midnight since it was taken.
    const float startToday =
        start.since - secondsPerDay * static_cast<float>(day_ - alertDay_[index(phase)]);
    return startToday + duration.count() >= now;
}

bool TimerEngine::soundIsTimed() const {
    // Without a duration, or when the sound file plays to its end, the sound phase lasts
    // until the user or the end of the file stops it.
    return options_.ringDuration > Seconds::zero() &&
           !(options_.playSoundToEnd && options_.soundSource == SoundSource::File);
}

void TimerEngine::hideAlertWindow() {
    if (alert_.IsAlertWindowVisible()) {
        alert_.HideAlertWindow();
    }
}

void TimerEngine::SetText(const QString& text) {
    // Setting the text it already shows is no change: a countdown paused and started
    // again keeps the reload value of its first start.
    if (view_.TimeText() == text) {
        return;
    }
    view_.SetTimeText(text);
    onTextChanged();
}

void TimerEngine::TextChanged() {
    onTextChanged();
}

void TimerEngine::onTextChanged() {
    if (state_.mode == Alarm) {
        // A new alarm time re-arms the alert.
        resetAlerts();
    } else if (state_.mode == CountDown && runState_ == Stopped) {
        valueEdited_ = true;
    }
    // An alarm time may be the current minute, and a running count puts its time back over
    // an edit: the tick comes at once (one running now arms the next itself).
    if (runState_ != Stopped) {
        view_.ArmTick(0);
    }
}

QString TimerEngine::clockText() const {
    return clock_.LocalTime().toString(QStringLiteral("h:mm"));
}

void TimerEngine::SetRunState(RunState state) {
    runState_ = state;
    const bool pictures = options_.buttonFace != ButtonFace::Words;
    switch (state) {
    case Stopped:
        if (pictures) {
            view_.SetActionCaption(QString());
            view_.SetActionIcon(options_.buttonFace == ButtonFace::RoundPictures ? IconId::GoRound
                                                                                 : IconId::Go);
            view_.SetAccessKeyCaption(QStringLiteral("&G"));
        } else {
            view_.SetActionBold(true);
            view_.SetActionCaption(QStringLiteral("&Go"));
        }
        view_.StopTick();
        alert_.StopSound(SoundStop::Stop);
        break;
    case Running:
        if (pictures) {
            view_.SetActionCaption(QString());
            view_.SetActionIcon(IconId::Stop);
            view_.SetAccessKeyCaption(QStringLiteral("&S"));
        } else {
            view_.SetActionBold(false);
            view_.SetActionCaption(QStringLiteral("&Stop"));
        }
        view_.ArmTick(0);
        break;
    case Armed:
        if (pictures) {
            view_.SetActionIcon(IconId::None);
            view_.SetAccessKeyCaption(QStringLiteral("&G"));
        } else {
            view_.SetActionBold(true);
        }
        view_.SetActionCaption(QStringLiteral("+") +
                               QString::number(options_.minutesToAdd.count()));
        view_.ArmTick(0);
        break;
    }
}

void TimerEngine::CancelRun() {
    resetAlerts();
    hideAlertWindow();
    if (runState_ == Running) {
        SetRunState(Stopped);
    }
    alert_.StopSound(SoundStop::Stop);
}

void TimerEngine::SetMode(TimerMode mode) {
    resetAlerts();
    hideAlertWindow();

    state_.mode = mode;
    const QString caption = ModeCaption(mode);
    view_.SetCaption(caption);

    if (mode == Alarm) {
        SetRunState(Armed);
        view_.SetTimeTextLimit(5);
    } else {
        SetRunState(Stopped);
        view_.SetTimeTextLimit(options_.displayLength);
    }

    if (options_.trayIcon) {
        tray_.SetTrayTip(caption);
        lastTrayTip_ = caption;
    }

    view_.RebuildPresetMenu();

    bool hasPresets = false;
    if (mode == Alarm) {
        hasPresets = options_.alarmCount > 0 && !options_.alarmPresets.empty();
        const std::chrono::minutes minutes =
            hasPresets ? options_.alarmPresets.front() : options_.minutesToAdd;
        SetText(AddMinutesToClockText(clockText(), minutes, clock_.LocalTime()));
    } else if (mode == CountDown) {
        hasPresets = options_.countDownCount > 0 && !options_.countDownPresets.empty();
        SetText(FormatTimeText(
            hasPresets ? DurationTimeValue(options_.countDownPresets.front()) : 0.0f, format()));
    } else {
        SetText(FormatTimeText(0.0f, format()));
    }

    if ((hasPresets || mode == StopWatch) && !options_.taskbarButton) {
        view_.SetTaskbarButton(false);
    }
}

void TimerEngine::MinimizeWindow() {
    view_.MinimizeWindow();
}

void TimerEngine::ClearTime() {
    CancelRun();
    SetText(QString());
    view_.FocusTimeText();
}

void TimerEngine::PressActionButton() {
    resetAlerts();
    const TimeFormat fmt = format();
    switch (state_.mode) {
    case Alarm:
        SetText(AddMinutesToClockText(view_.TimeText(), options_.minutesToAdd, clock_.LocalTime()));
        break;
    case CountDown:
        if (runState_ != Stopped) {
            // Stop or pause: a finished countdown is reloaded, a paused one keeps its time.
            SetRunState(Stopped);
            hideAlertWindow();
            if (ParseTimeText(view_.TimeText(), fmt) == 0) {
                SetText(FormatTimeText(lastSetValue_, fmt));
            }
        } else {
            TimeValue v = ParseTimeText(view_.TimeText(), fmt);
            if (!(v > 0)) {
                return;
            }
            const TimeValue maxValue = DurationTimeValue(options_.largestTime);
            if (v > maxValue - 1.0f + 0.59f) {
                v = maxValue;
            }
            SetText(FormatTimeText(v, fmt));
            targetTime_ = readClock() + TimeValueToSeconds(v);
            if (valueEdited_) {
                lastSetValue_ = v;
            }
            valueEdited_ = false;
            SetRunState(Running);
        }
        break;
    case StopWatch:
        if (runState_ != Stopped) {
            SetRunState(Stopped);
        } else {
            TimeValue v = ParseTimeText(view_.TimeText(), fmt);
            if (!(v >= 0) || v >= DurationTimeValue(options_.largestTime)) {
                v = 0;
            }
            SetText(FormatTimeText(v, fmt));
            targetTime_ = readClock() - TimeValueToSeconds(v);
            SetRunState(Running);
        }
        break;
    }
}

void TimerEngine::PressActionAccessKey() {
    view_.FocusActionButton();
    PressActionButton();
}

void TimerEngine::FocusActionButton() {
    view_.FocusActionButton();
}

void TimerEngine::PresetChosen(int index) {
    resetAlerts();
    if (state_.mode == Alarm) {
        if (index >= 0 && index < static_cast<int>(options_.alarmPresets.size())) {
            SetText(AddMinutesToClockText(clockText(), options_.alarmPresets[index],
                                          clock_.LocalTime()));
        }
    } else if (state_.mode == CountDown) {
        if (index >= 0 && index < static_cast<int>(options_.countDownPresets.size())) {
            SetRunState(Stopped);
            SetText(FormatTimeText(DurationTimeValue(options_.countDownPresets[index]), format()));
            valueEdited_ = true;
        }
    }
    view_.FocusActionButton();
}

} // namespace plimset
