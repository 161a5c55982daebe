#include "sound/MciPlayer.h"
#include "FakeCommandInterpreter.h"
#include "sound/MciCommandParser.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

const QString alias = QStringLiteral("mmFile");
const QString path = QStringLiteral("/sounds/ring.oga");

class MciPlayerTest : public ::testing::Test {
protected:
    FakeCommandInterpreter mci;
    bool exists = true;
    MciPlayer player{mci, [this](const QString&) { return exists; }};
};

TEST_F(MciPlayerTest, EveryWordSendsItsExactString) {
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("PLAY"), QString()), 0);
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("pause"), QString()), 0);
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("Resume"), QString()), 0);
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("prev"), QString()), 0);
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("stop"), QString()), 0);
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("close"), QString()), 0);
    EXPECT_EQ(mci.sent,
              QStringList({"play mmFile", "pause mmFile", "resume mmFile", "play mmFile from 0",
                           "stop mmFile wait", "close mmFile wait"}));
    // Errors of these words are not the caller's concern.
    mci.results[QStringLiteral("play mmFile")] = 2;
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("play"), QString()), 0);
}

TEST_F(MciPlayerTest, UnknownWordsAndMissingFilesSendNothing) {
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("seek"), QString()), MciPlayer::UnknownWord);
    EXPECT_EQ(player.MciCommand(alias, QString(), QString()), MciPlayer::UnknownWord);
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("open"), QString()), MciPlayer::NoFile);
    exists = false;
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("open"), path), MciPlayer::NoFile);
    EXPECT_TRUE(mci.sent.isEmpty());
}

TEST_F(MciPlayerTest, OpenFallsBackToTheMpegDevices) {
    const QString plain = QStringLiteral("open \"/sounds/ring.oga\" alias mmFile wait");
    mci.results[plain] = 4;
    mci.replies[QStringLiteral("sysinfo all quantity wait")] = QStringLiteral("3");
    mci.replies[QStringLiteral("sysinfo all name 1")] = QStringLiteral("waveaudio");
    mci.replies[QStringLiteral("sysinfo all name 2")] = QStringLiteral("MPEGVideo");
    mci.replies[QStringLiteral("sysinfo all name 3")] = QStringLiteral("sequencer");
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("open"), path), MciPlayer::Ok);
    EXPECT_EQ(mci.sent, QStringList({plain, "sysinfo all quantity wait", "sysinfo all name 1",
                                     "sysinfo all name 2", "sysinfo all name 3",
                                     "open \"/sounds/ring.oga\" type mpegvideo alias mmFile "
                                     "wait"}));

    // A device with "mpegvideo2" in its name wins and ends the scan.
    mci.sent.clear();
    mci.replies[QStringLiteral("sysinfo all name 1")] = QStringLiteral("mpegvideo");
    mci.replies[QStringLiteral("sysinfo all name 2")] = QStringLiteral("mpegvideo2");
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("open"), path), MciPlayer::Ok);
    EXPECT_EQ(mci.sent.size(), 5);
    EXPECT_EQ(mci.sent.last(), "open \"/sounds/ring.oga\" type mpegvideo2 alias mmFile wait");

    // The typed open refused, or no MPEG device at all: -2.
    mci.results[mci.sent.last()] = 4;
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("open"), path), MciPlayer::Refused);
    mci.replies[QStringLiteral("sysinfo all quantity wait")] = QStringLiteral("1");
    mci.replies[QStringLiteral("sysinfo all name 1")] = QStringLiteral("waveaudio");
    mci.sent.clear();
    EXPECT_EQ(player.MciCommand(alias, QStringLiteral("open"), path), MciPlayer::Refused);
    EXPECT_EQ(mci.sent.size(), 3);
}

TEST_F(MciPlayerTest, ModeIsTheReplyBeforeItsNulOrEmptyOnError) {
    mci.mode = QStringLiteral("stopped") + QChar(u'\0') + QStringLiteral("junk");
    EXPECT_EQ(player.MciMode(alias), "stopped");
    EXPECT_EQ(mci.sent, QStringList({"status mmFile mode"}));
    mci.results[QStringLiteral("status mmFile mode")] = 2;
    EXPECT_EQ(player.MciMode(alias), "");
}

TEST(MciCommandParserTest, AcceptsExactlyTheForms) {
    using Verb = MciParsedCommand::Verb;
    const struct {
        const char* text;
        Verb verb;
    } good[] = {
        {"play mmFile", Verb::Play},
        {"play mmFile from 0", Verb::PlayFromStart},
        {"pause mmFile", Verb::Pause},
        {"resume mmFile", Verb::Resume},
        {"stop mmFile wait", Verb::Stop},
        {"close mmFile wait", Verb::Close},
        {"status mmFile mode", Verb::StatusMode},
        {"sysinfo all quantity wait", Verb::SysinfoQuantity},
        {"sysinfo all name 12", Verb::SysinfoName},
    };
    for (const auto& g : good) {
        const auto parsed = ParseMciCommand(QString::fromUtf8(g.text));
        ASSERT_TRUE(parsed) << g.text;
        EXPECT_EQ(parsed->verb, g.verb) << g.text;
    }
    EXPECT_EQ(ParseMciCommand(QStringLiteral("sysinfo all name 12"))->index, 12);
    const auto typed =
        ParseMciCommand(QStringLiteral("open \"/a b\" type mpegvideo2 alias mm wait"));
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->path, "/a b");
    EXPECT_EQ(typed->deviceType, "mpegvideo2");
    EXPECT_EQ(typed->alias, "mm");

    const char* bad[] = {
        "",
        "play",
        "play  mmFile",
        "play mmFile ",
        " play mmFile",
        "PLAY mmFile",
        "play mm;File",
        "play mmFile from 1",
        "stop mmFile",
        "close mmFile now",
        "status mmFile",
        "status mmFile mode wait",
        "prev mmFile",
        "seek mmFile to start",
        "sysinfo all name 01",
        "sysinfo all name -1",
        "sysinfo all quantity",
        "open /a.wav alias mmFile wait",
        "open \"\" alias mmFile wait",
        "open \"/a.wav\" alias mmFile",
        "open \"/a.wav\" alias mmFile wait extra",
        "open \"/a.wav\" type alias mmFile wait",
        "open \"/a.wav alias mmFile wait",
        "play mmFile\nclose mmFile wait",
    };
    for (const char* b : bad) {
        EXPECT_FALSE(ParseMciCommand(QString::fromUtf8(b))) << b;
    }
}

} // namespace
} // namespace plimset
