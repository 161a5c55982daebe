#include "AppFixture.h"

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
        ASSERT_FALSE(Start({"/C", "0.01"}));
        TickAfter(2); // the field reaches zero
        TickAfter(0.2);
    }
    RunState Run() { return app->Engine().CurrentRunState(); }
};

TEST_F(AlertNotificationTest, TheAdvancedKeyTurnsTheNoticeOffNotTheAlert) {
    StartEndedCountDown("[Advanced]\nDesktopNotification=0\n");
    EXPECT_TRUE(notifier.notices.empty());
    EXPECT_EQ(Run(), RunState::Running);
}

TEST_F(AlertNotificationTest, TheNoticesStopIsTheStopButtonAndOnlyDuringTheAlertAndGoesWithIt) {
    StartEndedCountDown();
    ASSERT_TRUE(notifier.shown);
    // A click on the notice brings the window back and stops nothing.
    window->hide();
    notifier.ClickNotice();
    EXPECT_TRUE(window->isVisible() && app->Alert().IsAlertActive());
    notifier.ChooseStop();
    EXPECT_EQ(Run(), RunState::Stopped);
    EXPECT_EQ(Text(), "0:01"); // reloaded, as the stop button does
    EXPECT_FALSE(app->Alert().IsAlertWindowVisible());
    // A stop that arrives after the alert must not start the countdown again.
    notifier.ChooseStop();
    EXPECT_EQ(Run(), RunState::Stopped);
    // Stopping or resetting the timer withdraws the notice too.
    for (const char* button : {MainWindowNames::ActionButton, MainWindowNames::ClearButton}) {
        StartEndedCountDown();
        ASSERT_TRUE(notifier.shown);
        Find<QPushButton>(button)->click();
        EXPECT_FALSE(notifier.shown) << button;
    }
}

} // namespace
