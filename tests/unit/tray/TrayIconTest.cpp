#include "tray/TrayIcon.h"
#include "FakeEmbeddingTray.h"
#include "tray/TrayIconNames.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace plimset {
namespace {

// A tray icon over a plain main window, with the presence of a tray under the test's
// control.
struct TrayFixture : ::testing::Test {
    TrayFixture() {
        window.resize(200, 60);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QString Caption(const char* item) const {
        return tray.Menu()->findChild<QAction*>(QLatin1String(item))->text();
    }

    bool trayPresent = true;
    AppState state;
    QWidget window;
    TrayIcon tray{state, &window, std::make_unique<FakeEmbeddingTray>(trayPresent)};
};

TEST_F(TrayFixture, MenuFollowsTheWindowAndExitRemovesTheIcon) {
    tray.Load("CountDown");
    ASSERT_TRUE(tray.IsShown());
    EXPECT_EQ(Caption(TrayIconNames::HideItem), "Mi&nimize");
    tray.HideClicked();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Caption(TrayIconNames::HideItem), "&Restore");
    // Whoever shows the window, the item follows.
    window.show();
    EXPECT_EQ(Caption(TrayIconNames::HideItem), "Mi&nimize");
    // The tip is cut to what a tray shows.
    tray.SetTrayTip(QString(80, u'9'));
    EXPECT_EQ(tray.Tip(), QString(64, u'9'));

    QSignalSpy exit(&tray, &TrayIcon::ExitRequested);
    tray.ExitClicked();
    EXPECT_EQ(exit.count(), 1);
    EXPECT_FALSE(tray.IsLoaded());
    EXPECT_EQ(tray.ChangeTip("1.00"), TrayIcon::Refused);
}

TEST_F(TrayFixture, ClicksOpenTheMenuOrShowTheWindow) {
    tray.Load("Alarm");
    tray.HideMainWindow();
    tray.IconPressed(TrayClick::Right);
    EXPECT_TRUE(tray.Menu()->isVisible() && state.trayMenuOpen);
    EXPECT_FALSE(window.isVisible()); // the menu opens over the hidden window
    tray.Menu()->hide();
    EXPECT_FALSE(state.trayMenuOpen);
    tray.IconPressed(TrayClick::Left);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayFixture, MinimizingHidesToTheTrayOnlyWhileATrayShowsTheIcon) {
    tray.SetGracePeriod(0);
    QSignalSpy missing(&tray, &TrayIcon::TrayMissing);
    tray.Load("CountDown");
    window.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
    tray.IconPressed(TrayClick::Left);
    EXPECT_TRUE(window.isVisible() && !window.isMinimized()); // back in its normal state
    tray.HideClicked();
    // The tray goes away while the window is hidden in it: the window comes back, and
    // that is all (a tray that was there is no news, however long after the start).
    trayPresent = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 5000));
    EXPECT_FALSE(tray.IsShown());
    EXPECT_EQ(missing.count(), 0);
}

} // namespace
} // namespace plimset
