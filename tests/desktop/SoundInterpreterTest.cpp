// The sound layer's interpreter against real files and the session's audio server.
#include "sound/MciInterpreter.h"
#include "sound/MciPlayer.h"
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

class SoundInterpreterTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& content) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(content);
        return path;
    }
    QString Send(const QString& command, int* error = nullptr) {
        QString reply;
        const int e = mci.SendCommand(command, &reply);
        if (error != nullptr) {
            *error = e;
        }
        return reply;
    }
    QString Mode() { return Send(QStringLiteral("status mmFile mode")); }
    bool WaitForMode(const QString& mode, int ms = 5000) {
        return QTest::qWaitFor([&] { return Mode() == mode; }, ms);
    }
    static QString OpenCommand(const QString& path) {
        return QStringLiteral("open \"") + path + QStringLiteral("\" alias mmFile wait");
    }

    QTemporaryDir dir;
    MciInterpreter mci;
    MciPlayer player{mci};
};

TEST_F(SoundInterpreterTest, PlaysToTheEndAndAgainFromTheStart) {
    EXPECT_FALSE(mci.BackendStarted());
    int error = -1;
    Send(QStringLiteral("status mmFile mode"), &error);
    EXPECT_EQ(error, MciInterpreter::AliasNotOpen);

    const QString wav = Write(QStringLiteral("tone.wav"), ToneWav(0.6));
    EXPECT_EQ(mci.SendCommand(OpenCommand(wav), nullptr), 0);
    EXPECT_TRUE(mci.BackendStarted());
    EXPECT_EQ(Mode(), "stopped");
    EXPECT_EQ(mci.SendCommand(OpenCommand(wav), nullptr), MciInterpreter::AliasInUse);
    EXPECT_EQ(mci.SendCommand(QStringLiteral("play mmFile"), nullptr), 0);
    EXPECT_EQ(Mode(), "playing");
    EXPECT_TRUE(WaitForMode(QStringLiteral("stopped")));
    EXPECT_EQ(mci.SendCommand(QStringLiteral("play mmFile from 0"), nullptr), 0);
    EXPECT_EQ(Mode(), "playing");
    EXPECT_EQ(mci.SendCommand(QStringLiteral("pause mmFile"), nullptr), 0);
    EXPECT_EQ(Mode(), "paused");
    EXPECT_EQ(mci.SendCommand(QStringLiteral("resume mmFile"), nullptr), 0);
    EXPECT_EQ(Mode(), "playing");
    // A malformed string is refused whole: the close behind the line break never runs.
    EXPECT_EQ(mci.SendCommand(QStringLiteral("stop mmFile wait\nclose mmFile wait"), nullptr),
              MciInterpreter::Malformed);
    EXPECT_EQ(Mode(), "playing");
    EXPECT_EQ(mci.SendCommand(QStringLiteral("stop mmFile wait"), nullptr), 0);
    EXPECT_EQ(Mode(), "stopped");
    EXPECT_EQ(mci.SendCommand(QStringLiteral("close mmFile wait"), nullptr), 0);
    EXPECT_EQ(Mode(), "");
}

