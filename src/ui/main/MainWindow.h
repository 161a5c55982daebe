#pragma once

#include "core/AlertOutput.h"
#include "core/AppState.h"
#include "core/TimerEngine.h"
#include "core/TimerView.h"
#include "core/TrayTip.h"
#include "core/WindowLayout.h"
#include "settings/OptionSettings.h"
#include "settings/WindowSettings.h"

#include <QLocale>
#include <QMainWindow>
#include <QMargins>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QKeyEvent;
class QKeySequence;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace plimset {

class Clock;
class FontProbe;
class WindowServices;

// What the main window needs from outside: the clock, the desktop's services, where its
// settings live, the program's arguments and how a message reaches the user. main()
// passes the real ones, tests fakes. The clock and the font probe are required; without
// window services the window simply does without a taskbar, topmost or minimize setting.
struct MainWindowContext {
    Clock* clock = nullptr;
    const FontProbe* fontProbe = nullptr;
    WindowServices* windowServices = nullptr;
    QString settingsFilePath;
    QLocale locale;
    QStringList arguments; // without the program name
    QString executableBaseName = QStringLiteral("plimset");
    // Shows a message with the application's title; style 16 critical, 64 information.
    std::function<void(QWidget* parent, const QString& text, int style)> showMessage;
};

// The main window: the time field, the minimize and clear buttons on its left, the
// mode's action button on its right, and the menu bar. It owns the timer's state, shows
// what the engine tells it and hands the user's actions to the engine.
//
// Lengths follow the layout arithmetic in twips. The window's non-client size is the
// frame the window manager gives it plus the menu bar: Qt puts the menu bar inside the
// window's geometry, so counting it as non-client keeps the client area equal to the
// central widget, where the controls are placed absolutely.
class MainWindow : public QMainWindow, public TimerView {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowContext context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the settings, lays the window out, shows it and applies the command line.
    // Returns an exit code when the program is to end at once ("/?"), without saving.
    std::optional<int> Startup();

    // Sizes the time field for this many characters (0: the character limit) and the
    // window around it, then centres the controls.
    void Sg_TextBox_Size(int characters);
    // Centres the controls in the client area.
    void Sg_Object_Location();

    // Saves the window's state as a normal close does; later calls write only what
    // changed since. For the end of the desktop session.
    void SaveState();
    // Closes the window the normal way (its state is saved), first ending any modal
    // dialog or message that is open. For a request to end the process.
    void RequestClose();
    // True once the window has gone through its unload (or was told to end without one).
    bool IsUnloaded() const { return unloaded_; }

    const AppState& State() const { return state_; }
    const OptionSettings& Options() const { return options_; }
    TimerEngine& Engine() { return engine_; }
    qint16 LanguageOffset() const { return languageOffset_; }

    // TimerView
    QString TimeText() const override;
    void SetTimeText(const QString& text) override;
    void SetTimeTextLimit(int characters) override;
    QString Caption() const override;
    void SetCaption(const QString& caption) override;
    bool IsWindowVisible() const override;
    bool IsWindowMinimized() const override;
    void MinimizeWindow() override;
    void SetActionCaption(const QString& caption) override;
    void SetActionBold(bool bold) override;
    void SetActionIcon(IconId icon) override;
    void SetAccessKeyCaption(const QString& caption) override;
    void SetTickEnabled(bool enabled) override;
    void FocusActionButton() override;
    void FocusTimeText() override;
    void RebuildPresetMenu() override;
    void SetTaskbarButton(bool shown) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void CreateMenus();
    void ConnectEngine();
    bool FilterTimeFieldKeyPress(QKeyEvent* event);
    bool ClickForAccessKey(const QKeySequence& key);
    void UpdateActionAccessibleName();
    void ApplyAlwaysOnTop(bool on);
    void ChooseTextFont();
    void ChooseBackColor();

    // Start-up and shutdown steps.
    WindowSettings DesignLook() const;
    void LoadWindowSettings();
    void ApplyStartupSize();
    void ApplyLanguage();
    std::optional<int> ApplyCommandLine();
    void ApplyButtonIcons();
    void ApplyTextColors(qint32 foreColor, qint32 backColor);
    QPoint FitOnScreen(qint32 left, qint32 top, double width, double height) const;
    void ApplyMinimizeOffer();
    void ResetProgressCaption();
    void Unload();
    WindowSettings CurrentWindowSettings() const;
    qint32 OuterLeftTwips() const;
    qint32 OuterTopTwips() const;
    void ApplyTextLook(const WindowSettings& look);
    void ShowMessage(const QString& text, int style);

    // The window's outer size and its non-client part, in twips.
    int OuterWidthPixels() const;
    int OuterHeightPixels() const;
    double WindowWidthTwips() const;
    double WindowHeightTwips() const;
    void MeasureBorders();
    void RemeasureBorderHeight(int clientWidthPixels);
    ControlSizes CurrentControlSizes() const;
    void ResizeOuter(int widthPixels, int heightPixels);
    void PlaceOutOfSightButtons();
    // Whether the user has a way back from a minimized window.
    bool MinimizeOffered() const;

    MainWindowContext context_;

    QLineEdit* timeField_ = nullptr;         // Text1
    QPushButton* minimizeButton_ = nullptr;  // Command1_0
    QPushButton* clearButton_ = nullptr;     // Command1_1
    QPushButton* actionButton_ = nullptr;    // Command2
    QPushButton* accessKeyButton_ = nullptr; // Command3
    QPushButton* focusButton_ = nullptr;     // Command4
    QLabel* dummyLabel_ = nullptr;           // LBL_Dummy
    QTimer* tick_ = nullptr;                 // Timer1

    QAction* exitAction_ = nullptr;
    QMenu* presetMenu_ = nullptr;
    QMenu* modeMenu_ = nullptr;
    std::array<QAction*, 3> modeActions_{};
    std::vector<QAction*> presetActions_;
    QAction* alwaysOnTopAction_ = nullptr;
    QAction* fontAction_ = nullptr;
    QAction* backColorAction_ = nullptr;
    QAction* optionsAction_ = nullptr;

    AppState state_;
    OptionSettings options_;
    SilentAlertOutput alert_;
    NoTrayTip tray_;
    TimerEngine engine_;
    qint16 languageOffset_ = 0;
    std::array<qint16, 3> modeMenuMap_{2, 1, 3};
    IconId actionIcon_ = IconId::None;

    WindowSettings designLook_; // the time field as designed, before the settings
    WindowSettings loaded_;     // the window settings as read, for the save to compare
    qint32 foreColor_ = 0;      // the time field's colours as stored values
    qint32 backColor_ = 0;
    bool started_ = false;
    bool unloaded_ = false;

    TwipsPerPixel tpp_;
    QMargins frame_;          // the window manager's frame, in pixels
    double borderWidth_ = 0;  // non-client width, twips
    double borderHeight_ = 0; // non-client height (frame and menu bar), twips
    bool forwardingKey_ = false;
};

} // namespace plimset
