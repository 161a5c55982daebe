#include "EngineFixture.h"
#include "FakeAlertServices.h"
#include "FakeSoundPlayer.h"
#include "FakeWindowServices.h"
#include "alerts/AlertWindow.h"
#include "alerts/DesktopAlertOutput.h"

#include <QWindow>

#include <gtest/gtest.h>

namespace plimset {
namespace {

constexpr AlertParts sound = AlertPart::Sound, window = AlertPart::Window;
using Calls = QStringList;
const QString opened = QStringLiteral("open /sounds/ring.oga");

class AlertOutputTest : public ::testing::Test {
protected:
    AlertOutputTest() {
        options.soundSource = SoundSource::File;
        options.soundFile = QStringLiteral("/sounds/ring.oga");
        output.SetEngine(&engine);
        output.LoadAlertWindow();
    }
    // Calls AlertStep n times and returns the sound file's calls meanwhile.
    QStringList Steps(int n, AlertParts pending = sound) {
        player.calls.clear();
        while (n-- > 0)
            output.AlertStep(pending);
        return player.calls;
    }
    AlertStamp::State SoundStamp() { return engine.AlertStart(AlertPhase::Sound).state; }

    AppState state;
    OptionSettings options = DefaultOptions();
    FakeClock clock{At(12, 0)};
    FakeTimerView view;
    FakeTrayTip tray;
    FakeSoundPlayer player;
    bool fileExists = true, onTop = false;
    FakeBeeper beeper;
    FakeActivation activation;
    FakeWindowServices windowServices;
    FakeTrayMenu trayMenu;
    QWidget mainWindow;
    DesktopAlertOutput output{AlertOutputContext{
        &options, &state, &mainWindow, [this] { return onTop; }, &activation, &windowServices,
        &beeper, &player, &trayMenu, [this](const QString&) { return fileExists; }}};
    TimerEngine engine{state, options, clock, view, output, tray};
};

TEST_F(AlertOutputTest, SoundComesOnEveryFifthStep) {
    options.soundSource = SoundSource::Beep;
    options.beepCount = 3;
    for (int i = 1; i <= 10; ++i) {
        output.AlertStep(sound);
        EXPECT_EQ(beeper.rows.size(), static_cast<size_t>(i / 5)) << "step " << i;
    }
    EXPECT_EQ(beeper.rows, std::vector<int>({3, 3}));
    // A countdown that has just ended rings at once, its sound readied while it ran.
    output.RingAtNextSoundStep();
    EXPECT_EQ(beeper.prepared, 1);
    output.AlertStep(sound);
    // No beeps below one, and no sound at all for "Nothing".
    options.beepCount = 0;
    Steps(5);
    options.beepCount = 2;
    options.soundSource = SoundSource::None;
    EXPECT_TRUE(Steps(5).isEmpty());
    EXPECT_EQ(beeper.rows.size(), 3u);
}

TEST_F(AlertOutputTest, FileIsOpenedThenReplayedFromTheStart) {
    output.RingAtNextSoundStep();
    EXPECT_EQ(Steps(1), Calls({opened, "play"}));
    EXPECT_TRUE(output.SoundOpen());
    EXPECT_TRUE(Steps(5).isEmpty()); // still playing
    player.state = SoundState::Stopped;
    EXPECT_EQ(Steps(5), Calls({"play"}));
    // Where nothing can be played at all the beep stands in, once a second.
    player.state = SoundState::NotOpen;
    player.openResult = SoundOpenResult::NoOutput;
    Steps(10);
    EXPECT_EQ(beeper.rows, std::vector<int>({1, 1}));
    // A missing file stays silent.
    fileExists = false;
    EXPECT_TRUE(Steps(5).isEmpty());
    EXPECT_EQ(SoundStamp(), AlertStamp::State::Idle);
}

// Played until its end, a file that has stopped is closed and the sound counts as played;
// one that cannot be played (or is missing) would never report Stopped, so it counts as
// played at once, or the alert would go on in silence for ever.
TEST_F(AlertOutputTest, UntilEndClosesAndMarksTheSoundPlayed) {
    options.playSoundToEnd = true;
    output.RingAtNextSoundStep();
    Steps(1);
    player.state = SoundState::Stopped;
    EXPECT_EQ(Steps(5), Calls({"close"}));
    EXPECT_EQ(SoundStamp(), AlertStamp::State::PlayedToEnd);
    for (bool missing : {false, true}) {
        engine.SetAlertStart(AlertPhase::Sound, {});
        player.openResult = SoundOpenResult::CannotPlay;
        fileExists = !missing;
        EXPECT_EQ(Steps(5), missing ? Calls() : Calls({opened}));
        EXPECT_EQ(SoundStamp(), AlertStamp::State::PlayedToEnd) << missing;
    }
}

TEST_F(AlertOutputTest, StopSoundModes) {
    output.RingAtNextSoundStep();
    Steps(1); // opened and playing
    // Stop leaves a file that has stopped open, to be replayed from its start; close-at-end
    // closes only a stopped file.
    const auto stop = [&](SoundStop how, SoundState now) {
        player.calls.clear();
        player.state = now;
        output.StopSound(how);
        return player.calls.join(u' ') + (output.SoundOpen() ? "|open" : "|closed");
    };
    EXPECT_EQ(stop(SoundStop::Stop, SoundState::Stopped), "|open");
    EXPECT_EQ(stop(SoundStop::CloseAtEnd, SoundState::Playing), "|open");
    EXPECT_EQ(stop(SoundStop::CloseAtEnd, SoundState::Stopped), "close|closed");
    // Stop stops and closes a playing file; a step without the sound part stops it too.
    Steps(5);
    EXPECT_EQ(Steps(1, window), Calls({"stop", "close"}));
    EXPECT_FALSE(output.SoundOpen());
    // A stop that comes while a file is being opened (the engine's tick runs meanwhile)
    // waits for the open and then stops what was started.
    output.RingAtNextSoundStep();
    player.duringOpen = [&] { output.AlertStep(sound), output.StopSound(SoundStop::Stop); };
    EXPECT_EQ(Steps(1), Calls({opened, "play", "stop", "close"}));
    EXPECT_FALSE(output.SoundOpen());
}

TEST_F(AlertOutputTest, WindowsComeBackAndTheAlertWindowFollowsThePendingParts) {
    mainWindow.showMinimized();
    activation.foreground = false;
    onTop = true;
    output.AlertStep(window);
    EXPECT_FALSE(mainWindow.isMinimized());
    EXPECT_TRUE(activation.broughtToFront == 1 && activation.lastKeepOnTop);
    EXPECT_TRUE(output.IsAlertWindowVisible() && trayMenu.caption.isEmpty());
    // Above other windows and transient for the main one (the desktop tests see the rest).
    const AlertWindow* alert = output.Window();
    EXPECT_TRUE(alert->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(alert->windowHandle()->transientParent(), mainWindow.windowHandle());
    // Hidden to the tray: shown again, and the tray's item minimizes once more.
    mainWindow.hide();
    output.AlertStep(sound);
    EXPECT_TRUE(mainWindow.isVisible() && !output.IsAlertWindowVisible());
    EXPECT_EQ(trayMenu.caption, "Mi&nimize");
    EXPECT_EQ(activation.broughtToFront, 1); // already in front
}

} // namespace
} // namespace plimset
