// The sound file answered on the interface thread while the work runs on the sound layer's
// thread, over a fake back end; and the path probe that keeps file checks off it.
#include "FakeSoundBackend.h"
#include "sound/PathProbe.h"
#include "sound/SoundDevices.h"
#include "sound/SoundFilePlayer.h"
#include "sound/SoundWorker.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <future>

namespace plimset {
namespace {

using namespace std::chrono_literals;
using S = SoundState;

const QString hung = QStringLiteral("/mnt/hung/ring.oga");

class SoundThreadTest : public ::testing::Test {
protected:
    // The held checks end with the worker's back end.
    ~SoundThreadTest() override { player.reset(), worker.reset(); }

    std::shared_ptr<SoundWorker> worker = std::make_shared<SoundWorker>([this] {
        auto backend = std::make_unique<FakeSoundBackend>();
        backend->hanging.insert(hung);
        backend->unreadable.insert(QStringLiteral("/sounds/locked.wav"));
        fake = backend.get();
        return std::unique_ptr<SoundBackend>(std::move(backend));
    });
    std::unique_ptr<SoundFilePlayer> player = std::make_unique<SoundFilePlayer>(
        1000ms, worker, [](const QString& path) { return path.startsWith(u'/'); });
    FakeSoundBackend* fake = nullptr; // used on the worker's thread only
};

TEST_F(SoundThreadTest, AnswersAtOnceAndAHangingFileCostsOneBoundedWait) {
    EXPECT_EQ(player->Open(QStringLiteral("no/path")), SoundOpenResult::NotFound);
    EXPECT_FALSE(player->ThreadStarted());
    ASSERT_EQ(player->Open(ring), SoundOpenResult::Opened);
    EXPECT_TRUE(player->ThreadStarted());
    EXPECT_EQ(player->State(), S::Stopped);
    player->PlayFromStart();
    EXPECT_EQ(player->State(), S::Playing);
    // The fake audio server plays everything the stream has: the end comes back.
    worker->Post([this](SoundDevices&) {
        if (auto* stream = fake->LastStream())
            stream->Play(10 * 44100 * 4);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->State() == S::Stopped; }, 5000));
    const auto after = [&](void (SoundFilePlayer::*call)()) {
        (player.get()->*call)();
        return player->State();
    };
    EXPECT_EQ(after(&SoundFilePlayer::PlayFromStart), S::Playing);
    EXPECT_EQ(after(&SoundFilePlayer::Resume), S::Playing); // only a paused file resumes
    EXPECT_EQ(after(&SoundFilePlayer::Pause), S::Paused);
    EXPECT_EQ(after(&SoundFilePlayer::Pause), S::Paused);
    EXPECT_EQ(after(&SoundFilePlayer::Resume), S::Playing);
    EXPECT_EQ(after(&SoundFilePlayer::Stop), S::Stopped);
    EXPECT_EQ(after(&SoundFilePlayer::Close), S::NotOpen);
    // A failed open leaves nothing open, not even the file open before.
    ASSERT_EQ(player->Open(ring), SoundOpenResult::Opened);
    EXPECT_EQ(player->Open(QStringLiteral("/sounds/locked.wav")), SoundOpenResult::CannotPlay);
    EXPECT_EQ(player->State(), S::NotOpen);

    // A file whose check hangs costs one bounded wait, answered as a pending open.
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(player->Open(hung), SoundOpenResult::Opened);
    EXPECT_TRUE(timer.elapsed() >= 950 && timer.elapsed() < 5000) << timer.elapsed();
    EXPECT_EQ(after(&SoundFilePlayer::PlayFromStart), S::Playing);
    // Opening another file closes the hanging one, whose path stays refused while it hangs.
    timer.restart();
    EXPECT_EQ(player->Open(hung), SoundOpenResult::CannotPlay);
    EXPECT_LT(timer.elapsed(), 500); // well below the bound, even on a busy machine
    EXPECT_EQ(player->Open(ring), SoundOpenResult::Opened);
}

TEST(PathProbeTest, OneQuestionPerPathInFlightAndABoundOnAllOfThem) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> asked{0};
    PathProbe probe(
        [released, &asked](PathQuestion, const QString& path) {
            ++asked;
            if (path.startsWith(u"/hung"))
                released.wait();
            return true;
        },
        3);
    const auto within = [&](const char* path, std::chrono::milliseconds bound) {
        return probe.AskWithin(PathQuestion::Exists, QString::fromLatin1(path), bound);
    };
    const auto ask = [&](PathQuestion question, const char* path) {
        return probe.Ask(question, QString::fromLatin1(path), [](bool) {});
    };
    EXPECT_EQ(within("/local", 5000ms), true);
    EXPECT_EQ(within("/hung/a", 50ms), std::nullopt);
    // Asked again while it hangs: answered at once, and no second thread waits on it.
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(within("/hung/a", 1000ms), std::nullopt);
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(ask(PathQuestion::Readable, "/hung/a") && ask(PathQuestion::Exists, "/hung/b"));
    EXPECT_FALSE(ask(PathQuestion::Exists, "/hung/c")) << "no more than three at once";
    EXPECT_EQ(probe.InFlight(), 3);
    release.set_value();
    EXPECT_TRUE(QTest::qWaitFor([&] { return probe.InFlight() == 0; }, 5000));
    EXPECT_EQ(within("/hung/a", 5000ms), true);
}

} // namespace
} // namespace plimset
