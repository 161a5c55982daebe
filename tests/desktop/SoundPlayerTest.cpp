// The sound file played on the real sound thread, from real files to the session's audio
// server.
#include "sound/SoundFilePlayer.h"
#include "sound/ToneBeeper.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace plimset {
namespace {

constexpr int toneMs = 300;

// A mono 16-bit 440 Hz tone, toneMs long, rung as the alarm rings it.
//
// An idle sink may render far ahead of time; a ring that comes then is still heard at
// once, and so lasts its length as heard: it has played to its end little more than its
// length after it started. The program gets ready for the alert when the count starts.
//
// Then short rings one after the other, each stopped about when its stream drains (the
// moment the alarm stops a ring that lasts as long as its file): a stream destroyed while
// its drain is pending gets no call from the audio library afterwards (run under
// AddressSanitizer by the test command, which reports any such call), and the sound layer
// still plays to the end after all that.
TEST(SoundPlayerTest, RingsAreHeardAtOnceAfterTheSinkIdledAndStopsWhileTheyDrainAreSafe) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ring.wav"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("sox"),
                                {"-n", "-r", "44100", "-b", "16", "-c", "1", path, "synth",
                                 QString::number(toneMs / 1000.0), "sine", "440", "gain", "-12"}),
              0);
    SoundFilePlayer player;
    ASSERT_EQ(player.Open(path), SoundOpenResult::Opened);
    const auto playsToItsEnd = [&] {
        return QTest::qWaitFor([&] { return player.State() == SoundState::Stopped; }, 5000);
    };
    ToneBeeper beeper;
    beeper.Prepare();
    for (int ring = 0; ring < 2; ++ring) {
        QTest::qWait(2500); // the sink idles
        QElapsedTimer played;
        played.start();
        player.PlayFromStart();
        EXPECT_TRUE(playsToItsEnd());
        EXPECT_LT(played.elapsed(), toneMs + 400) << "ring " << ring;
    }

    QRandomGenerator random(22);
    QElapsedTimer loop;
    loop.start();
    int rings = 0;
    for (; loop.elapsed() < 30000; ++rings) {
        player.PlayFromStart();
        QTest::qWait(toneMs - 150 + random.bounded(300));
        player.Stop();
    }
    player.PlayFromStart();
    EXPECT_EQ(player.State(), SoundState::Playing);
    EXPECT_TRUE(playsToItsEnd()) << rings << " rings";
    player.Close();
}

} // namespace
} // namespace plimset
