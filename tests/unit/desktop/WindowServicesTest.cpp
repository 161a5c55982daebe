#include "desktop/WindowServices.h"
#include "FakeWindowServices.h"
#include "desktop/QtWindowServices.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace plimset {
namespace {

// A window like the main window: a menu bar with one menu.
struct MenuWindow {
    MenuWindow() { menu = window.menuBar()->addMenu(QStringLiteral("&Mode")); }
    QMainWindow window;
    QMenu* menu = nullptr;
};

TEST(MeasureWindowBorders, CountsFrameAndVisibleMenuBar) {
    MenuWindow w;
    FakeWindowServices services;
    services.frame = QMargins(2, 20, 2, 4);
    const qint32 menu = MenuBarHeight(&w.window);
    ASSERT_GT(menu, 0);
    const Borders b = MeasureWindowBorders(services, &w.window);
    EXPECT_EQ(b.BorderWidth, 4);
    EXPECT_EQ(b.BorderHeight, 24 + menu);

    // A menu bar whose menus are all hidden takes no room.
    w.menu->menuAction()->setVisible(false);
    EXPECT_EQ(MenuBarHeight(&w.window), 0);
    EXPECT_EQ(MeasureWindowBorders(services, &w.window).BorderHeight, 24);

    QMainWindow frameless(nullptr, Qt::FramelessWindowHint);
    EXPECT_EQ(MeasureWindowBorders(services, &frameless).BorderHeight, 0);
}

TEST(QtWindowServices, MinimizeHintFollowsTheSettingAndKeepsTheWindow) {
    MenuWindow w;
    QtWindowServices services;
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    QWindow* handle = w.window.windowHandle();

    for (const bool offered : {false, true}) {
        services.SetMinimizeOffered(&w.window, offered);
        EXPECT_EQ(w.window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint), offered);
        EXPECT_TRUE(w.window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_TRUE(w.window.isVisible() && w.window.windowHandle() == handle);
    }

    // An untitled window keeps the frame the window manager draws; where the program
    // draws its frames itself, it goes without one rather than with a full title bar.
    for (const bool clientFrames : {false, true}) {
        QWidget untitled;
        QtWindowServices(clientFrames).SetUntitled(&untitled);
        EXPECT_EQ(untitled.windowFlags().testFlag(Qt::FramelessWindowHint), clientFrames);
    }
}

} // namespace
} // namespace plimset
