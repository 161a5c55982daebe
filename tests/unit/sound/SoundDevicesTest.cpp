// The sound layer's state machine on a fake back end: what it reports for each command,
// how it streams, and how it recovers from an audio server that hangs or goes away.
#include "sound/SoundDevices.h"
#include "FakeSoundBackend.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

using namespace std::chrono_literals;
using Phase = SoundReport::Phase;
constexpr auto Playing = SoundMode::Playing, Stopped = SoundMode::Stopped;

constexpr qint64 second = 44100 * 2 * 2;

class SoundDevicesTest : public ::testing::Test {
protected:
    SoundReport Report(int id = 1) { return reports.Get(id).value_or(SoundReport{}); }
    SoundMode Mode(int id = 1) { return Report(id).mode; }
    // Lets the audio server take `bytes` of the last stream `times` times, time passing.
    qint64 Play(qint64 bytes, int times = 1, std::chrono::milliseconds step = 100ms) {
        qint64 played = 0;
        while (times-- > 0) {
            devices.Tick(now += step);
            FakeSoundBackend::Stream* stream = backend.LastStream();
            played += stream != nullptr ? stream->Play(bytes) : 0;
        }
        return played;
    }
    void Open(int id = 1, const QString& path = ring) {
        ASSERT_TRUE(reports.BeginOpen(path));
        devices.Open(id, path);
    }

    FakeSoundBackend backend;
    SoundReports reports;
    SoundDevices devices{backend, reports, 3, 3000ms};
    std::chrono::milliseconds now{0};
};

TEST_F(SoundDevicesTest, PlaysToTheEndAndReportsWithTheCommandsNumber) {
    Open();
    EXPECT_TRUE(Report().phase == Phase::Open && Mode() == Stopped);
    EXPECT_TRUE(reports.BeginOpen(ring)) << "the open has returned";
    reports.OpenReturned(ring);
    devices.Play(1, 1, false);
    EXPECT_TRUE(Mode() == Playing && Report().command == 1u);
    Play(second / 2);
    EXPECT_EQ(Mode(), Playing);
    Play(second);
    EXPECT_TRUE(Mode() == Stopped && backend.LastStream() == nullptr);

    // Played again from the start: a short file is held whole, so it is not decoded again.
    devices.Play(1, 2, true);
    EXPECT_TRUE(Mode() == Playing && Report().command == 2u && backend.decoderStarts == 1);
    Play(second / 4);
    devices.Pause(1, 3);
    EXPECT_TRUE(Mode() == SoundMode::Paused && backend.LastStream()->paused);
    // A paused play makes no progress and is not taken for a hung server.
    Play(0, 50);
    EXPECT_EQ(Mode(), SoundMode::Paused);
    devices.Resume(1, 4);
    EXPECT_TRUE(Mode() == Playing && !backend.LastStream()->paused);
    devices.Stop(1, 5);
    EXPECT_TRUE(Mode() == Stopped && backend.LastStream() == nullptr);
    // A plain play goes on from where the stop left it.
    devices.Play(1, 6, false);
    EXPECT_EQ(Play(second), second * 3 / 4);
    devices.Close(1);
    EXPECT_TRUE(!reports.Get(1).has_value() && devices.HeldBytes(1) == -1);
}

TEST_F(SoundDevicesTest, FilesThatCannotPlayFailAndFreeTheirPath) {
    backend.unreadable.insert(ring);
    Open();
    EXPECT_EQ(Report().phase, Phase::Failed);
    EXPECT_TRUE(reports.BeginOpen(ring));
    reports.OpenReturned(ring);
    const QString text = QStringLiteral("/sounds/text.wav");
    backend.undecodable.insert(text);
    Open(2, text);
    EXPECT_EQ(Report(2).phase, Phase::Failed);
    // A play of a failed file stops at once.
    devices.Play(2, 1, false);
    EXPECT_TRUE(Mode(2) == Stopped && Report(2).command == 1u);
    EXPECT_TRUE(reports.BeginOpen(text));
    // A file whose check hangs keeps its path busy, also once closed, until the check returns;
    // a play asked for meanwhile is reported as playing.
    backend.hanging.insert(ring);
    Open(3, ring);
    devices.Play(3, 1, false);
    EXPECT_TRUE(Report(3).phase == Phase::Opening && Mode(3) == Playing);
    devices.Close(3);
    EXPECT_FALSE(reports.BeginOpen(ring)) << "the check still hangs";
    for (auto& done : std::exchange(backend.heldChecks, {}))
        done(true);
    EXPECT_TRUE(reports.BeginOpen(ring) && backend.decoderStarts == 1);
}

