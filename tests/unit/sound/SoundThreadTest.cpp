// The sound file answered on the interface thread while the work runs on the sound layer's
// thread, over a fake back end; and the path probe that keeps file checks off it.
#include "FakeSoundBackend.h"
#include "sound/PathProbe.h"
#include "sound/SoundDevices.h"
#include "sound/SoundFilePlayer.h"
#include "sound/SoundWorker.h"
#include "sound/ToneBeeper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <sys/stat.h>

namespace plimset {
namespace {

using namespace std::chrono_literals;

const QString ring = QStringLiteral("/sounds/ring.oga");
const QString hung = QStringLiteral("/mnt/hung/ring.oga");

class SoundThreadTest : public ::testing::Test {
protected:
    SoundThreadTest() {
        worker = std::make_shared<SoundWorker>([this] {
            auto backend = std::make_unique<FakeSoundBackend>();
            backend->hanging.insert(hung);
            backend->unreadable.insert(QStringLiteral("/sounds/locked.wav"));
            fake = backend.get();
            return std::unique_ptr<SoundBackend>(std::move(backend));
        });
        player = std::make_unique<SoundFilePlayer>(
            1000ms, worker, [](const QString& path) { return path.startsWith(u'/'); });
    }
    ~SoundThreadTest() override {
        player.reset();
        // The held checks end with the worker's back end.
        worker.reset();
    }
    // Lets the fake audio server play everything the last stream has.
    void PlayOut() {
        worker->Post([this](SoundDevices&) {
            if (FakeSoundBackend::Stream* stream = fake->LastStream()) {
                stream->Play(10 * fake->format.BytesPerSecond());
            }
        });
    }

    std::shared_ptr<SoundWorker> worker;
    std::unique_ptr<SoundFilePlayer> player;
    FakeSoundBackend* fake = nullptr; // used on the worker's thread only
};

TEST_F(SoundThreadTest, AnswersAtOnceFromWhatTheThreadReported) {
    EXPECT_FALSE(player->ThreadStarted());
    EXPECT_EQ(player->State(), SoundState::NotOpen);
    EXPECT_EQ(player->Open(QStringLiteral("no/path")), SoundOpenResult::NotFound);
    EXPECT_FALSE(player->ThreadStarted());
    ASSERT_EQ(player->Open(ring), SoundOpenResult::Opened);
    EXPECT_TRUE(player->ThreadStarted());
    EXPECT_EQ(player->State(), SoundState::Stopped);
    player->PlayFromStart();
    EXPECT_EQ(player->State(), SoundState::Playing);
    PlayOut();
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->State() == SoundState::Stopped; }, 2000));
    player->PlayFromStart();
    EXPECT_EQ(player->State(), SoundState::Playing);
    player->Resume(); // only a paused file resumes
    player->Pause();
    EXPECT_EQ(player->State(), SoundState::Paused);
    player->Pause();
    player->Resume();
    EXPECT_EQ(player->State(), SoundState::Playing);
    player->Stop();
    EXPECT_EQ(player->State(), SoundState::Stopped);
    player->Close();
    EXPECT_EQ(player->State(), SoundState::NotOpen);
    // A failed open leaves nothing open, not even the file open before.
    ASSERT_EQ(player->Open(ring), SoundOpenResult::Opened);
    EXPECT_EQ(player->Open(QStringLiteral("/sounds/locked.wav")), SoundOpenResult::CannotPlay);
    EXPECT_EQ(player->State(), SoundState::NotOpen);
}

TEST_F(SoundThreadTest, AHangingFileCostsOneBoundedWaitAndIsNotTriedAgain) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(player->Open(hung), SoundOpenResult::Opened) << "answered as a pending open";
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_GE(timer.elapsed(), 950);
    player->PlayFromStart();
    EXPECT_EQ(player->State(), SoundState::Playing);

    // Opening another file closes the hanging one, whose path stays refused while it hangs.
    timer.restart();
    EXPECT_EQ(player->Open(hung), SoundOpenResult::CannotPlay);
    EXPECT_LT(timer.elapsed(), 500); // well below the bound, even on a busy machine
    EXPECT_EQ(player->Open(ring), SoundOpenResult::Opened);
    EXPECT_EQ(player->State(), SoundState::Stopped);
}

