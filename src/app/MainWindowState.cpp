#include "app/MainWindowState.h"

#include "core/ScreenFit.h"
#include "desktop/ScreenScale.h"
#include "settings/SettingsFile.h"
#include "ui/main/MainWindow.h"

#include <QGuiApplication>
#include <QScreen>

namespace plimset {

MainWindowState::MainWindowState(MainWindow& window, QString settingsFilePath)
    : window_(window), path_(std::move(settingsFilePath)) {}

namespace {

// How far a window is set aside from another one at its place, on each axis: about a title
// bar, so the one below still shows its title.
constexpr int AsideStepPixels = 32;

} // namespace

void MainWindowState::Load(const WindowSettings& designLook, const QList<QPoint>& otherWindows) {
    loaded_ = ReadWindowSettings(SettingsFile(path_), designLook);

    const WindowGeometry& geometry = window_.Geometry();
    const QSize size(geometry.OuterWidthPixels(&window_), geometry.OuterHeightPixels(&window_));
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screenRect = primary != nullptr ? primary->geometry() : QRect(0, 0, 1024, 768);
    QPoint position = PositionInPixels(loaded_, geometry.Scale());
    if (loaded_.Left == NoStoredPosition)
        position.setX(screenRect.x() + CentredPosition(screenRect.width(), size.width()));
    if (loaded_.Top == NoStoredPosition)
        position.setY(screenRect.y() + CentredPosition(screenRect.height(), size.height()));
    position = AsideFromWindows(position, {otherWindows.begin(), otherWindows.end()},
                                {AsideStepPixels, AsideStepPixels});
    window_.MoveOuterTo(KeepOnScreen(position, size, VirtualScreenRect()));
    NoteShownPosition();

    if (loaded_.AlwaysOnTop == 0 || loaded_.AlwaysOnTop == 1)
        window_.SetAlwaysOnTopChecked(loaded_.AlwaysOnTop == 1);
    window_.ApplyTextLook(loaded_);
}

void MainWindowState::ApplySize() {
    // A size no screen can show (a hand-edited file) gives a window the display server may
    // not even allocate; it is held to the screens, as the position is, and the save then
    // puts the held size in the file.
    qint32 width = loaded_.Width;
    qint32 height = loaded_.Height;
    const QRect screens = VirtualScreenRect();
    const double scale = window_.devicePixelRatioF();
    if (!screens.isEmpty()) {
        width = qMin(width, RoundToInt32(screens.width() * scale));
        height = qMin(height, RoundToInt32(screens.height() * scale));
    }
    window_.ApplyStartupSize(width, height);
    // Without a saved size the window's first size is what a save compares against.
    if (loaded_.Width < 1)
        loaded_.Width = width;
    if (loaded_.Height < 1)
        loaded_.Height = height;
    // A scaled screen shows only the sizes of whole pixels of Qt's: a saved size the window
    // took as closely as they allow counts as kept, so it is not written back a pixel off.
    const WindowGeometry& geometry = window_.Geometry();
    const int shownWidth = geometry.OuterWidthScreenPixels(&window_);
    const int shownHeight = geometry.OuterHeightScreenPixels(&window_);
    if (geometry.OuterWidthFromScreen(shownWidth) == geometry.OuterWidthFromScreen(loaded_.Width))
        loaded_.Width = shownWidth;
    if (geometry.OuterHeightFromScreen(shownHeight) ==
        geometry.OuterHeightFromScreen(loaded_.Height))
        loaded_.Height = shownHeight;
}

void MainWindowState::NoteShownPosition() {
    const WindowGeometry& geometry = window_.Geometry();
    SetPositionInPixels(loaded_, geometry.OuterTopLeft(&window_), geometry.Scale());
}

void MainWindowState::RestoreNormalGeometry() {
    // The window system restores a window in its own time, so its normal geometry is put
    // back at once.
    if (window_.isMinimized() || window_.isMaximized() || window_.isFullScreen() ||
        !window_.isVisible()) {
        const QRect normal = window_.normalGeometry();
        window_.showNormal();
        if (normal.isValid())
            window_.setGeometry(normal);
    }
}

void MainWindowState::Save() {
    SettingsFile file(path_);
    const WindowSettings current = window_.CurrentWindowSettings();
    const bool normal = !(window_.windowState() &
                          (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    // Where the desktop keeps the position to itself, the saved one is left as it is.
    SaveWindowSettings(file, loaded_, current, normal && window_.PositionIsKnown());
    const qint32 left = loaded_.Left;
    const qint32 top = loaded_.Top;
    loaded_ = current;
    if (!normal) {
        loaded_.Left = left;
        loaded_.Top = top;
    }
}

} // namespace plimset
