#include "desktop/WindowServices.h"
#include "desktop/FakeWindowServices.h"
#include "desktop/Twips.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
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
    const double tppy = TwipsPerPixelY();
    const qint32 menu = MenuBarHeight(&w.window);
    ASSERT_GT(menu, 0);
    const Borders b = MeasureWindowBorders(services, &w.window);
    EXPECT_EQ(b.BorderWidth, qRound(4 * TwipsPerPixelX()));
    EXPECT_EQ(b.BorderHeight, qRound((24 + menu) * tppy));

    // A menu bar whose menus are all hidden takes no room.
    w.menu->menuAction()->setVisible(false);
    EXPECT_EQ(MenuBarHeight(&w.window), 0);
    EXPECT_EQ(MeasureWindowBorders(services, &w.window).BorderHeight, qRound(24 * tppy));
}

TEST(MeasureWindowBorders, FramelessWindowHasNoBorders) {
    QMainWindow window(nullptr, Qt::FramelessWindowHint);
    FakeWindowServices services;
    const Borders b = MeasureWindowBorders(services, &window);
    EXPECT_EQ(b.BorderWidth, 0);
    EXPECT_EQ(b.BorderHeight, 0);
}

TEST(X11WindowServices, MinimizeHintFollowsTheSettingAndKeepsTheWindow) {
    MenuWindow w;
    X11WindowServices services;
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    QWindow* handle = w.window.windowHandle();

    services.SetMinimizeOffered(&w.window, false);
    EXPECT_FALSE(w.window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(w.window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.window.windowHandle(), handle);

    services.SetMinimizeOffered(&w.window, true);
    EXPECT_TRUE(w.window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(w.window.isVisible());
}

TEST(X11WindowServices, UndoesAMinimizeThatIsNotOffered) {
    MenuWindow w;
    X11WindowServices services;
    services.SetMinimizeOffered(&w.window, false);
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));

    w.window.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.window.isMinimized(); }, 2000));
    EXPECT_TRUE(w.window.isVisible());

    // Once offered again, minimizing sticks.
    services.SetMinimizeOffered(&w.window, true);
    w.window.setWindowState(Qt::WindowMinimized);
    QTest::qWait(50);
    EXPECT_TRUE(w.window.isMinimized());
}

TEST(X11WindowServices, DoesNoHarmWithoutX11) {
    // The widget tests run offscreen: nothing to talk to, nothing may break.
    MenuWindow w;
    X11WindowServices services;
    EXPECT_FALSE(X11WindowServices::IsX11());
    services.SetTaskbarButton(&w.window, false);
    services.SetAlwaysOnTop(&w.window, true);
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    services.SetTaskbarButton(&w.window, true);
    EXPECT_TRUE(services.FrameExtents(nullptr).isNull());
    services.SetAlwaysOnTop(nullptr, true);
    EXPECT_TRUE(w.window.isVisible());
}

} // namespace
} // namespace plimset