TEST_F(SoundInterpreterTest, OpenResults) {
    const QString alias = QStringLiteral("mmFile");
    const QString open = QStringLiteral("open");
    const QByteArray tone = ToneWav(0.3);
    // Media under an extension the back end does not list: the MPEG device plays it.
    const QString odd = Write(QStringLiteral("tone.sound"), tone);
    int error = 0;
    Send(OpenCommand(odd), &error);
    EXPECT_EQ(error, MciInterpreter::UnknownDevice);
    EXPECT_EQ(player.MciCommand(alias, open, odd), MciPlayer::Ok);
    EXPECT_EQ(Mode(), "stopped");
    player.MciCommand(alias, QStringLiteral("close"), QString());

    EXPECT_EQ(player.MciCommand(alias, open, dir.filePath(QStringLiteral("none.wav"))),
              MciPlayer::NoFile);
    EXPECT_EQ(player.MciCommand(alias, open, Write(QStringLiteral("text.wav"), "not a sound\n")),
              MciPlayer::Refused);
    EXPECT_EQ(player.MciCommand(alias, open, Write(QStringLiteral("empty.oga"), QByteArray())),
              MciPlayer::Refused);
    const QString locked = Write(QStringLiteral("locked.wav"), tone);
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    if (!QFile(locked).open(QIODevice::ReadOnly)) { // root reads it anyway
        EXPECT_EQ(player.MciCommand(alias, open, locked), MciPlayer::Refused);
    }
    EXPECT_EQ(Mode(), "");

    // A pipe that nobody writes (it would block a reader, as a hung network mount does)
    // is no sound file: refused at once, without a reader left waiting on it.
    const QString hung = dir.filePath(QStringLiteral("hung.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(hung).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(player.MciCommand(alias, open, hung), MciPlayer::Refused);
    EXPECT_LT(timer.elapsed(), 500);
}

// Whatever a name holds, exactly that file opens: each decoy named after a prefix of the
// path holds no sound, so opening it would fail.
TEST_F(SoundInterpreterTest, NamesCannotChangeTheCommand) {
    const QByteArray tone = ToneWav(0.3);
    const QStringList names{
        QStringLiteral("a \"b\" c.wav"),
        QStringLiteral("x\" alias evil wait.wav"),
        QStringLiteral("y\" type mpegvideo alias evil wait"),
        QStringLiteral("line\nbreak wait.wav"),
        QStringLiteral("アラーム ♪ é.oga"),
    };
    Write(QStringLiteral("x"), "decoy");
    Write(QStringLiteral("y"), "decoy");
    Write(QStringLiteral("line"), "decoy");
    for (const QString& name : names) {
        const QString path = Write(name, name.endsWith(u".oga") && QFile::exists(alarmSound)
                                             ? [] {
                                                   QFile f(alarmSound);
                                                   f.open(QIODevice::ReadOnly);
                                                   return f.readAll();
                                               }()
                                             : tone);
        EXPECT_EQ(player.MciCommand(QStringLiteral("mmFile"), QStringLiteral("open"), path), 0)
            << name.toStdString();
        int error = 0;
        Send(QStringLiteral("status evil mode"), &error);
        EXPECT_EQ(error, MciInterpreter::AliasNotOpen);
        player.MciCommand(QStringLiteral("mmFile"), QStringLiteral("play"), QString());
        EXPECT_EQ(Mode(), "playing") << name.toStdString();
        player.MciCommand(QStringLiteral("mmFile"), QStringLiteral("stop"), QString());
        player.MciCommand(QStringLiteral("mmFile"), QStringLiteral("close"), QString());
    }
}

// A file spoilt or removed while it plays does not disturb the play or the next one.
TEST_F(SoundInterpreterTest, FileChangedWhilePlaying) {
    const QString path = Write(QStringLiteral("ring.wav"), ToneWav(0.5));
    ASSERT_EQ(mci.SendCommand(OpenCommand(path), nullptr), 0);
    mci.SendCommand(QStringLiteral("play mmFile"), nullptr);
    Write(QStringLiteral("ring.wav"), "spoilt");
    QFile::remove(path);
    EXPECT_EQ(Mode(), "playing");
    EXPECT_TRUE(WaitForMode(QStringLiteral("stopped")));
    mci.SendCommand(QStringLiteral("play mmFile from 0"), nullptr);
    EXPECT_EQ(Mode(), "playing");
    mci.SendCommand(QStringLiteral("close mmFile wait"), nullptr);
}

// An idle sink may render far ahead of time; a ring that comes then is still heard at
// once, and so lasts its length as heard: it has played to its end little more than its
// length after it started. The program gets ready for the alert when the count starts.
TEST_F(SoundInterpreterTest, RingsAreHeardAtOnceAfterTheSinkIdled) {
    const int toneMs = 300;
    const QString path = Write(QStringLiteral("ring.wav"), ToneWav(toneMs / 1000.0));
    ToneBeeper beeper;
    beeper.Prepare();
    ASSERT_EQ(mci.SendCommand(OpenCommand(path), nullptr), 0);
    for (int ring = 0; ring < 2; ++ring) {
        QTest::qWait(2500); // the sink idles
        QElapsedTimer played;
        played.start();
        mci.SendCommand(QStringLiteral("play mmFile from 0"), nullptr);
        EXPECT_TRUE(WaitForMode(QStringLiteral("stopped")));
        EXPECT_LT(played.elapsed(), toneMs + 400) << "ring " << ring;
    }
    mci.SendCommand(QStringLiteral("close mmFile wait"), nullptr);
}

// Short rings one after the other, each stopped about when its stream drains (the
// moment the alarm stops a ring that lasts as long as its file): a stream destroyed while
// its drain is pending gets no call from the audio library afterwards (run under
// AddressSanitizer by the test command, which reports any such call).
TEST_F(SoundInterpreterTest, RingsStoppedWhileTheyDrain) {
    const int toneMs = 300;
    const QString path = Write(QStringLiteral("ring.wav"), ToneWav(toneMs / 1000.0));
    ASSERT_EQ(mci.SendCommand(OpenCommand(path), nullptr), 0);
    QRandomGenerator random(22);
    QElapsedTimer loop;
    loop.start();
    int rings = 0;
    while (loop.elapsed() < 30000) {
        mci.SendCommand(QStringLiteral("play mmFile from 0"), nullptr);
        QTest::qWait(toneMs - 150 + random.bounded(300));
        mci.SendCommand(QStringLiteral("stop mmFile wait"), nullptr);
        ++rings;
    }
    // The sound layer still plays to the end after all that.
    mci.SendCommand(QStringLiteral("play mmFile from 0"), nullptr);
    EXPECT_EQ(Mode(), "playing");
    EXPECT_TRUE(WaitForMode(QStringLiteral("stopped"))) << rings << " rings";
    mci.SendCommand(QStringLiteral("close mmFile wait"), nullptr);
}

} // namespace
} // namespace plimset
