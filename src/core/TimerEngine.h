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

// Stopped and Running belong to the countdown and the stopwatch; an alarm is always Armed.
enum class RunState { Stopped, Running, Armed };

// The two phases of an alert, each with its own start stamp.
enum class AlertPhase { Sound, Message };

// Where an alert phase stands: not begun, begun at a reading of the clock, running without
// a time limit, or (the sound phase) over because its file has played to its end.
struct AlertStamp {
    enum class State { Idle, Timed, Unlimited, PlayedToEnd };
    State state = State::Idle;
    float since = 0; // Timed: the clock's SecondsOfDay reading when the phase began

    bool operator==(const AlertStamp&) const = default;
};

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
    // How long before its minute an alarm gets its sound ready.
    static constexpr int AlarmPrepareSeconds = 5;
    // The ticks' spacing while an alert runs (its steps count this) and while a dialog or
    // the tray menu holds the tick.
    static constexpr int StepMilliseconds = 200;

    TimerEngine(AppState& state, const OptionSettings& options, Clock& clock, TimerView& view,
                AlertOutput& alert, TrayTip& tray);

    // The mode names shown as the window caption.
    void SetModeCaptions(const QString& alarm, const QString& countDown, const QString& stopWatch);
    QString ModeCaption(TimerMode mode) const;

    void SetMode(TimerMode mode);
    void SetRunState(RunState state);
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

    RunState CurrentRunState() const { return runState_; }
    AlertStamp AlertStart(AlertPhase phase) const { return stamps_[index(phase)]; }
    // The alert output marks the sound phase PlayedToEnd when its file has ended.
    void SetAlertStart(AlertPhase phase, AlertStamp value);
    TimeValue LastSetValue() const { return lastSetValue_; }

private:
    TimeFormat format() const;
    // Reads SecondsOfDay and moves the stored readings back a day when midnight passed.
    float readClock();
    static std::size_t index(AlertPhase phase) { return static_cast<std::size_t>(phase); }
    AlertStamp& stamp(AlertPhase phase) { return stamps_[index(phase)]; }
    void stampAlert(AlertPhase phase, float now);
    void resetAlerts();
    bool phaseActive(AlertPhase phase, float now) const;
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

    std::array<QString, 3> modeCaptions_; // index by mode
    RunState runState_ = RunState::Stopped;
    float targetTime_ = 0;
    std::array<AlertStamp, 2> stamps_{};   // index by phase
    std::array<qint64, 2> alertDay_{0, 0}; // day count when each stamp was written
    TimeValue lastSetValue_ = 0;
    bool valueEdited_ = false;
    QString lastTrayTip_;

    qint64 day_ = 0;               // the clock's day count at the previous reading
    double exactSecondsOfDay_ = 0; // the previous reading before its rounding
};

} // namespace plimset