// Where no back end loads, an open says that nothing can be played (not that the file is
// bad), and the beep rings the display's bell instead, from the first beep on.
TEST(SoundWithoutBackendTest, OpenSaysSoAndTheBeepRingsTheBell) {
    auto worker = std::make_shared<SoundWorker>([] { return nullptr; });
    int bells = 0;
    ToneBeeper beeper(nullptr, worker, [&bells] { ++bells; });
    beeper.Beep(3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bells == 1; }, 2000));
    SoundFilePlayer player(200ms, worker, [](const QString&) { return true; });
    EXPECT_EQ(player.Open(ring), SoundOpenResult::NoOutput);
    beeper.Beep(1);
    EXPECT_EQ(bells, 2);
}

TEST(PathProbeTest, AnswersFromTheFileSystemWithoutBlockingOnPipes) {
    QTemporaryDir dir;
    const QString sound = dir.filePath(QStringLiteral("ring.wav"));
    const QString empty = dir.filePath(QStringLiteral("empty.wav"));
    const QString pipe = dir.filePath(QStringLiteral("pipe.wav"));
    {
        QFile file(sound);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
        QFile touch(empty);
        ASSERT_TRUE(touch.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    EXPECT_TRUE(AnswerFromFileSystem(PathQuestion::Readable, sound));
    EXPECT_FALSE(AnswerFromFileSystem(PathQuestion::Readable, empty));
    EXPECT_FALSE(AnswerFromFileSystem(PathQuestion::Readable, pipe));
    EXPECT_FALSE(AnswerFromFileSystem(PathQuestion::Readable, dir.path()));
    EXPECT_TRUE(AnswerFromFileSystem(PathQuestion::Exists, pipe));
    EXPECT_FALSE(AnswerFromFileSystem(PathQuestion::Exists, dir.path()));
    EXPECT_FALSE(AnswerFromFileSystem(PathQuestion::Exists, dir.filePath(QStringLiteral("no"))));
    EXPECT_FALSE(AnswerFromFileSystem(PathQuestion::Exists, QString()));
}

TEST(PathProbeTest, OneQuestionPerPathInFlightAndABoundOnAllOfThem) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> asked{0};
    PathProbe probe(
        [released, &asked](PathQuestion, const QString& path) {
            ++asked;
            if (path.startsWith(u"/hung")) {
                released.wait();
            }
            return true;
        },
        3);
    EXPECT_EQ(probe.AskWithin(PathQuestion::Exists, QStringLiteral("/local"), 5000ms), true);
    EXPECT_EQ(probe.AskWithin(PathQuestion::Exists, QStringLiteral("/hung/a"), 50ms), std::nullopt);
    // Asked again while it hangs: answered at once, and no second thread waits on it.
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(probe.AskWithin(PathQuestion::Exists, QStringLiteral("/hung/a"), 1000ms),
              std::nullopt);
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(probe.Ask(PathQuestion::Readable, QStringLiteral("/hung/a"), [](bool) {}));
    EXPECT_TRUE(probe.Ask(PathQuestion::Exists, QStringLiteral("/hung/b"), [](bool) {}));
    EXPECT_FALSE(probe.Ask(PathQuestion::Exists, QStringLiteral("/hung/c"), [](bool) {}))
        << "no more than three at once";
    EXPECT_EQ(probe.InFlight(), 3);
    release.set_value();
    EXPECT_TRUE(QTest::qWaitFor([&] { return probe.InFlight() == 0; }, 2000));
    EXPECT_EQ(probe.AskWithin(PathQuestion::Exists, QStringLiteral("/hung/a"), 5000ms), true);
}

} // namespace
} // namespace plimset
