#include "EngineFixture.h"
#include "FakeAlertServices.h"
#include "FakeWindowServices.h"
#include "alerts/AlertWindow.h"
#include "alerts/DesktopAlertOutput.h"
#include "alerts/MciInterpreter.h"

#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace plimset {
namespace {

constexpr AlertParts sound = AlertPart::Sound;
constexpr AlertParts window = AlertPart::Window;
const QString soundFile = QStringLiteral("/sounds/ring.oga");

class AlertOutputTest : public ::testing::Test {
protected:
    AlertOutputTest() {
        options.soundSource = SoundSource::File;
        options.soundFile = soundFile;
        output.SetEngine(&engine);
        output.LoadAlertWindow();
    }

    // Calls AlertStep n times and returns the strings sent meanwhile.
    QStringList Steps(int n, AlertParts pending = sound) {
        mci.sent.clear();
        for (int i = 0; i < n; ++i) {
            output.AlertStep(pending);
        }
        return mci.sent;
    }

    AppState state;
    OptionSettings options = DefaultOptions();
    FakeClock clock{At(12, 0)};
    FakeTimerView view;
    FakeTrayTip tray;
    FakeCommandInterpreter mci;
    bool fileExists = true;
    MciPlayer player{mci, [this](const QString&) { return fileExists; }};
    FakeBeeper beeper;
    FakeActivation activation;
    FakeWindowServices windowServices;
    FakeTrayMenu trayMenu;
    bool onTop = false;
    QWidget mainWindow;
    DesktopAlertOutput output{AlertOutputContext{
        &options, &state, &mainWindow, [this] { return onTop; }, &activation, &windowServices,
        &beeper, &player, &trayMenu, [this](const QString&) { return fileExists; }}};
    TimerEngine engine{state, options, clock, view, output, tray};
};

TEST_F(AlertOutputTest, AnAlarmNearItsMinuteReadiesTheSoundUnlessItIsSilent) {
    options.soundSource = SoundSource::None;
    view.text = QStringLiteral("12:00");
    clock.Set(At(11, 59, 56));
    state.CurMode = Alarm;
    engine.Tick();
    EXPECT_EQ(beeper.prepared, 0);
    options.soundSource = SoundSource::File;
    engine.Tick();
    EXPECT_EQ(beeper.prepared, 1);
}

TEST_F(AlertOutputTest, SoundComesOnEveryFifthStep) {
    options.soundSource = SoundSource::Beep;
    options.beepCount = 3;
    for (int i = 1; i <= 15; ++i) {
        output.AlertStep(sound);
        EXPECT_EQ(beeper.rows.size(), static_cast<size_t>(i / 5)) << "step " << i;
    }
    EXPECT_EQ(beeper.rows, std::vector<int>({3, 3, 3}));

    // A countdown that has just ended rings at once, its sound readied while it ran.
    beeper.rows.clear();
    output.RingAtNextSoundStep();
    EXPECT_EQ(beeper.prepared, 1);
    output.AlertStep(sound);
    EXPECT_EQ(beeper.rows.size(), 1u);
    Steps(4);
    EXPECT_EQ(beeper.rows.size(), 1u);
    Steps(1);
    EXPECT_EQ(beeper.rows.size(), 2u);

    // No beeps below one, and no sound at all for "Nothing".
    options.beepCount = 0;
    Steps(5);
    options.beepCount = 2;
    options.soundSource = SoundSource::None;
    Steps(5);
    EXPECT_EQ(beeper.rows.size(), 2u);
    EXPECT_TRUE(mci.sent.isEmpty());
}

TEST_F(AlertOutputTest, FileIsOpenedThenReplayedFromTheStart) {
    output.RingAtNextSoundStep();
    mci.mode = QString(); // not open yet
    EXPECT_EQ(Steps(1),
              QStringList({"status mmFile mode", "open \"/sounds/ring.oga\" alias mmFile wait",
                           "play mmFile"}));
    EXPECT_TRUE(output.SoundOpen());
    mci.mode = QStringLiteral("playing");
    EXPECT_EQ(Steps(5), QStringList({"status mmFile mode"}));
    mci.mode = QStringLiteral("stopped");
    EXPECT_EQ(Steps(5), QStringList({"status mmFile mode", "play mmFile from 0"}));

    // Where nothing can be played at all the beep stands in, once a second.
    mci.mode = QString();
    mci.results[QStringLiteral("open \"/sounds/ring.oga\" alias mmFile wait")] =
        MciInterpreter::NoOutput;
    Steps(10);
    EXPECT_EQ(beeper.rows, std::vector<int>({1, 1}));

    // A missing file stays silent.
    fileExists = false;
    EXPECT_TRUE(Steps(5).isEmpty());
    EXPECT_EQ(engine.AlertStart(TimerEngine::SoundPhase), 0.0f);
}

TEST_F(AlertOutputTest, UntilEndClosesAndMarksTheSoundPlayed) {
    options.playSoundToEnd = true;
    output.RingAtNextSoundStep();
    mci.mode = QStringLiteral("stopped");
    output.AlertStep(sound); // replays nothing: opened earlier and ended
    EXPECT_EQ(engine.AlertStart(TimerEngine::SoundPhase), TimerEngine::PlayedToEnd);
}

// A sound file that cannot be played would never report "stopped": to play it until its
// end is to be done with it at once, or the alert would go on in silence for ever.
TEST_F(AlertOutputTest, UnplayableFileUntilEndCountsAsPlayed) {
    options.playSoundToEnd = true;
    const QString open = QStringLiteral("open \"/sounds/ring.oga\" alias mmFile wait");
    mci.results[open] = 4;
    mci.replies[QStringLiteral("sysinfo all quantity wait")] = QStringLiteral("0");
    output.RingAtNextSoundStep();
    const QStringList sent = Steps(1);
    EXPECT_FALSE(sent.contains(QStringLiteral("play mmFile")));
    EXPECT_EQ(engine.AlertStart(TimerEngine::SoundPhase), TimerEngine::PlayedToEnd);

    engine.SetAlertStart(TimerEngine::SoundPhase, 0);
    fileExists = false;
    Steps(5);
    EXPECT_EQ(engine.AlertStart(TimerEngine::SoundPhase), TimerEngine::PlayedToEnd);
}

TEST_F(AlertOutputTest, StopSoundModes) {
    output.RingAtNextSoundStep();
    Steps(1); // opened and playing
    ASSERT_TRUE(output.SoundOpen());

    // Stop leaves a file that has stopped open, to be replayed from its start.
    mci.sent.clear();
    mci.mode = QStringLiteral("stopped");
    output.StopSound(SoundStop::Stop);
    EXPECT_EQ(mci.sent, QStringList({"status mmFile mode"}));
    EXPECT_TRUE(output.SoundOpen());

    // Close-at-end closes only a stopped file.
    mci.mode = QStringLiteral("playing");
    output.StopSound(SoundStop::CloseAtEnd);
    EXPECT_TRUE(output.SoundOpen());
    mci.mode = QStringLiteral("stopped");
    mci.sent.clear();
    output.StopSound(SoundStop::CloseAtEnd);
    EXPECT_EQ(mci.sent, QStringList({"status mmFile mode", "close mmFile wait"}));
    EXPECT_FALSE(output.SoundOpen());

    // Nothing is asked while no file is open.
    mci.sent.clear();
    output.StopSound(SoundStop::Stop);
    EXPECT_TRUE(mci.sent.isEmpty());

    // Stop stops and closes a playing file; a step without the sound part stops it too.
    Steps(5);
    mci.mode = QStringLiteral("playing");
    EXPECT_EQ(Steps(1, window),
              QStringList({"status mmFile mode", "stop mmFile wait", "close mmFile wait"}));
    EXPECT_FALSE(output.SoundOpen());
}

TEST_F(AlertOutputTest, WindowsComeBackAndTheAlertWindowFollowsThePendingParts) {
    mainWindow.showMinimized();
    activation.foreground = false;
    onTop = true;
    output.AlertStep(window);
    EXPECT_FALSE(mainWindow.isMinimized());
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_EQ(activation.broughtToFront, 1);
    EXPECT_TRUE(activation.lastKeepOnTop);
    EXPECT_TRUE(output.IsAlertWindowVisible());
    EXPECT_TRUE(trayMenu.caption.isEmpty());
    // A caption-less window without a taskbar button, transient for the main window.
    const AlertWindow* alert = output.Window();
    EXPECT_TRUE(windowServices.StateOf(output.Window()).untitled);
    EXPECT_FALSE(windowServices.StateOf(output.Window()).taskbarButton);
    ASSERT_NE(alert->windowHandle(), nullptr);
    EXPECT_EQ(alert->windowHandle()->transientParent(), mainWindow.windowHandle());
    EXPECT_TRUE(alert->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(alert->windowFlags().testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(alert->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    // Hidden to the tray: shown again, and the tray's item minimizes once more.
    mainWindow.hide();
    output.AlertStep(sound);
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_EQ(trayMenu.caption, "Mi&nimize");
    EXPECT_FALSE(output.IsAlertWindowVisible());
    EXPECT_EQ(activation.broughtToFront, 1); // already in front
}

// A stop that comes while a file is being opened (the engine's tick runs meanwhile) waits
// for the open and then stops what was started.
TEST_F(AlertOutputTest, StopDuringOpenStopsAfterIt) {
    class ReentrantInterpreter : public FakeCommandInterpreter {
    public:
        int SendCommand(const QString& command, QString* reply) override {
            if (command.startsWith(u"open ") && during) {
                during();
            }
            return FakeCommandInterpreter::SendCommand(command, reply);
        }
        std::function<void()> during;
    } slow;
    MciPlayer slowPlayer(slow, [](const QString&) { return true; });
    AlertOutputContext context{
        &options, &state,  &mainWindow, {},        &activation,
        nullptr,  &beeper, &slowPlayer, &trayMenu, [](const QString&) { return true; }};
    DesktopAlertOutput reentered(context);
    reentered.SetEngine(&engine);
    slow.during = [&] {
        reentered.AlertStep(sound);
        reentered.StopSound(SoundStop::Stop);
        slow.mode = QStringLiteral("playing");
    };
    reentered.RingAtNextSoundStep();
    reentered.AlertStep(sound);
    EXPECT_EQ(slow.sent,
              QStringList({"status mmFile mode", "open \"/sounds/ring.oga\" alias mmFile wait",
                           "play mmFile", "status mmFile mode", "stop mmFile wait",
                           "close mmFile wait"}));
    EXPECT_FALSE(reentered.SoundOpen());
}

} // namespace
} // namespace plimset
