#include "settings/SettingsFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <system_error>
#include <thread>

namespace plimset::settings_files {

namespace {

// Temporary files of a save are named ".<name>.tmp" and six letters or digits.
constexpr char TemporaryInfix[] = ".tmp";
constexpr int TemporarySuffixLength = 6;

bool isRegularOfUsableSize(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_size <= MaxFileBytes;
}

QByteArray folderOf(const QByteArray& path) {
    return QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
}

QByteArray fileNameOf(const QByteArray& path) {
    return QFile::encodeName(QFileInfo(QFile::decodeName(path)).fileName());
}

QByteArray canonical(const QByteArray& path) {
    char* resolved = ::realpath(path.constData(), nullptr);
    if (resolved == nullptr) {
        return QByteArray();
    }
    QByteArray result(resolved);
    std::free(resolved);
    return result;
}

// Waits at most `wait` for an exclusive flock on the open file behind fd. The blocking
// call is made by a thread of its own on a duplicate descriptor: the kernel wakes a
// blocked waiter when the lock is freed, where polling would keep missing the moments
// between the writes of a process that writes key after key. A waiter given up on stays
// blocked until the lock is free and then lets it go at once: its descriptor is then the
// last one open on the file.
bool lockWithin(int fd, std::chrono::milliseconds wait, bool& timedOut) {
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0 || errno != EWOULDBLOCK) {
        return result == 0;
    }
    timedOut = true;
    if (wait.count() <= 0) {
        return false;
    }

