#pragma once

#include "core/AppState.h"
#include "core/EngineView.h"
#include "core/WindowLayout.h"
#include "settings/OptionSettings.h"

#include <QMainWindow>
#include <QMargins>
#include <array>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace plimset {

// The main window: the time field, the minimize and clear buttons on its left, the
// mode's action button on its right, and the menu bar. It owns the timer's state, shows
// what the engine tells it and hands the user's actions to the engine.
//
// Lengths follow the layout arithmetic in twips. The window's non-client size is the
// frame the window manager gives it plus the menu bar: Qt puts the menu bar inside the
// window's geometry, so counting it as non-client keeps the client area equal to the
// central widget, where the controls are placed absolutely.
class MainWindow : public QMainWindow, public EngineView {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Sizes the time field for this many characters (0: the character limit) and the
    // window around it, then centres the controls.
    void Sg_TextBox_Size(int characters);
    // Centres the controls in the client area.
    void Sg_Object_Location();

    // EngineView
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
    void SetActionIcon(int iconId) override;
    void SetAccessKeyCaption(const QString& caption) override;
    void SetTickEnabled(bool enabled) override;
    void FocusActionButton() override;
    void FocusTimeText() override;
    void RebuildPresetMenu() override;
    bool IsAlertWindowVisible() const override;
    void HideAlertWindow() override;
    void AlertStep(int pending) override;
    void StopSound(int mode) override;
    void SetTrayTip(const QString& tip) override;
    void SetTaskbarButton(bool shown) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateMenus();
    bool FilterTimeFieldKeyPress(class QKeyEvent* event);
    void UpdateActionAccessibleName();

    // The window's outer size and its non-client part, in twips.
    double WindowWidthTwips() const;
    double WindowHeightTwips() const;
    void MeasureBorders();
    void RemeasureBorderHeight(int clientWidthPixels);
    ControlSizes CurrentControlSizes() const;
    void ResizeOuter(int widthPixels, int heightPixels);
    void PlaceOutOfSightButtons();

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
    std::array<qint16, 3> modeMenuMap_{2, 1, 3};
    int actionIconId_ = 0;

    TwipsPerPixel tpp_;
    QMargins frame_;          // the window manager's frame, in pixels
    double borderWidth_ = 0;  // non-client width, twips
    double borderHeight_ = 0; // non-client height (frame and menu bar), twips
    bool forwardingKey_ = false;
};

} // namespace plimset
