#pragma once

#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "core/TimerView.h"
#include "settings/WindowSettings.h"
#include "ui/main/WindowGeometry.h"
#include "ui/options/MainWindowPreview.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <array>
#include <utility>
#include <vector>

class QAction;
class QKeyEvent;
class QKeySequence;
class QLineEdit;
class QMenu;
class QPushButton;
class QShortcut;
class QTimer;
class QValidator;

namespace plimset {

class TimerEngine;
class WindowServices;

// The main window: the time field, the minimize and clear buttons on its left, the
// mode's action button on its right, and the menu bar. It shows what the engine tells it
// and hands the user's actions to the engine; the program's state, the options and the
// engine belong to the application, which lends them to the window.
//
// Lengths are Qt's pixels, laid out by the layout arithmetic (see WindowGeometry). The window's
// non-client size is the frame the window manager gives it plus the menu bar: Qt puts the
// menu bar inside the window's geometry, so counting it as non-client keeps the client
// area equal to the central widget, where the controls are placed absolutely.
class MainWindow : public QMainWindow, public TimerView, public MainWindowPreview {
    Q_OBJECT
public:
    MainWindow(AppState& state, const OptionSettings& options, WindowServices& services,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The engine the window's buttons, menus, keys and tick drive. Called once, before
    // the window is shown.
    void ConnectEngine(TimerEngine& engine);

    // Sizes the time field for this many characters (0: the character limit) and the
    // window around it, then centres the controls.
    void SizeTimeFieldForLength(int characters) override;
    // Centres the controls in the client area.
    void PlaceControls() override;
    // The picture action button's access key answers only in the picture button style.
    void ApplyAccessKeyForStyle();
    // Measures the frame the window manager gives the window and the menu bar.
    void MeasureBorders();
    const WindowGeometry& Geometry() const { return geometry_; }
    // The mode's action button, which also stops an alert.
    QWidget* ActionButton() const;
    // The window's outer size in pixels.
    int OuterWidthPixels() const override { return geometry_.OuterWidthScreenPixels(this); }
    int OuterHeightPixels() const override { return geometry_.OuterHeightScreenPixels(this); }
    // Gives the window an outer size in Qt's pixels, never smaller than its buttons and field
    // need, and lays the controls out again.
    void ReflectOuterSize(int widthPixels, int heightPixels) override;

    QWidget* PreviewWindow() override { return this; }
    MainWindowSnapshot TakeSnapshot() const override;
    // Puts the size and layout back where they differ, and always the font and colours.
    void RestoreSnapshot(const MainWindowSnapshot& snapshot) override;

    // The minimize and clear buttons' pictures.
    void ApplyButtonIcons();
    // Captions every menu and control in the language; the mode menu follows the order.
    void ApplyCaptions(const ModeOrder& modeOrder);
    void SetMinimizeOffered(bool offered);
    // Keeps the taskbar button whatever SetTaskbarButton asks: where the window has no
    // other way back (a tray icon that no tray shows).
    void KeepTaskbarButton(bool keep);
    void SetAlwaysOnTopChecked(bool on);
    bool IsAlwaysOnTopChecked() const;

    // The time field's font and colours, and the window's position and size, as the
    // window settings store them. ApplyTextLook is the part of the look a window settings
    // record sets; CurrentWindowSettings reads everything back.
    void ApplyTextLook(const WindowSettings& look) override;
    WindowSettings DesignLook(const QString& fontFamily) const;
    WindowSettings CurrentWindowSettings() const;
    // Whether the desktop tells the window where it is (not so on Wayland).
    bool PositionIsKnown() const;
    // Moves the window so that its outer top-left corner is at this point.
    void MoveOuterTo(QPoint topLeft);
    // Sizes the window to the saved outer size, never below what the controls need.
    void ApplyStartupSize(qint32& savedWidth, qint32& savedHeight);

signals:
    // The user closed the window; the application saves and unloads.
    void Closing();
    // The user chose the Options menu item.
    void OptionsRequested();

    // TimerView
public:
    QString TimeText() const override;
    void SetTimeText(const QString& text) override;
    void SetTimeTextLimit(int characters) override;
    QString Caption() const override;
    void SetCaption(const QString& caption) override;
    bool IsWindowVisible() const override;
    bool IsWindowMinimized() const override;
    void MinimizeWindow() override;
    void SetTaskbarButton(bool shown) override;
    void SetActionCaption(const QString& caption) override;
    void SetActionBold(bool bold) override;
    void SetActionIcon(IconId icon) override;
    void SetAccessKeyCaption(const QString& caption) override;
    void ArmTick(int milliseconds) override;
    void StopTick() override;
    void FocusActionButton() override;
    void FocusTimeText() override;
    void RebuildPresetMenu() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateControls();
    void CreateMenus();
    // Widens the window for menu titles longer than their English sources.
    void WidenForMenuTitles();
    bool FilterTimeFieldKeyPress(QKeyEvent* event);
    bool ClickForAccessKey(const QKeySequence& key);
    static QValidator* MakeTypingLimit(const int& limit, QLineEdit* field);
    void SelectWholeTimeText();
    void UpdateActionAccessibleName();
    void ChooseTextFont();
    void ChooseBackColor();
    void ApplyTextColors(qint32 foreColor, qint32 backColor);
    void ResetProgressCaption();
    ControlSizes CurrentControlSizes() const;

    AppState& state_;
    const OptionSettings& options_;
    WindowServices& services_;
    TimerEngine* engine_ = nullptr;

    QLineEdit* timeField_ = nullptr;
    QPushButton* minimizeButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* actionButton_ = nullptr;
    QShortcut* accessKey_ = nullptr;
    QShortcut* focusKey_ = nullptr;
    QTimer* tick_ = nullptr;

    QAction* exitAction_ = nullptr;
    QMenu* presetMenu_ = nullptr;
    QMenu* modeMenu_ = nullptr;
    std::array<QAction*, 3> modeActions_{};
    std::vector<QAction*> presetActions_;
    QAction* alwaysOnTopAction_ = nullptr;
    QAction* fontAction_ = nullptr;
    QAction* backColorAction_ = nullptr;
    QAction* optionsAction_ = nullptr;

    std::array<TimerMode, 3> modeMenuMap_{TimerMode::CountDown, TimerMode::Alarm,
                                          TimerMode::StopWatch};
    IconId actionIcon_ = IconId::None;
    int typingLimit_ = 6;
    qint32 foreColor_ = 0; // the time field's colours as stored values
    qint32 backColor_ = 0;
    WindowGeometry geometry_;
    bool forwardingKey_ = false;
    bool keepTaskbarButton_ = false;
};

} // namespace plimset
