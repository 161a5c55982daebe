#pragma once

#include "core/AppState.h"
#include "core/TimeText.h"

#include <QString>
#include <array>

namespace plimset {

class AlertOutput;
class Clock;
class TimerView;
class TrayTip;
struct OptionSettings;

// The timer's modes, run state, button actions and tick, apart from any widget.
// The main window forwards its button, menu and text events here; the engine drives the
// timer window, the alert output and the tray tip through their own narrow ports. Options are read
// at the moment they are needed, so a record replaced after the Options dialog takes effect at
// once.
//
// Time is measured on the clock's time of day and recomputed on every tick, never
// accumulated. The tick is not periodic: each one arms the next for the moment something is
// due, computed from the clock: the next change of the shown count, the alarm's minute (and
// the moment before it when its sound gets ready), or the next step of an alert (every
// 200 ms while one runs). A late tick, after a suspend or a clock step, catches up and arms
// afresh. The clock also counts midnights: when one or more have passed since the
// previous reading, every stored reading is moved back a day for each. A machine that
// sleeps across midnight, even for days, therefore wakes to the right remaining time.
class TimerEngine {
public:
    // Run states.
    static constexpr qint16 Stopped = 0;
    static constexpr qint16 Running = 1;
    static constexpr qint16 Armed = 2;

    // The two phases of an alert, each with its own start stamp.
    enum AlertPhase : int { SoundPhase = 0, MessagePhase = 1 };
    // Stamp values besides a SecondsOfDay reading.
    static constexpr float Idle = 0.0f;
    static constexpr float Unlimited = -1.0f;
    static constexpr float PlayedToEnd = -2.0f; // the sound file has played to its end
    // How long before its minute an alarm gets its sound ready.
    static constexpr int AlarmPrepareSeconds = 5;
    // The ticks' spacing while an alert runs (its steps count this) and while a dialog or
    // the tray menu holds the tick.
    static constexpr int StepMilliseconds = 200;

    TimerEngine(AppState& state, const OptionSettings& options, Clock& clock, TimerView& view,
                AlertOutput& alert, TrayTip& tray);

    // The mode names shown as the window caption.
    void SetModeCaptions(const QString& alarm, const QString& countDown, const QString& stopWatch);
    QString ModeCaption(qint16 mode) const;

    void SetMode(qint16 mode);
    // 0 stopped, 1 running, 2 armed; other values are ignored.
    void SetRunState(qint16 state);
    // Stops a running count and any alert; before dialogs and by the clear button.
    void CancelRun();

    // The minimize button.
    void MinimizeWindow();
    // The clear button: stops the count and any alert, empties the time text and puts
    // the focus there.
    void ClearTime();
    // The action button: start or stop in the countdown and the stopwatch, add minutes to
    // the alarm time.
    void PressActionButton();
    // The action button's access key: focuses the action button, then presses it.
    void PressActionAccessKey();
    // The focus button, which only the keyboard reaches (Esc): hands the focus on to the
    // action button.
    void FocusActionButton();
    // A preset of the current mode was chosen from the menu.
    void PresetChosen(int index);
    // The user edited the time text. The engine's own changes are handled internally.
    void TextChanged();
    // Writes the time text for the window (after the Options dialog, from the command
    // line); a real change is handled as an edit would be, an unchanged text is no edit.
    void SetText(const QString& text);

    void Tick();
    // The window was shown, hidden, minimized or restored: the running time goes to the tip
    // or the caption as the window's state now asks, at once rather than at the next tick.
    void RefreshProgress();

    qint16 RunState() const { return runState_; }
    // Alert phase stamps: 0 idle, a SecondsOfDay reading, -1 without limit, -2 the sound
    // played to its end.
    float AlertStart(int phase) const;
    void SetAlertStart(int phase, float value);
    TimeValue LastSetValue() const { return lastSetValue_; }

private:
    TimeFormat format() const;
    // Reads SecondsOfDay and moves the stored readings back a day when midnight passed.
    float readClock();
    void stampAlert(int phase, float now);
    void resetAlerts();
    bool phaseActive(int phase, float now) const;
    bool soundIsTimed() const;
    void hideAlertWindow();
    void onTextChanged();
    QString clockText() const;

    void tickAlarm(float now);
    void tickCountDown(float now);
    void tickStopWatch(float now);
    void showProgress();
    // The count a running countdown or stopwatch shows at a reading, carried and clamped.
    TimeValue countValue(float now) const;
    // Arms the tick for the next moment something is due after the reading `now`.
    void armNextTick(float now);
    int msUntilCountChanges(float now) const;
    int msUntilAlarmStep() const;

    AppState& state_;
    const OptionSettings& options_;
    Clock& clock_;
    TimerView& view_;
    AlertOutput& alert_;
    TrayTip& tray_;

    std::array<QString, 4> modeCaptions_; // index by mode; 0 unused
    qint16 runState_ = Stopped;
    float targetTime_ = 0;
    std::array<float, 2> alertStart_{0, 0};
    std::array<qint64, 2> alertDay_{0, 0}; // day count when each stamp was written
    TimeValue lastSetValue_ = 0;
    bool valueEdited_ = false;
    QString lastTrayTip_;

    qint64 day_ = 0;               // the clock's day count at the previous reading
    double exactSecondsOfDay_ = 0; // the previous reading before its rounding
};

} // namespace plimset
