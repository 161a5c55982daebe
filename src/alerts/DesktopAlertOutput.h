#pragma once

#include "core/AlertOutput.h"
#include "text/StringTable.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace plimset {

class AlertWindow;
class Beeper;
class MciPlayer;
class TimerEngine;
class TrayMenuCaption;
class WindowActivation;
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
    Beeper* beeper = nullptr;
    MciPlayer* player = nullptr; // the sound layer, shared with the Options dialog's test play
    TrayMenuCaption* trayMenu = nullptr;
    // Whether a file is at a path; by default a check bounded in time.
    std::function<bool(const QString&)> fileExists;
};

// The alert as the user meets it: every engine tick of an alert brings the main window
// back and to the front, shows or hides the alert window (Form3) by the pending parts,
// and once a second sounds the beep or (re)plays the sound file under the alias "mmFile".
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

    // Makes the alert window (hidden) with the current MessageBoxSize; unloading closes
    // and destroys it. Reload after the options changed.
    void LoadAlertWindow();
    void UnloadAlertWindow();
    void ReloadAlertWindow();
    AlertWindow* Window() const { return window_.get(); }

    // The language of the alert window's lines and the tray item's caption.
    void SetLanguageOffset(qint16 offset);

    // Whether the alarm's sound file was opened and not yet closed.
    bool SoundOpen() const { return soundOpen_; }

    // AlertOutput
    void AlertStep(AlertParts pending) override;
    void StopSound(SoundStop how) override;
    bool IsAlertWindowVisible() const override;
    void HideAlertWindow() override;
    // Also readies the sound, so that the coming alert is heard at once.
    void RingAtNextSoundStep() override;

private:
    void BringBackMainWindow();
    void SoundAction();
    void PlayFile();
    void MarkPlayedToEnd();

    AlertOutputContext c_;
    TimerEngine* engine_ = nullptr;
    std::unique_ptr<AlertWindow> window_;
    qint16 languageOffset_ = EnglishOffset;
    bool soundOpen_ = false;
    // While a sound file is opened, events (the engine's tick among them) are processed;
    // an alert step that comes in then is skipped and a stop waits for the open to end.
    bool inSoundAction_ = false;
    // Alert steps since the sound last rang; it rings on every fifth, once a second.
    static constexpr int ringEverySteps = 5;
    int stepsSinceRing_ = 0;
    std::optional<SoundStop> deferredStop_;
};

} // namespace plimset
