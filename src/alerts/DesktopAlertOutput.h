#pragma once

#include "core/AlertOutput.h"
#include "text/LanguageChoice.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace plimset {

class AlertWindow;
class Beeper;
class DesktopNotifier;
class SoundPlayer;
class TimerEngine;
class TrayMenuCaption;
class WindowActivation;
class WindowServices;
struct AppState;
struct OptionSettings;

// What the alert needs from the rest of the program. The options and the state are read
// each time they are needed, so a record changed by the Options dialog counts at once.
struct AlertOutputContext {
    const OptionSettings* options = nullptr;
    const AppState* state = nullptr;
    QWidget* mainWindow = nullptr;            // the window brought back on an alert
    std::function<bool()> alwaysOnTopChecked; // whether MNU_A_Top is checked
    WindowActivation* activation = nullptr;
    WindowServices* windowServices = nullptr; // takes the alert window off the taskbar
    Beeper* beeper = nullptr;
    SoundPlayer* player = nullptr; // the sound file, shared with the Options dialog's test play
    TrayMenuCaption* trayMenu = nullptr;
    // Whether a file is at a path; by default a check bounded in time.
    std::function<bool(const QString&)> fileExists;
    // Where the alert's lines are also posted as a desktop notification while it lasts
    // (unless the desktop notification option is off); the notification's stop is the
    // caller's to wire.
    DesktopNotifier* notifier = nullptr;
    // The main window's button that stops the alert, which the alert window never covers.
    QWidget* stopButton = nullptr;
};

// The alert as the user meets it: every engine tick of an alert brings the main window
// back and to the front, shows or hides the alert window by the pending parts and
// keeps it above the main window so that its message stays readable,
// and once a second sounds the beep or (re)plays the sound file.
//
// An alert lasts from its first step until the engine stops its sound (the alert ended,
// was stopped or the timer was reset); meanwhile its lines are also a desktop
// notification.
//
// A sound file that cannot be played (missing, unreadable, no media) counts as played to
// its end when it is to play until its end, so such an alert ends instead of ringing
// silently for ever.
class DesktopAlertOutput final : public AlertOutput {
public:
    explicit DesktopAlertOutput(AlertOutputContext context);
    ~DesktopAlertOutput() override;

    // The engine is made with this output, so it comes afterwards; its alert stamps and
    // the sound's tick count are read and written here.
    void SetEngine(TimerEngine* engine) { engine_ = engine; }

    // Makes the alert window (hidden) with the current alert window scale; unloading closes
    // and destroys it. Reload after the options changed.
    void LoadAlertWindow();
    void UnloadAlertWindow();
    void ReloadAlertWindow();
    AlertWindow* Window() const { return window_.get(); }

    // The language of the alert window's lines and the tray item's caption.
    void SetLanguage(InterfaceLanguage language);

    // Whether the alarm's sound file was opened and not yet closed.
    bool SoundOpen() const { return soundOpen_; }
    // Whether an alert is on: stepped and not yet stopped.
    bool IsAlertActive() const { return alertActive_; }

    // AlertOutput
    void AlertStep(AlertParts pending) override;
    void StopSound(SoundStop how) override;
    bool IsAlertWindowVisible() const override;
    void HideAlertWindow() override;
    // Also readies the sound, so that the coming alert is heard at once.
    void RingAtNextSoundStep() override;
    // Connects to the audio server ahead of a sound alert (not when the alert is silent).
    void PrepareSound() override;

private:
    void BringBackMainWindow();
    void BeginAlert();
    void EndAlert();
    void StopSoundFile(SoundStop how);
    void KeepAlertWindowAbove();
    void SoundAction();
    void PlayFile();
    void MarkPlayedToEnd();

    AlertOutputContext c_;
    TimerEngine* engine_ = nullptr;
    std::unique_ptr<AlertWindow> window_;
    InterfaceLanguage language_ = InterfaceLanguage::English;
    bool soundOpen_ = false;
    bool alertActive_ = false;
    // While a sound file is opened, events (the engine's tick among them) are processed;
    // an alert step that comes in then is skipped and a stop waits for the open to end.
    bool inSoundAction_ = false;
    // Alert steps since the sound last rang; it rings on every fifth, once a second.
    static constexpr int ringEverySteps = 5;
    int stepsSinceRing_ = 0;
    std::optional<SoundStop> deferredStop_;
};

} // namespace plimset
