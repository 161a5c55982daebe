#pragma once

// The file-system side of the settings file: reading only what is a settings file, writing
// only where a settings file may be replaced, the lock two processes share, and the atomic
// replacement. Used by SettingsFile alone.

#include <QByteArray>

#include <chrono>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace plimset::settings_files {

// A settings file larger than this is not ours (or not one a person wrote): it is treated as
// unreadable, so the defaults apply and it is never replaced.
inline constexpr qint64 MaxFileBytes = 1024 * 1024;

// How long a write waits for another process's lock.
inline constexpr std::chrono::milliseconds LockWait(2000);

// A file descriptor closed with its owner.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd = -1) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }
    // Closes the descriptor and reports whether the close succeeded (it can report a
    // delayed write error).
    bool close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

enum class ReadStatus { Read, Missing, Unusable };

struct FileContent {
    ReadStatus status = ReadStatus::Unusable;
    QByteArray data;
    struct stat info {};
};

// Reads a settings file when it is a regular file of at most MaxFileBytes; noFollow refuses
// a symlink at the path itself.
FileContent readSettingsBytes(const QByteArray& path, bool noFollow);

// Whether the user made the file read-only (its owner may not write it).
bool isReadOnly(const struct stat& info);

// The regular file (or free name) a write of this path replaces, or nothing where a write
// must not go.
std::optional<QByteArray> writeTarget(const QByteArray& path);

// An exclusive advisory lock on the hidden file ".<name>.lock" beside the settings file,
// held for the lifetime of the object. The settings file itself cannot carry the lock
// because every write replaces it with a new file; a hidden name keeps the lock out of the
// user's way and in the same folder, so every process that writes the file (also of
// another user, also without a runtime folder) finds the same lock.
class SettingsLock {
public:
    SettingsLock(const QByteArray& settingsFile, std::chrono::milliseconds wait);

    bool locked() const { return fd_.valid(); }
    // Whether another process held the lock for the whole wait.
    bool timedOut() const { return timedOut_ && !locked(); }

private:
    FileDescriptor fd_;
    bool timedOut_ = false;
};

// Replaces the target with data in one step, keeping the mode and owner of the file it
// replaces; never leaves a temporary behind.
bool replaceFile(const QByteArray& target, const QByteArray& data, const struct stat* existing);

} // namespace plimset::settings_files
