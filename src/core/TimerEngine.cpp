#include "core/TimerEngine.h"

#include "core/AlertOutput.h"
#include "core/Clock.h"
#include "core/OptionSettings.h"
#include "core/TimerView.h"
#include "core/TrayTip.h"

#include <algorithm>

namespace plimset {

namespace {

constexpr float secondsPerDay = 86400.0f;
constexpr int soundPhase = TimerEngine::SoundPhase;
constexpr int messagePhase = TimerEngine::MessagePhase;
constexpr float unlimited = TimerEngine::Unlimited;

bool validMode(qint16 mode) {
    return mode >= Alarm && mode <= StopWatch;
}

bool validPhase(int phase) {
    return phase == soundPhase || phase == messagePhase;
}

} // namespace

TimerEngine::TimerEngine(AppState& state, const OptionSettings& options, Clock& clock,
                         TimerView& view, AlertOutput& alert, TrayTip& tray)
    : state_(state), options_(options), clock_(clock), view_(view), alert_(alert), tray_(tray),
      day_(clock.Read().day) {}

void TimerEngine::SetModeCaptions(const QString& alarm, const QString& countDown,
                                  const QString& stopWatch) {
    modeCaptions_[Alarm] = alarm;
    modeCaptions_[CountDown] = countDown;
    modeCaptions_[StopWatch] = stopWatch;
}

QString TimerEngine::ModeCaption(qint16 mode) const {
    return validMode(mode) ? modeCaptions_[mode] : QString();
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

void TimerEngine::stampAlert(int phase, float now) {
    // 0 means "not started", so a stamp taken at the very stroke of midnight is nudged.
    alertStart_[phase] = std::max(now, 0.001f);
    alertDay_[phase] = day_;
}

void TimerEngine::resetAlerts() {
    alertStart_ = {0, 0};
}

float TimerEngine::AlertStart(int phase) const {
    return validPhase(phase) ? alertStart_[phase] : 0.0f;
}

void TimerEngine::SetAlertStart(int phase, float value) {
    if (!validPhase(phase)) {
        return;
    }
    alertStart_[phase] = value;
    alertDay_[phase] = day_;
}

bool TimerEngine::phaseActive(int phase, float now) const {
    const float start = alertStart_[phase];
    if (start == unlimited) {
        return true;
    }
    if (start <= 0) {
        return false;
    }
    const Seconds duration = phase == soundPhase ? options_.ringDuration : options_.displayDuration;
    // The stamp, moved back one day for every midnight since it was taken.
    const float startToday = start - secondsPerDay * static_cast<float>(day_ - alertDay_[phase]);
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
    if (state_.CurMode == Alarm) {
        // A new alarm time re-arms the alert.
        resetAlerts();
    } else if (state_.CurMode == CountDown && runState_ == Stopped) {
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

void TimerEngine::SetRunState(qint16 state) {
    if (state != Stopped && state != Running && state != Armed) {
        return;
    }
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

void TimerEngine::SetMode(qint16 mode) {
    if (!validMode(mode)) {
        mode = CountDown;
    }
    resetAlerts();
    hideAlertWindow();

    state_.CurMode = mode;
    const QString caption = modeCaptions_[mode];
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
    switch (state_.CurMode) {
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
    default:
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
    if (state_.CurMode == Alarm) {
        if (index >= 0 && index < static_cast<int>(options_.alarmPresets.size())) {
            SetText(AddMinutesToClockText(clockText(), options_.alarmPresets[index],
                                          clock_.LocalTime()));
        }
    } else if (state_.CurMode == CountDown) {
        if (index >= 0 && index < static_cast<int>(options_.countDownPresets.size())) {
            SetRunState(Stopped);
            SetText(FormatTimeText(DurationTimeValue(options_.countDownPresets[index]), format()));
            valueEdited_ = true;
        }
    }
    view_.FocusActionButton();
}

} // namespace plimset