    struct Outcome {
        std::mutex mutex;
        std::condition_variable changed;
        bool finished = false;
        bool locked = false;
    };
    const auto outcome = std::make_shared<Outcome>();
    const int waiterFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (waiterFd < 0) {
        return false;
    }
    try {
        std::thread([outcome, waiterFd] {
            int locked;
            do {
                locked = ::flock(waiterFd, LOCK_EX);
            } while (locked != 0 && errno == EINTR);
            ::close(waiterFd);
            const std::lock_guard<std::mutex> guard(outcome->mutex);
            outcome->finished = true;
            outcome->locked = locked == 0;
            outcome->changed.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        ::close(waiterFd);
        return false;
    }
    std::unique_lock<std::mutex> guard(outcome->mutex);
    outcome->changed.wait_for(guard, wait, [&] { return outcome->finished; });
    timedOut = !outcome->finished;
    return outcome->finished && outcome->locked;
}

bool writeAll(int fd, const QByteArray& data) {
    const char* next = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

QByteArray temporaryPrefix(const QByteArray& fileName) {
    return "." + fileName + TemporaryInfix;
}

bool isTemporaryName(const QByteArray& name, const QByteArray& prefix) {
    if (name.size() != prefix.size() + TemporarySuffixLength || !name.startsWith(prefix)) {
        return false;
    }
    return std::all_of(name.begin() + prefix.size(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Removes temporary files that a save of this file left when it was killed on its way.
// Only called under the lock: no other save is then between naming its file and renaming it.
void removeStaleTemporaries(int folder, const QByteArray& folderPath, const QByteArray& fileName) {
    const QByteArray prefix = temporaryPrefix(fileName);
    const QStringList names =
        QDir(QFile::decodeName(folderPath))
            .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names) {
        const QByteArray encoded = QFile::encodeName(name);
        struct stat info {};
        if (isTemporaryName(encoded, prefix) &&
            ::fstatat(folder, encoded.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode)) {
            ::unlinkat(folder, encoded.constData(), 0);
        }
    }
}

QByteArray randomTemporaryName(const QByteArray& fileName) {
    static constexpr char Letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = temporaryPrefix(fileName);
    for (int i = 0; i < TemporarySuffixLength; ++i) {
        name += Letters[QRandomGenerator::global()->bounded(int(sizeof(Letters) - 1))];
    }
    return name;
}

// Writes the new contents into a file of its own in the folder and returns its name there.
// The file has no name until it is complete (O_TMPFILE), so a save killed on its way leaves
// nothing; where the file system cannot do that, it is named from the start.
std::optional<QByteArray> writeTemporary(int folder, const QByteArray& fileName,
                                         const QByteArray& data, const struct stat* existing) {
    const auto prepare = [&](int fd) {
        if (existing != nullptr) {
            // Keep the owner where the rights allow; the mode is set after, since a change
            // of owner can clear some of its bits.
            [[maybe_unused]] const int ignored = ::fchown(fd, existing->st_uid, existing->st_gid);
        }
        const mode_t mode =
            existing != nullptr ? existing->st_mode & 07777 : S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
        return ::fchmod(fd, mode) == 0 && writeAll(fd, data) && ::fsync(fd) == 0;
    };

    FileDescriptor unnamed(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (unnamed.valid()) {
        if (!prepare(unnamed.get())) {
            return std::nullopt;
        }
        char procPath[64];
        std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", unnamed.get());
        for (int attempt = 0; attempt < 10; ++attempt) {
            const QByteArray name = randomTemporaryName(fileName);
            if (::linkat(AT_FDCWD, procPath, folder, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
                return unnamed.close() ? std::optional<QByteArray>(name) : std::nullopt;
            }
            if (errno != EEXIST) {
                break; // no /proc: name the file from the start instead
            }
        }
    }

    for (int attempt = 0; attempt < 10; ++attempt) {
        const QByteArray name = randomTemporaryName(fileName);
        FileDescriptor named(::openat(folder, name.constData(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!named.valid()) {
            if (errno == EEXIST) {
                continue;
            }
            return std::nullopt;
        }
        if (prepare(named.get()) && named.close()) {
            return name;
        }
        ::unlinkat(folder, name.constData(), 0);
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

// Reads a settings file when it is a regular file of at most MaxFileBytes. Anything else
// is never opened where it can be told beforehand, and never waited for: a FIFO is opened
// without blocking and turned away by what the open descriptor is. noFollow refuses a
// symlink at the path itself.
FileContent readSettingsBytes(const QByteArray& path, bool noFollow) {
    FileContent content;
    struct stat before {};
    if ((noFollow ? ::lstat(path.constData(), &before) : ::stat(path.constData(), &before)) != 0) {
        content.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unusable;
        return content;
    }
    if (!isRegularOfUsableSize(before)) {
        return content;
    }
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0);
    const FileDescriptor fd(::open(path.constData(), flags));
    if (!fd.valid()) {
        content.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unusable;
        return content;
    }
    if (::fstat(fd.get(), &content.info) != 0 || !isRegularOfUsableSize(content.info)) {
        return content;
    }
    // Room for one byte more than the file had shows a file that grows meanwhile; it is
    // read on up to one byte more than allowed, which shows one that grew too large.
    QByteArray data(qsizetype(content.info.st_size) + 1, Qt::Uninitialized);
    qsizetype size = 0;
    while (size <= MaxFileBytes) {
        if (size == data.size()) {
            data.resize(std::min<qsizetype>(data.size() * 2, MaxFileBytes + 1));
        }
        const ssize_t got =
            ::read(fd.get(), data.data() + size, static_cast<size_t>(data.size() - size));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return content;
        }
        if (got == 0) {
            break;
        }
        size += got;
    }
    if (size > MaxFileBytes) {
        return content;
    }
    data.truncate(size);
    content.data = data;
    content.status = ReadStatus::Read;
    return content;
}

bool isReadOnly(const struct stat& info) {
    return (info.st_mode & S_IWUSR) == 0;
}

// The file a write replaces: the settings file itself when it is missing or a regular
// file, or the regular file a symlink points at when that lies in the same folder. Nothing
// when the write must not happen: a device, FIFO, folder or socket would be replaced by a
// plain file, a symlink elsewhere could make the program write where the user never
// meant, a read-only or oversized file is the user's to change.
std::optional<QByteArray> writeTarget(const QByteArray& path) {
    struct stat link {};
    if (::lstat(path.constData(), &link) != 0) {
        return errno == ENOENT ? std::optional<QByteArray>(path) : std::nullopt;
    }
    if (S_ISREG(link.st_mode)) {
        return isReadOnly(link) || link.st_size > MaxFileBytes ? std::nullopt
                                                               : std::optional<QByteArray>(path);
    }
    if (!S_ISLNK(link.st_mode)) {
        return std::nullopt;
    }
    const QByteArray target = canonical(path);
    struct stat info {};
    if (target.isEmpty() || ::stat(target.constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
        isReadOnly(info) || info.st_size > MaxFileBytes ||
        folderOf(target) != canonical(folderOf(path))) {
        return std::nullopt;
    }
    return target;
}

// Replaces the file with new contents through a temporary file in the same folder, so
// that the file is either the old one or the complete new one, whatever happens on the
// way (a full disk, a crash). Every short write counts as a failure: a file cut short
// would silently lose the keys behind the cut.
bool replaceFile(const QByteArray& target, const QByteArray& data, const struct stat* existing) {
    const QByteArray folderPath = folderOf(target);
    const QByteArray fileName = fileNameOf(target);
    const FileDescriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) {
        return false;
    }
    removeStaleTemporaries(folder.get(), folderPath, fileName);
    const std::optional<QByteArray> temporary =
        writeTemporary(folder.get(), fileName, data, existing);
    if (!temporary) {
        return false;
    }
    if (::renameat(folder.get(), temporary->constData(), folder.get(), fileName.constData()) != 0) {
        ::unlinkat(folder.get(), temporary->constData(), 0);
        return false;
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    ::fsync(folder.get());
    return true;
}

SettingsLock::SettingsLock(const QByteArray& settingsFile, std::chrono::milliseconds wait) {
    const QByteArray path = folderOf(settingsFile) + "/." + fileNameOf(settingsFile) + ".lock";
    fd_.reset(::open(path.constData(),
                     O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
    struct stat info {};
    if (!fd_.valid() || ::fstat(fd_.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        !lockWithin(fd_.get(), wait, timedOut_)) {
        fd_.reset();
    }
}

} // namespace plimset::settings_files
