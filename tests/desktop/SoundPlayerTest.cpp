// The sound file played on the real sound thread, from real files to the session's audio
// server.
#include "sound/SoundFilePlayer.h"
#include "sound/ToneBeeper.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace plimset {
namespace {

constexpr int toneMs = 300;

class SoundPlayerTest : public ::testing::Test {
protected:
    // A file of a mono 16-bit 440 Hz tone, toneMs long, opened in the player.
    void SetUp() override {
        const int rate = 44100;
        const int samples = rate * toneMs / 1000;
        QFile file(dir.filePath(QStringLiteral("ring.wav")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QDataStream out(&file);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("RIFF", 4);
        out << quint32(36 + samples * 2);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
            << quint16(2) << quint16(16);
        out.writeRawData("data", 4);
        out << quint32(samples * 2);
        for (int i = 0; i < samples; ++i)
            out << qint16(8000 * std::sin(2 * std::numbers::pi * 440 * i / rate));
        file.close();
        ASSERT_EQ(player.Open(file.fileName()), SoundOpenResult::Opened);
    }
    bool PlaysToItsEnd() {
        return QTest::qWaitFor([&] { return player.State() == SoundState::Stopped; }, 5000);
    }

    QTemporaryDir dir;
    SoundFilePlayer player;
};

// An idle sink may render far ahead of time; a ring that comes then is still heard at
// once, and so lasts its length as heard: it has played to its end little more than its
// length after it started. The program gets ready for the alert when the count starts.
TEST_F(SoundPlayerTest, RingsAreHeardAtOnceAfterTheSinkIdled) {
    ToneBeeper beeper;
    beeper.Prepare();
    for (int ring = 0; ring < 2; ++ring) {
        QTest::qWait(2500); // the sink idles
        QElapsedTimer played;
        played.start();
        player.PlayFromStart();
        EXPECT_TRUE(PlaysToItsEnd());
        EXPECT_LT(played.elapsed(), toneMs + 400) << "ring " << ring;
    }
    player.Close();
}

// Short rings one after the other, each stopped about when its stream drains (the
// moment the alarm stops a ring that lasts as long as its file): a stream destroyed while
// its drain is pending gets no call from the audio library afterwards (run under
// AddressSanitizer by the test command, which reports any such call).
TEST_F(SoundPlayerTest, RingsStoppedWhileTheyDrain) {
    QRandomGenerator random(22);
    QElapsedTimer loop;
    loop.start();
    int rings = 0;
    while (loop.elapsed() < 30000) {
        player.PlayFromStart();
        QTest::qWait(toneMs - 150 + random.bounded(300));
        player.Stop();
        ++rings;
    }
    // The sound layer still plays to the end after all that.
    player.PlayFromStart();
    EXPECT_EQ(player.State(), SoundState::Playing);
    EXPECT_TRUE(PlaysToItsEnd()) << rings << " rings";
    player.Close();
}

} // namespace
} // namespace plimset
