// The settings file against what a desktop can put at its path (devices, FIFOs, folders,
// links out of its folder, huge or read-only files), a lock another process holds and a
// save that fails or is killed halfway.
#include "SettingsTestFiles.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

TEST_F(SettingsFileSafetyTest, ReadsAndReplacesOnlyRegularFilesItMay) {
    const QByteArray key = "[Option]\nAddMinute=15\n";
    const int mebibyte = 1024 * 1024;
    QTemporaryDir outside;
    writeBytes(outside.filePath("real.ini"), key);
    writeBytes(dir.filePath("limit"), key + QByteArray(mebibyte - key.size(), ';'));
    writeBytes(dir.filePath("over"), key + QByteArray(mebibyte - key.size() + 1, ';'));
    writeBytes(dir.filePath("readonly"), key);
    ASSERT_EQ(::chmod(name(dir.filePath("readonly")).constData(), 0444), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_EQ(::mkfifo(name(dir.filePath("fifo")).constData(), 0644), 0);
    // A read or write blocked on the FIFO ends the test by SIGALRM rather than hanging it.
    ::alarm(30);

    // The settings path as a link to each: the value read through it (10 is the default)
    // and whether a write goes through.
    const std::tuple<QString, int, bool> links[] = {
        {"/dev/zero", 10, false},
        {dir.filePath("fifo"), 10, false},
        {dir.filePath("folder"), 10, false},
        {dir.filePath("over"), 10, false},
        {dir.filePath("readonly"), 15, false},
        {outside.filePath("real.ini"), 15, false},
        {outside.filePath("absent.ini"), 10, false},
        {dir.filePath("limit"), 15, true},
    };
    for (const auto& [target, value, writable] : links) {
        ASSERT_EQ(::symlink(name(target).constData(), name(path).constData()), 0);
        EXPECT_EQ(SettingsFile(path).ReadIniInt("Option", "AddMinute", 10), value)
            << qPrintable(target);
        if (target != "/dev/zero") {
            EXPECT_EQ(SettingsFile(path).WriteIniString("Option", "AddMinute", "5"), writable)
                << qPrintable(target);
        }
        EXPECT_EQ(kindOf(path), S_IFLNK) << qPrintable(target);
        ASSERT_EQ(::unlink(name(path).constData()), 0);
    }
    // The same, given as the settings path itself.
    for (const QString special : {"fifo", "folder", "over", "readonly"})
        EXPECT_FALSE(SettingsFile(dir.filePath(special)).WriteIniString("Option", "A", "5"));
    ::alarm(0);

    EXPECT_EQ(kindOf(dir.filePath("fifo")), S_IFIFO);
    EXPECT_EQ(readBytes(outside.filePath("real.ini")), key);
    EXPECT_EQ(readBytes(dir.filePath("readonly")), key);
    EXPECT_FALSE(QFileInfo::exists(outside.filePath("absent.ini")));
    EXPECT_EQ(SettingsFile(dir.filePath("limit")).ReadIniInt("Option", "AddMinute", 10), 5);
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

TEST_F(SettingsFileSafetyTest, AFailedOrKilledSaveKeepsTheOldFileAndLeavesNoTemporary) {
    const QByteArray before = "[Option]\nAddMinute=10\n";
    writeBytes(path, before);
    // A disk that fills up in the middle of the write, simulated by a file size limit: with
    // SIGXFSZ ignored the write fails and must say so; by default the signal kills.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit noCore{0, 0}, small{64, 64};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_IGN);
        if (file.WriteIniString("Option", "SoundFile", QString(500, u'x')))
            ::_exit(1);
        std::signal(SIGXFSZ, SIG_DFL);
        file.WriteIniString("Option", "SoundFile", QString(500, u'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "failed write reported as done";
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(entries(), ".plimset.ini.lock plimset.ini");

    // A temporary file of ours that an earlier save left behind goes at the next save;
    // files that only look alike stay. The new file keeps the old one's mode.
    ASSERT_EQ(::chmod(name(path).constData(), 0640), 0);
    writeBytes(dir.filePath(".plimset.ini.tmpAb12Cd"), "[Option]\n");
    writeBytes(dir.filePath(".plimset.ini.tmp"), "mine");
    writeBytes(dir.filePath("plimset.ini.backup"), "mine");
    ASSERT_TRUE(file.WriteIniString("Option", "AddMinute", "5"));
    EXPECT_EQ(entries(), ".plimset.ini.lock .plimset.ini.tmp plimset.ini plimset.ini.backup");
    EXPECT_EQ(QFileInfo(path).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                 QFileDevice::ReadGroup);
}
