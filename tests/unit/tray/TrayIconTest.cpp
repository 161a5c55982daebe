#include "tray/TrayIcon.h"
#include "FakeEmbeddingTray.h"
#include "desktop/QtTranslation.h"
#include "tray/TrayIconNames.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
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
    QString HideCaption() const {
        return tray.Menu()->findChild<QAction*>(QLatin1String(TrayIconNames::HideItem))->text();
    }

    bool trayPresent = true;
    AppState state;
    QWidget window;
    TrayIcon tray{state, &window, std::make_unique<FakeEmbeddingTray>(trayPresent)};
};

TEST_F(TrayFixture, MenuFollowsTheWindowAndExitRemovesTheIcon) {
    tray.Load(QStringLiteral("CountDown"));
    ASSERT_TRUE(tray.IsShown());
    EXPECT_EQ(HideCaption(), QStringLiteral("Mi&nimize"));

    tray.HideClicked();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(HideCaption(), QStringLiteral("&Restore"));
    // Whoever shows the window, the item follows.
    window.show();
    EXPECT_EQ(HideCaption(), QStringLiteral("Mi&nimize"));

    QtTranslation japanese;
    japanese.UseLanguage("ja");
    tray.Localize();
    EXPECT_NE(tray.Menu()->findChild<QAction*>(QLatin1String(TrayIconNames::ExitItem))->text(),
              QStringLiteral("E&xit"));

    // The tip is cut to what a tray shows.
    tray.SetTrayTip(QString(80, u'9'));
    EXPECT_EQ(tray.Tip(), QString(64, u'9'));

    QSignalSpy exit(&tray, &TrayIcon::ExitRequested);
    tray.ExitClicked();
    EXPECT_EQ(exit.count(), 1);
    EXPECT_FALSE(tray.IsLoaded());
    EXPECT_EQ(tray.ChangeTip(QStringLiteral("1.00")), TrayIcon::Refused);
}

TEST_F(TrayFixture, ClicksOpenTheMenuOrShowTheWindowUnlessADialogIsOpen) {
    tray.Load(QStringLiteral("Alarm"));
    tray.HideMainWindow();
    state.optionsOpen = true;
    tray.IconPressed(TrayClick::Left);
    tray.IconPressed(TrayClick::Right);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(tray.Menu()->isVisible());

    state.optionsOpen = false;
    tray.IconPressed(TrayClick::Right);
    EXPECT_TRUE(tray.Menu()->isVisible());
    EXPECT_TRUE(state.trayMenuOpen);
    EXPECT_FALSE(window.isVisible()); // the menu opens over the hidden window
    tray.Menu()->hide();
    EXPECT_FALSE(state.trayMenuOpen);

    tray.IconPressed(TrayClick::Left);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayFixture, MinimizingHidesToTheTrayOnlyWhileATrayShowsTheIcon) {
    tray.SetGracePeriod(0);
    QSignalSpy missing(&tray, &TrayIcon::TrayMissing);
    tray.Load(QStringLiteral("CountDown"));
    window.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
    EXPECT_EQ(HideCaption(), QStringLiteral("&Restore"));
    tray.IconPressed(TrayClick::Left);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized()); // it comes back in its normal state
    tray.HideClicked();

    // The tray goes away while the window is hidden in it: the window comes back, and
    // that is all (a tray that was there is no news, however long after the start).
    QSignalSpy shown(&tray, &TrayIcon::ShownChanged);
    trayPresent = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 5000));
    ASSERT_EQ(shown.count(), 1);
    EXPECT_FALSE(shown.at(0).at(0).toBool());
    EXPECT_EQ(missing.count(), 0);
    // Without a tray, minimized is minimized (the hide would come on the next turn of the
    // event loop).
    window.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayFixture, AMissingTrayIsAnnouncedOnceAndTheIconAppearsWhenATrayDoes) {
    trayPresent = false;
    tray.SetGracePeriod(300);
    QSignalSpy missing(&tray, &TrayIcon::TrayMissing);
    QSignalSpy shown(&tray, &TrayIcon::ShownChanged);
    tray.Load(QStringLiteral("CountDown"));
    window.hide();
    EXPECT_FALSE(tray.IsShown());
    EXPECT_EQ(missing.count(), 0); // not before the grace period
    ASSERT_TRUE(missing.wait(5000));
    EXPECT_TRUE(window.isVisible()); // never left in a tray that is not there

    trayPresent = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.IsShown(); }, 5000));
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(missing.count(), 1);
    EXPECT_EQ(tray.ChangeTip(QStringLiteral("5.00")), TrayIcon::Done);
}

} // namespace
} // namespace plimset
