// The settings file against what a desktop can put at its path: devices, FIFOs, folders,
// symlinks, huge or read-only files, a lock another process holds, a save killed halfway.
#include "settings/SettingsFile.h"
#include "settings/SettingsTestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace plimset;

namespace {

QByteArray name(const QString& path) {
    return QFile::encodeName(path);
}

mode_t kindOf(const QString& path) {
    struct stat st {};
    return ::lstat(name(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// Opens a FIFO for writing every few seconds, so that a reader that blocks on it is let go
// in the end and a test of that reader fails instead of hanging.
class FifoReleaser {
public:
    explicit FifoReleaser(const QString& path)
        : thread_([this, fifo = name(path)] {
              for (int tick = 1; !stop_; ++tick) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
                  if (tick % 30 == 0) {
                      const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
                      if (fd >= 0) {
                          ::close(fd);
                      }
                  }
              }
          }) {}
    ~FifoReleaser() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class SettingsFileSafetyTest : public ::testing::Test {
protected:
    // Every name in the folder, sorted, in one line.
    std::string entries() const {
        QStringList list =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        list.sort();
        return list.join(u' ').toStdString();
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plimset.ini"));
    QString lockPath = dir.filePath(QStringLiteral(".plimset.ini.lock"));
    SettingsFile file{path};
};

} // namespace

TEST_F(SettingsFileSafetyTest, ReadsOnlyRegularFilesOfAtMostOneMebibyte) {
    const QByteArray key = "[Option]\nAddMinute=15\n";
    QTemporaryDir outside;
    writeBytes(outside.filePath("real.ini"), key);
    ASSERT_EQ(::mkfifo(name(dir.filePath("fifo")).constData(), 0644), 0);
    FifoReleaser releaser(dir.filePath("fifo"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    writeBytes(dir.filePath("limit"), key + QByteArray(1024 * 1024 - key.size(), ';'));
    writeBytes(dir.filePath("over"), key + QByteArray(1024 * 1024 - key.size() + 1, ';'));
    const std::pair<QString, int> cases[] = {
        {dir.filePath("fifo"), 10},         {"/dev/zero", 10},
        {dir.filePath("folder"), 10},       {dir.filePath("over"), 10},
        {outside.filePath("real.ini"), 15}, {dir.filePath("limit"), 15},
    };
    for (const auto& [target, expected] : cases) {
        ASSERT_EQ(::symlink(name(target).constData(), name(path).constData()), 0);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(SettingsFile(path).ReadIniInt("Option", "AddMinute", 10), expected)
            << qPrintable(target);
        EXPECT_LT(clock.elapsed(), 1000) << qPrintable(target);
        ASSERT_EQ(::unlink(name(path).constData()), 0);
    }
}

TEST_F(SettingsFileSafetyTest, WritesOnlyRegularFilesAndSymlinksWithinItsFolder) {
    QTemporaryDir outside;
    const QByteArray before = "[Option]\nAddMinute=15\n";
    writeBytes(outside.filePath("real.ini"), before);
    writeBytes(dir.filePath("target.ini"), before);
    ASSERT_EQ(::mkfifo(name(dir.filePath("fifo")).constData(), 0644), 0);
    FifoReleaser releaser(dir.filePath("fifo"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    // A device node of our own (root may make one) stands for any device.
    const bool device =
        ::mknod(name(dir.filePath("zero")).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0;

    QStringList special = {dir.filePath("fifo"), dir.filePath("folder")};
    if (device) {
        special << dir.filePath("zero");
    }
    for (const QString& target :
         special + QStringList({outside.filePath("real.ini"), outside.filePath("absent.ini")})) {
        ASSERT_EQ(::symlink(name(target).constData(), name(path).constData()), 0);
        EXPECT_FALSE(SettingsFile(path).WriteIniString("Option", "AddMinute", "5"))
            << qPrintable(target);
        EXPECT_EQ(kindOf(path), S_IFLNK) << qPrintable(target);
        ASSERT_EQ(::unlink(name(path).constData()), 0);
    }
    for (const QString& target : special) {
        EXPECT_FALSE(SettingsFile(target).WriteIniString("Option", "AddMinute", "5"))
            << qPrintable(target);
    }
    EXPECT_EQ(kindOf(dir.filePath("fifo")), S_IFIFO);
    EXPECT_EQ(kindOf(dir.filePath("folder")), S_IFDIR);
    EXPECT_EQ(readBytes(outside.filePath("real.ini")), before);
    EXPECT_FALSE(QFileInfo::exists(outside.filePath("absent.ini")));
    if (device) {
        EXPECT_EQ(kindOf(dir.filePath("zero")), S_IFCHR);
    }

    // A link to a file in the same folder is written through: the target is replaced and
    // the link stays.
    ASSERT_EQ(::symlink("target.ini", name(path).constData()), 0);
    ASSERT_TRUE(file.WriteIniString("Option", "AddMinute", "5"));
    EXPECT_EQ(kindOf(path), S_IFLNK);
    EXPECT_EQ(readBytes(dir.filePath("target.ini")), "[Option]\nAddMinute=5\n");
}

TEST_F(SettingsFileSafetyTest, AHugeOrReadOnlyFileIsLeftAsItIs) {
    const QByteArray huge = "[Option]\nAddMinute=15\n" + QByteArray(2 * 1024 * 1024, ';');
    writeBytes(path, huge);
    EXPECT_FALSE(file.WriteIniString("Option", "AddMinute", "5"));
    EXPECT_EQ(readBytes(path), huge);

    // Read-only by its mode bits, also for root, whom they do not bind.
    const QByteArray before = "[Option]\nAddMinute=15\n";
    writeBytes(path, before);
    ASSERT_EQ(::chmod(name(path).constData(), 0444), 0);
    EXPECT_FALSE(file.WriteIniString("Option", "AddMinute", "5"));
    EXPECT_EQ(readBytes(path), before);

    // A file that is replaced keeps its mode and, where the rights allow, its owner.
    ASSERT_EQ(::chmod(name(path).constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(name(path).constData(), 4321, 4322), 0);
    }
    ASSERT_TRUE(file.WriteIniString("Option", "AddMinute", "5"));
    struct stat st {};
    ASSERT_EQ(::stat(name(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }
}

TEST_F(SettingsFileSafetyTest, TheLockIsHiddenAndWaitedForAboutTwoSecondsAtMost) {
    ASSERT_TRUE(file.WriteIniString("Option", "AddMinute", "5"));
    EXPECT_EQ(entries(), ".plimset.ini.lock plimset.ini");

    // Another process holds the lock (a second open file takes the part) and lets it go
    // only after four seconds.
    const int held = ::open(name(lockPath).constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    std::thread release([held] {
        std::this_thread::sleep_for(std::chrono::seconds(4));
        ::close(held);
    });
    QElapsedTimer clock;
    clock.start();
    const bool written = file.WriteIniString("Option", "AddMinute", "7");
    const qint64 waited = clock.elapsed();
    // The rest of the same save does not wait again.
    clock.restart();
    EXPECT_FALSE(file.WriteIniString("Option", "TaskTray", "1"));
    EXPECT_LT(clock.elapsed(), 500);
    release.join();
    EXPECT_FALSE(written);
    EXPECT_GE(waited, 1500);
    EXPECT_LT(waited, 3500);
    EXPECT_EQ(readBytes(path), "[Option]\nAddMinute=5\n");
}

TEST_F(SettingsFileSafetyTest, ASaveKilledHalfwayLeavesNoTemporaryFile) {
    const QByteArray before = "[Option]\nAddMinute=10\n";
    writeBytes(path, before);
    // The file size limit kills the writing process with SIGXFSZ in the middle of its write.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit small{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &small);
        file.WriteIniString("Option", "SoundFile", QString(500, u'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(entries(), ".plimset.ini.lock plimset.ini");

    // A temporary file of ours that an earlier save left behind goes at the next save;
    // files that only look alike stay.
    writeBytes(dir.filePath(".plimset.ini.tmpAb12Cd"), "[Option]\n");
    writeBytes(dir.filePath(".plimset.ini.tmp"), "mine");
    writeBytes(dir.filePath("plimset.ini.backup"), "mine");
    ASSERT_TRUE(file.WriteIniString("Option", "AddMinute", "5"));
    EXPECT_EQ(entries(), ".plimset.ini.lock .plimset.ini.tmp plimset.ini plimset.ini.backup");
}

TEST_F(SettingsFileSafetyTest, ReadsTheFileOnceButEveryWriteRereadsIt) {
    writeBytes(path, "[Option]\nAddMinute=15\n");
    EXPECT_EQ(file.ReadIniInt("Option", "AddMinute", 10), 15);
    // Another process writes meanwhile; this object keeps what it read until it reloads.
    SettingsFile other(path);
    ASSERT_TRUE(other.WriteIniString("Option", "SoundBeep", "3"));
    EXPECT_EQ(file.ReadIniInt("Option", "SoundBeep", 10), 10);
    file.Reload();
    EXPECT_EQ(file.ReadIniInt("Option", "SoundBeep", 10), 3);

    // A write works on the file as it is now, not on what this object read earlier, and
    // what is read after it includes the other process's keys.
    ASSERT_TRUE(other.WriteIniString("Option", "TaskTray", "1"));
    ASSERT_TRUE(file.WriteIniString("Option", "AddMinute", "5"));
    EXPECT_EQ(readBytes(path), "[Option]\nAddMinute=5\nSoundBeep=3\nTaskTray=1\n");
    EXPECT_EQ(file.ReadIniInt("Option", "TaskTray", 0), 1);
}
