#pragma once

#include "alerts/DesktopAlertOutput.h"
#include "app/AppContext.h"
#include "app/ClockStepWatch.h"
#include "app/InterfaceLanguage.h"
#include "app/MainWindowState.h"
#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "core/TimerEngine.h"
#include "core/TrayRules.h"
#include "core/WindowVerbs.h"
#include "desktop/GlobalHotkey.h"
#include "desktop/QtTranslation.h"
#include "settings/OptionTable.h"
#include "tray/TrayIcon.h"
#include "ui/main/MainWindow.h"

#include <QObject>
#include <optional>

namespace plimset {

// The program: it owns the state every part shares (the current mode and the modal flags,
// the one live option record), the timer engine, the windows and the services, and wires
// them together. main() builds one and runs it; tests build one over fakes.
//
// The engine talks to its collaborators through their own ports: the main window is its
// timer view, the alert output rings and shows the alert window, the tray shows the tip.
class App : public QObject {
    Q_OBJECT
public:
    explicit App(AppContext context);
    ~App() override;

    // Loads the settings, lays the window out, shows it and applies the command line.
    // Returns an exit code when the program is to end at once ("/?"), without saving.
    std::optional<int> Startup();

    // Brings every window and service in line with an option record: the layout and size,
    // the out-of-sight buttons, the language and captions, the mode with its button faces
    // and time text, the taskbar button and the minimize offer. Start-up uses it, and so
    // does the Options dialog after OK (or its close box); Cancel applies nothing.
    void ApplyOptions(const OptionSettings& options);

    // The Options menu item: the dialog, modal, with the tick kept still while it is open;
    // after OK (or its close box) every window and service follows the options again.
    void OpenOptions();

    // Makes the alert window anew, so that a changed alert window scale takes effect; after
    // the Options dialog's OK.
    void ReloadAlertWindow();

    // Saves the window's state as a normal close does; later calls write only what changed
    // since. For the end of the desktop session.
    void SaveState();
    // Closes the main window the normal way (its state is saved), first ending any modal
    // dialog or message that is open. For a request to end the process.
    void RequestClose();
    // True once the program has gone through its unload (or was told to end without one).
    bool IsUnloaded() const { return unloaded_; }

    // The global hotkey: registered from the Hotkey option in force (at start-up, and by
    // the Options dialog as it closes) and released (at the end, and by the Options dialog
    // as it opens, so it can capture a combination). Hotkey() tells the dialog whether the
    // last registration succeeded and can probe a combination before it is chosen.
    HotkeyRegistration RegisterHotkey();
    void UnregisterHotkey();
    GlobalHotkey& Hotkey() { return context_.globalHotkey; }

    // A request from outside (the hotkey is Toggle; `plimset --toggle` and its kin come
    // over the session bus): the window goes to or comes from the tray or the taskbar.
    // Nothing reacts while a dialog of the main window is open; Show then brings that
    // dialog forward.
    void ApplyWindowVerb(WindowVerb verb);
    // Where the main window is: the outer window's top-left corner in pixels.
    QPoint WindowPlace() const;

    const AppState& State() const { return state_; }
    // The language the interface speaks, as ApplyOptions last chose it.
    const LanguageInUse& Language() const { return language_; }
    const OptionSettings& Options() const { return options_; }
    TimerEngine& Engine() { return engine_; }
    MainWindow& Window() { return window_; }
    DesktopAlertOutput& Alert() { return alert_; }
    TrayIcon& Tray() { return tray_; }

private:
    void ApplyLanguage();
    void ApplyTray();
    void ApplyDesktopOptions();
    // How a hidden or minimized window comes back: the tray while its icon is really
    // shown, else the taskbar button.
    WindowReach Reach() const;
    std::optional<int> ApplyCommandLine();
    void ShowMessage(const QString& text, MessageStyle style);
    bool AskYesNo(QWidget* parent, const QString& text);
    // Closes the main window, which saves and unloads, and ends the program.
    void CloseWindow();
    void Unload();

    AppContext context_;
    AppState state_;
    // The defaults until the settings file is read: the window is first sized from them.
    OptionSettings options_ = DefaultOptions();
    LanguageInUse language_;
    QtTranslation qtTranslation_; // the catalogues in use follow language_
    MainWindow window_;
    DesktopAlertOutput alert_;
    TrayIcon tray_;
    TimerEngine engine_;
    MainWindowState windowState_;
    WindowSettings designLook_;
    // After a clock step or a resume the armed tick comes at once.
    ClockStepWatch clockStepWatch_{[this] {
        if (engine_.CurrentRunState() != RunState::Stopped)
            window_.ArmTick(0);
    }};
    bool handlingHotkey_ = false; // a press arriving while one is handled is dropped
    bool started_ = false;
    bool unloaded_ = false;
};

} // namespace plimset