// A twenty-minute file is held a few seconds ahead. A play asked for before its first
// sound starts when that comes; a decoder that falls behind is no stall: the server goes on
// taking silence, and the play goes on when the samples come.
TEST_F(SoundDevicesTest, ALongFileIsStreamedWithinTheQueueAndPlaysToItsEnd) {
    const qint64 total = 20 * 60 * second;
    backend.bytesOf[ring] = total;
    backend.decodes = false;
    Open();
    EXPECT_EQ(Report().phase, Phase::Opening);
    devices.Play(1, 1, false);
    EXPECT_EQ(backend.LastStream(), nullptr);
    backend.decodes = true;
    Play(0);
    qint64 played = Play(second), mostHeld = 0;
    EXPECT_TRUE(Report().phase == Phase::Open && played == second);
    backend.decodes = false;
    const qint64 behind = Play(second / 10, 100);
    EXPECT_TRUE(behind < 5 * second && Mode() == Playing && backend.troubles == 0);
    backend.decodes = true;
    EXPECT_EQ(Play(second / 10, 20), 2 * second);
    played += behind + 2 * second;
    while (Mode() == Playing && played <= total) {
        played += Play(second / 10);
        mostHeld = std::max(mostHeld, devices.HeldBytes(1));
    }
    EXPECT_EQ(played, total);
    EXPECT_EQ(Mode(), Stopped);
    EXPECT_LE(mostHeld, 4 * second);
    // Played again from the start, it is decoded again.
    devices.Play(1, 2, true);
    EXPECT_TRUE(backend.decoderStarts == 2 && Mode() == Playing);
    devices.Close(1);

    // Another file streams in its own format, with a queue sized for it.
    backend.format = PcmFormat{8000, 1};
    backend.bytesOf[ring] = 60 * 16000;
    Open();
    devices.Play(1, 3, false);
    EXPECT_TRUE(backend.LastStream()->Is(8000, 1));
    EXPECT_LE(devices.HeldBytes(1), 4 * 16000) << "three seconds of the file's samples";
}

TEST_F(SoundDevicesTest, AStalledOrFailedPlayEndsAndTheNextOneConnectsAgain) {
    Open();
    devices.Play(1, 1, false);
    Play(second / 10);
    // The server stops taking samples: after the stall limit the play counts as ended.
    Play(0, 29);
    EXPECT_EQ(Mode(), Playing);
    Play(0, 1, 500ms);
    EXPECT_TRUE(Mode() == Stopped && backend.troubles == 1);
    // Gone for good: no stream can be made, and the play stops at once.
    backend.serverUp = false;
    devices.Play(1, 2, true);
    EXPECT_EQ(Mode(), Stopped);
    // Back: the next play is heard.
    backend.serverUp = true;
    devices.Play(1, 3, true);
    EXPECT_EQ(Mode(), Playing);
    EXPECT_EQ(Play(2 * second), second);
    EXPECT_EQ(Mode(), Stopped);
    // A stream the server fails ends the play.
    devices.Play(1, 4, true);
    const auto failed = backend.LastStream()->events.failed;
    failed();
    EXPECT_TRUE(Mode() == Stopped && backend.troubles == 2 && backend.LastStream() == nullptr);
}

TEST_F(SoundDevicesTest, ABeepCutsOffTheOneBefore) {
    const QByteArray row(4800, '\x02');
    devices.Beep(row, 48000);
    ASSERT_EQ(backend.streams.size(), 1u);
    EXPECT_TRUE(backend.LastStream()->Is(48000, 1));
    backend.LastStream()->Play(100);
    devices.Beep(row, 48000);
    ASSERT_EQ(backend.streams.size(), 1u);
    EXPECT_EQ(backend.LastStream()->Play(10000), row.size());
    EXPECT_TRUE(backend.streams.empty());
    EXPECT_FALSE(reports.Get(SoundDevices::BeepId).has_value());
}

} // namespace
} // namespace plimset
