// The engine's 200 ms tick: the alarm's minute, the countdown's end and its alerts, the
// stopwatch's count, and the running time shown as progress.

#include "core/TimerEngine.h"

#include "core/AlertOutput.h"
#include "core/Clock.h"
#include "core/OptionSettings.h"
#include "core/TimerView.h"
#include "core/TrayTip.h"

#include <algorithm>

namespace plimset {

namespace {

constexpr int soundPhase = TimerEngine::SoundPhase;
constexpr int messagePhase = TimerEngine::MessagePhase;
constexpr float unlimited = TimerEngine::Unlimited;
constexpr float playedToEnd = TimerEngine::PlayedToEnd;

} // namespace

void TimerEngine::Tick() {
    // The clock is read even while a dialog or menu holds the tick, so no midnight is
    // missed; nothing visible changes until they close.
    const float now = readClock();
    if (state_.OptionsOpen || state_.TrayMenuOpen) {
        return;
    }
    switch (state_.CurMode) {
    case Alarm:
        tickAlarm(now);
        break;
    case CountDown:
        tickCountDown(now);
        break;
    case StopWatch:
        tickStopWatch(now);
        break;
    default:
        break;
    }
}

void TimerEngine::tickAlarm(float now) {
    const QString text = view_.TimeText();
    bool matched = AlarmTimeReached(text, clock_.LocalTime());
    if (matched) {
        if (alertStart_[soundPhase] == 0) {
            if (soundIsTimed()) {
                stampAlert(soundPhase, now);
            } else {
                SetAlertStart(soundPhase, unlimited);
            }
        }
        if (options_.MessageBox == 1 && alertStart_[messagePhase] == 0) {
            if (options_.DisplayDuration > 0) {
                stampAlert(messagePhase, now);
            } else {
                SetAlertStart(messagePhase, unlimited);
            }
        }
    } else if (AlarmTimeReached(text, clock_.LocalTime().addSecs(AlarmPrepareSeconds))) {
        alert_.PrepareSound();
    }

    AlertParts pending;
    for (int i = 0; i < 2; ++i) {
        const float start = alertStart_[i];
        if ((start > 0 && phaseActive(i, now)) || start == unlimited) {
            pending |= i == soundPhase ? AlertPart::Sound : AlertPart::Window;
        }
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
            alertStart_[soundPhase] = 0;
        }
        if (!pending.testFlag(AlertPart::Window)) {
            alertStart_[messagePhase] = 0;
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
    if (text == u"0:00" || text == u"0.00") {
        int done = 0;
        if (soundIsTimed()) {
            if (alertStart_[soundPhase] == 0) {
                stampAlert(soundPhase, now);
            } else if (!phaseActive(soundPhase, now)) {
                done += 1;
            }
        } else if (alertStart_[soundPhase] == playedToEnd) {
            done = 1;
        }

        if (options_.MessageBox == 0) {
            done += 2;
        } else if (options_.DisplayDuration > 0) {
            if (alertStart_[messagePhase] == 0) {
                stampAlert(messagePhase, now);
            } else if (!phaseActive(messagePhase, now)) {
                done += 2;
            }
        }

        if (done == 3) {
            PressActionButton(); // stop, which reloads the last duration
            if (options_.CountDownRepeat == 1) {
                PressActionButton();
            }
        } else {
            alert_.AlertStep(AlertParts::fromInt(3 - done));
        }
        return;
    }

    hideAlertWindow();
    alert_.RingAtNextSoundStep();
    TimeValue v = SecondsToTimeValue(targetTime_ - now);
    if (v < 0) {
        v = 0;
    }
    v = CarryTimeValue(v);
    SetText(FormatTimeText(v, format()));
    showProgress();
}

void TimerEngine::tickStopWatch(float now) {
    if (runState_ != Running) {
        hideAlertWindow();
        showProgress();
        return;
    }

    // Midnight has already moved the target back a day (readClock), so the elapsed time
    // is never negative; a reading equal to the start is simply no time yet.
    const float elapsed = std::max(now - targetTime_, 0.0f);
    const float maxValue = options_.MaxTimeValue;
    TimeValue v = SecondsToTimeValue(elapsed);
    if (v > maxValue) {
        v = maxValue;
    }
    v = CarryTimeValue(v);
    SetText(FormatTimeText(v, format()));
    if (v >= maxValue) {
        SetRunState(Stopped);
    }
    showProgress();
}

void TimerEngine::showProgress() {
    if (options_.Progress != 1 || (options_.TaskTray != 1 && options_.TaskBar != 1)) {
        return;
    }
    if (runState_ != Stopped) {
        const QString text = view_.TimeText();
        if ((!view_.IsWindowVisible() || options_.ShowAlways == 1) && options_.TaskTray == 1 &&
            text != lastTrayTip_) {
            tray_.SetTrayTip(text);
            lastTrayTip_ = text;
        }
        if (((view_.IsWindowMinimized() && options_.TaskTray == 0) || options_.ShowAlways == 1) &&
            options_.TaskBar == 1 && view_.Caption() != text) {
            view_.SetCaption(text);
        }
    } else {
        const QString modeCaption = ModeCaption(state_.CurMode);
        if (view_.Caption() != modeCaption) {
            view_.SetCaption(modeCaption);
        }
        const QString caption = view_.Caption();
        if (options_.TaskTray == 1 && caption != lastTrayTip_) {
            tray_.SetTrayTip(caption);
            lastTrayTip_ = caption;
        }
    }
}

} // namespace plimset
