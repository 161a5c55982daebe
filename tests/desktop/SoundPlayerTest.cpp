// The sound file played on the real sound thread, from real files to the session's audio
// server.
#include "sound/SoundFilePlayer.h"
#include "sound/ToneBeeper.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sys/stat.h>

namespace plimset {
namespace {

const QString alarmSound =
    QStringLiteral("/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga");

// A mono 16-bit WAV file of a 440 Hz tone.
QByteArray ToneWav(double seconds) {
    const int rate = 44100;
    const int samples = static_cast<int>(seconds * rate);
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples * 2);
    for (int i = 0; i < samples; ++i) {
        out << qint16(8000 * std::sin(2 * std::numbers::pi * 440 * i / rate));
    }
    return data;
}

class SoundPlayerTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& content) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(content);
        return path;
    }
    bool WaitForState(SoundState state, int ms = 5000) {
        return QTest::qWaitFor([&] { return player.State() == state; }, ms);
    }

    QTemporaryDir dir;
    SoundFilePlayer player;
};

TEST_F(SoundPlayerTest, PlaysToTheEndAndAgainFromTheStart) {
    EXPECT_FALSE(player.ThreadStarted());
    EXPECT_EQ(player.State(), SoundState::NotOpen);

    const QString wav = Write(QStringLiteral("tone.wav"), ToneWav(0.6));
    EXPECT_EQ(player.Open(wav), SoundOpenResult::Opened);
    EXPECT_TRUE(player.ThreadStarted());
    EXPECT_EQ(player.State(), SoundState::Stopped);
    player.PlayFromStart();
    EXPECT_EQ(player.State(), SoundState::Playing);
    // Opening again closes the playing file and opens it anew.
    EXPECT_EQ(player.Open(wav), SoundOpenResult::Opened);
    EXPECT_EQ(player.State(), SoundState::Stopped);
    player.PlayFromStart();
    EXPECT_TRUE(WaitForState(SoundState::Stopped));
    player.PlayFromStart();
    EXPECT_EQ(player.State(), SoundState::Playing);
    player.Pause();
    EXPECT_EQ(player.State(), SoundState::Paused);
    player.Resume();
    EXPECT_EQ(player.State(), SoundState::Playing);
    player.Stop();
    EXPECT_EQ(player.State(), SoundState::Stopped);
    player.Close();
    EXPECT_EQ(player.State(), SoundState::NotOpen);
}

TEST_F(SoundPlayerTest, OpenResults) {
    const QByteArray tone = ToneWav(0.3);
    // A file opens by its content, whatever its name.
    EXPECT_EQ(player.Open(Write(QStringLiteral("tone.sound"), tone)), SoundOpenResult::Opened);
    EXPECT_EQ(player.State(), SoundState::Stopped);

    EXPECT_EQ(player.Open(dir.filePath(QStringLiteral("none.wav"))), SoundOpenResult::NotFound);
    EXPECT_EQ(player.Open(QString()), SoundOpenResult::NotFound);
    EXPECT_EQ(player.Open(Write(QStringLiteral("text.wav"), "not a sound\n")),
              SoundOpenResult::CannotPlay);
    EXPECT_EQ(player.Open(Write(QStringLiteral("empty.oga"), QByteArray())),
              SoundOpenResult::CannotPlay);
    const QString locked = Write(QStringLiteral("locked.wav"), tone);
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    if (!QFile(locked).open(QIODevice::ReadOnly)) { // root reads it anyway
        EXPECT_EQ(player.Open(locked), SoundOpenResult::CannotPlay);
    }
    EXPECT_EQ(player.State(), SoundState::NotOpen);

    // A pipe that nobody writes (it would block a reader, as a hung network mount does)
    // is no sound file: refused at once, without a reader left waiting on it.
    const QString hung = dir.filePath(QStringLiteral("hung.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(hung).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(player.Open(hung), SoundOpenResult::CannotPlay);
    EXPECT_LT(timer.elapsed(), 500);
}

// Quotes, line breaks and letters beyond ASCII in a name reach the file system as they are.
TEST_F(SoundPlayerTest, AnyNameOpens) {
    QByteArray ogg;
    if (QFile alarm(alarmSound); alarm.open(QIODevice::ReadOnly)) {
        ogg = alarm.readAll();
    }
    const QStringList names{
        QStringLiteral("a \"b\" c.wav"),
        QStringLiteral("line\nbreak wait.wav"),
        QStringLiteral("アラーム ♪ é.oga"),
    };
    for (const QString& name : names) {
        const QString path =
            Write(name, name.endsWith(u".oga") && !ogg.isEmpty() ? ogg : ToneWav(0.3));
        EXPECT_EQ(player.Open(path), SoundOpenResult::Opened) << name.toStdString();
        player.PlayFromStart();
        EXPECT_EQ(player.State(), SoundState::Playing) << name.toStdString();
        player.Close();
    }
}

// A file spoilt or removed while it plays does not disturb the play or the next one.
TEST_F(SoundPlayerTest, FileChangedWhilePlaying) {
    const QString path = Write(QStringLiteral("ring.wav"), ToneWav(0.5));
    ASSERT_EQ(player.Open(path), SoundOpenResult::Opened);
    player.PlayFromStart();
    Write(QStringLiteral("ring.wav"), "spoilt");
    QFile::remove(path);
    EXPECT_EQ(player.State(), SoundState::Playing);
    EXPECT_TRUE(WaitForState(SoundState::Stopped));
    player.PlayFromStart();
    EXPECT_EQ(player.State(), SoundState::Playing);
    player.Close();
}

// An idle sink may render far ahead of time; a ring that comes then is still heard at
// once, and so lasts its length as heard: it has played to its end little more than its
// length after it started. The program gets ready for the alert when the count starts.
TEST_F(SoundPlayerTest, RingsAreHeardAtOnceAfterTheSinkIdled) {
    const int toneMs = 300;
    const QString path = Write(QStringLiteral("ring.wav"), ToneWav(toneMs / 1000.0));
    ToneBeeper beeper;
    beeper.Prepare();
    ASSERT_EQ(player.Open(path), SoundOpenResult::Opened);
    for (int ring = 0; ring < 2; ++ring) {
        QTest::qWait(2500); // the sink idles
        QElapsedTimer played;
        played.start();
        player.PlayFromStart();
        EXPECT_TRUE(WaitForState(SoundState::Stopped));
        EXPECT_LT(played.elapsed(), toneMs + 400) << "ring " << ring;
    }
    player.Close();
}

// Short rings one after the other, each stopped about when its stream drains (the
// moment the alarm stops a ring that lasts as long as its file): a stream destroyed while
// its drain is pending gets no call from the audio library afterwards (run under
// AddressSanitizer by the test command, which reports any such call).
TEST_F(SoundPlayerTest, RingsStoppedWhileTheyDrain) {
    const int toneMs = 300;
    const QString path = Write(QStringLiteral("ring.wav"), ToneWav(toneMs / 1000.0));
    ASSERT_EQ(player.Open(path), SoundOpenResult::Opened);
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
    EXPECT_TRUE(WaitForState(SoundState::Stopped)) << rings << " rings";
    player.Close();
}

} // namespace
} // namespace plimset
