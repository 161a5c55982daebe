#include "AppFixture.h"

#include <gtest/gtest.h>

using namespace plimset;

namespace {

// Every alert is also a desktop notification: the alert window's lines, shown while the
// alert lasts, its stop doing what the stop button does.
class AlertNotificationTest : public AppFixture {
protected:
    // Runs the engine's tick after the clock moved on by this many seconds.
    void TickAfter(double seconds) {
        clock.Advance(seconds);
        app->Engine().Tick();
    }
    // A one-second countdown that has just begun to alert.
    void StartEndedCountDown(const QByteArray& settings = {}) {
        WriteSettings("[Option]\nSoundFlag=2\nRingDuration=0.02\nDisplayDuration=0.05\n" +
                      settings);
        ASSERT_FALSE(Start({QStringLiteral("/C"), QStringLiteral("0.01")}));
        TickAfter(2); // the field reaches zero
        TickAfter(0.2);
    }
};

TEST_F(AlertNotificationTest, ACountDownsAlertIsANoticeUntilItEnds) {
    StartEndedCountDown();
    ASSERT_TRUE(notifier.shown);
    EXPECT_EQ(notifier.shown->summary, QStringLiteral("The countdown ended."));
    EXPECT_EQ(notifier.shown->body, QStringLiteral("Click on the stop button."));
    EXPECT_EQ(notifier.shown->stopCaption, QStringLiteral("Stop"));
    // Later steps of the same alert post nothing new.
    TickAfter(0.2);
    TickAfter(0.2);
    EXPECT_EQ(notifier.notices.size(), 1u);
    // Both phases over: the countdown stops and the notice goes.
    TickAfter(10);
    EXPECT_EQ(app->Engine().CurrentRunState(), RunState::Stopped);
    EXPECT_FALSE(notifier.shown);
    EXPECT_EQ(notifier.withdrawals, 1);
}

TEST_F(AlertNotificationTest, TheNoticesStopIsTheStopButtonAndOnlyDuringTheAlertAndGoesWithIt) {
    StartEndedCountDown();
    ASSERT_TRUE(notifier.shown);
    // A click on the notice brings the window back and stops nothing.
    window->hide();
    notifier.ClickNotice();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(app->Alert().IsAlertActive());
    notifier.ChooseStop();
    EXPECT_EQ(app->Engine().CurrentRunState(), RunState::Stopped);
    EXPECT_EQ(Text(), QStringLiteral("0:01")); // reloaded, as the stop button does
    EXPECT_FALSE(app->Alert().IsAlertWindowVisible());
    // A stop that arrives after the alert must not start the countdown again.
    notifier.ChooseStop();
    EXPECT_EQ(app->Engine().CurrentRunState(), RunState::Stopped);

    // Stopping or resetting the timer withdraws the notice too.
    StartEndedCountDown();
    ASSERT_TRUE(notifier.shown);
    PressAction();
    EXPECT_FALSE(notifier.shown);

    StartEndedCountDown();
    ASSERT_TRUE(notifier.shown);
    Find<QPushButton>(MainWindowNames::ClearButton)->click();
    EXPECT_FALSE(notifier.shown);
}

TEST_F(AlertNotificationTest, AnAlarmsNoticeHasItsOneLineAndGoesWithTheSnooze) {
    WriteSettings("[Option]\nSoundFlag=2\n");
    ASSERT_FALSE(Start({QStringLiteral("/A"), QStringLiteral("10:01")}));
    TickAfter(60);
    ASSERT_TRUE(notifier.shown);
    EXPECT_EQ(notifier.shown->summary, QStringLiteral("The set time has come."));
    EXPECT_TRUE(notifier.shown->body.isEmpty());
    notifier.ChooseStop(); // the action button: ten minutes on
    TickAfter(0.2);
    EXPECT_FALSE(notifier.shown);
    EXPECT_EQ(Text(), QStringLiteral("10:11"));
}

TEST_F(AlertNotificationTest, TheAdvancedKeyTurnsTheNoticeOff) {
    StartEndedCountDown("[Advanced]\nDesktopNotification=0\n");
    EXPECT_TRUE(notifier.notices.empty());
    EXPECT_EQ(app->Engine().CurrentRunState(), RunState::Running); // the alert itself goes on
}

} // namespace
