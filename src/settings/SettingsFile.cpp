#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace plimset {

namespace {

// Values are read into a buffer of 256 bytes, so at most 255 bytes of a value count.
constexpr int MaxValueBytes = 255;

// A settings file larger than this is not ours (or not one a person wrote): it is treated as
// unreadable, so the defaults apply and it is never replaced.
constexpr qint64 MaxFileBytes = 1024 * 1024;

// How long a write waits for another process's lock.
constexpr std::chrono::milliseconds LockWait(2000);

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype ByteOrderMarkSize = sizeof(ByteOrderMark) - 1;

// Temporary files of a save are named ".<name>.tmp" and six letters or digits.
constexpr char TemporaryInfix[] = ".tmp";
constexpr int TemporarySuffixLength = 6;

// One line of the file as it stands: its bytes and its line end ("", "\n" or "\r\n"),
// so that lines a write does not touch go back byte for byte.
struct Line {
    QByteArray text;
    QByteArray ending;
};

QList<Line> splitLines(const QByteArray& data) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype newline = data.indexOf('\n', start);
        if (newline < 0) {
            lines.append({data.mid(start), QByteArray()});
            break;
        }
        qsizetype end = newline;
        QByteArray ending("\n");
        if (end > start && data[end - 1] == '\r') {
            --end;
            ending = "\r\n";
        }
        lines.append({data.mid(start, end - start), ending});
        start = newline + 1;
    }
    return lines;
}

QByteArray joinLines(const QList<Line>& lines) {
    QByteArray data;
    for (const Line& line : lines) {
        data += line.text;
        data += line.ending;
    }
    return data;
}

// NUL characters count as blanks: an editor that pads with them means nothing by them.
bool isBlank(QChar c) {
    return c.isSpace() || c.unicode() == 0;
}

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

QString withoutLineBreaks(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

// A section or key name as it is matched, written and read: on one line, trimmed, without
// a byte-order mark before it (which the reading of a line would drop anyway).
QString normalName(const QString& name) {
    QString normal = trimBlanks(withoutLineBreaks(name));
    while (normal.startsWith(QChar(0xFEFF))) {
        normal = trimBlanks(normal.mid(1));
    }
    return normal;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QString name;
    QString value;
};

ParsedLine parseLine(const Line& line, bool firstLine) {
    QByteArray bytes = line.text;
    if (firstLine && bytes.startsWith(ByteOrderMark)) {
        bytes.remove(0, ByteOrderMarkSize);
    }
    const QString text = trimBlanks(QString::fromUtf8(bytes));
    ParsedLine parsed;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']', 1);
        parsed.kind = LineKind::Section;
        parsed.name = normalName(close < 0 ? text.mid(1) : text.mid(1, close - 1));
        return parsed;
    }
    if (text.startsWith(u';')) {
        return parsed;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0) {
        return parsed;
    }
    parsed.name = normalName(text.left(equals));
    if (parsed.name.isEmpty()) {
        return parsed;
    }
    parsed.kind = LineKind::Key;
    parsed.value = trimBlanks(text.mid(equals + 1));
    return parsed;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString valueKey(const QString& section, const QString& key) {
    return section.toCaseFolded() + u'\n' + key.toCaseFolded();
}

// The value of every key of the file: of each section name the first section, of each key
// name in it the first line, as a lookup that reads each line once.
QHash<QString, QString> parseValues(const QByteArray& data) {
    QHash<QString, QString> values;
    QSet<QString> sections;
    QString prefix; // the folded section name and "\n"
    bool collecting = false;
    const QList<Line> lines = splitLines(data);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i], i == 0);
        if (parsed.kind == LineKind::Section) {
            prefix = parsed.name.toCaseFolded() + u'\n';
            collecting = !sections.contains(prefix);
            sections.insert(prefix);
        } else if (parsed.kind == LineKind::Key && collecting) {
            const QString key = prefix + parsed.name.toCaseFolded();
            if (!values.contains(key)) {
                values.insert(key, parsed.value);
            }
        }
    }
    return values;
}

// Where a key stands: the first section of that name, the key's line in it, and the last
// key line of the section (where a new key goes). -1 where there is none.
struct Location {
    qsizetype sectionLine = -1;
    qsizetype keyLine = -1;
    qsizetype lastKeyLine = -1;
};

Location locate(const QList<Line>& lines, const QString& section, const QString& key) {
    Location location;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i], i == 0);
        if (parsed.kind == LineKind::Section) {
            if (inSection) {
                break;
            }
            if (sameName(parsed.name, section)) {
                inSection = true;
                location.sectionLine = i;
            }
        } else if (parsed.kind == LineKind::Key && inSection) {
            location.lastKeyLine = i;
            if (sameName(parsed.name, key)) {
                location.keyLine = i;
                break;
            }
        }
    }
    return location;
}

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

bool isRegularOfUsableSize(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_size <= MaxFileBytes;
}

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

// An exclusive advisory lock on the hidden file ".<name>.lock" beside the settings file,
// held for the lifetime of the object. The settings file itself cannot carry the lock
// because every write replaces it with a new file; a hidden name keeps the lock out of the
// user's way and in the same folder, so every process that writes the file (also of
// another user, also without a runtime folder) finds the same lock.
class SettingsLock {
public:
    SettingsLock(const QByteArray& settingsFile, std::chrono::milliseconds wait) {
        const QByteArray path = folderOf(settingsFile) + "/." + fileNameOf(settingsFile) + ".lock";
        fd_.reset(::open(path.constData(),
                         O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
        struct stat info {};
        if (!fd_.valid() || ::fstat(fd_.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            !lockWithin(fd_.get(), wait, timedOut_)) {
            fd_.reset();
        }
    }

    bool locked() const { return fd_.valid(); }
    // Whether another process held the lock for the whole wait.
    bool timedOut() const { return timedOut_ && !locked(); }

private:
    FileDescriptor fd_;
    bool timedOut_ = false;
};

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

} // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

const QString& SettingsFile::path() const {
    return path_;
}

void SettingsFile::Reload() {
    values_.reset();
}

const QHash<QString, QString>& SettingsFile::values() const {
    if (!values_) {
        values_ = parseValues(readSettingsBytes(QFile::encodeName(path_), false).data);
    }
    return *values_;
}

QString SettingsFile::ReadIniString(const QString& section, const QString& key,
                                    const QString& defaultValue) const {
    const QHash<QString, QString>& all = values();
    const auto found = all.constFind(valueKey(normalName(section), normalName(key)));
    if (found == all.constEnd()) {
        return defaultValue;
    }
    // A value that is empty once cut to its length and trimmed (blanks, NULs, a lone
    // byte-order mark) is no value.
    const QString value = trimBlanks(LeftBytes(*found, MaxValueBytes));
    return value.isEmpty() ? defaultValue : value;
}

qint32 SettingsFile::ReadIniInt(const QString& section, const QString& key,
                                qint32 defaultValue) const {
    const QString value = ReadIniString(section, key, QString());
    if (value.isEmpty()) {
        return defaultValue;
    }
    qsizetype i = 0;
    const bool negative = value[0] == u'-';
    if (negative) {
        ++i;
    }
    qint64 number = 0;
    for (; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i) {
        number = number * 10 + (value[i].unicode() - u'0');
        if (number > std::numeric_limits<qint32>::max() + qint64(1)) {
            number = std::numeric_limits<qint32>::max() + qint64(1);
        }
    }
    if (negative) {
        number = -number;
    }
    if (number > std::numeric_limits<qint32>::max()) {
        number = std::numeric_limits<qint32>::max();
    }
    return static_cast<qint32>(number);
}

bool SettingsFile::WriteIniString(const QString& section, const QString& key,
                                  const QString& value) {
    return WriteIniStrings(section, {{key, value}});
}

bool SettingsFile::WriteIniStrings(const QString& section,
                                   const QList<QPair<QString, QString>>& keys) {
    // What was read may be out of date after this write, whether it succeeds or not.
    values_.reset();

    const QString sectionName = normalName(section);
    // A name that would read back as something else (a section header, a comment, a key
    // ending early) is refused rather than written.
    if (sectionName.isEmpty() || sectionName.contains(u']')) {
        return false;
    }
    QList<QPair<QString, QByteArray>> keyLines;
    for (const auto& [key, value] : keys) {
        const QString keyName = normalName(key);
        if (keyName.isEmpty() || keyName.contains(u'=') || keyName.startsWith(u'[') ||
            keyName.startsWith(u';')) {
            return false;
        }
        keyLines.append({keyName, (keyName + u'=' + withoutLineBreaks(value)).toUtf8()});
    }
    if (keyLines.isEmpty()) {
        return true;
    }

    const QFileInfo info(path_);
    if (!info.absoluteDir().mkpath(QStringLiteral("."))) {
        return false;
    }
    // Checked before the lock, so that no lock file is made beside a file never written,
    // and again under it, where the answer holds.
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    const std::optional<QByteArray> target = writeTarget(path);
    if (!target) {
        return false;
    }
    const SettingsLock lock(*target, lockTimedOut_ ? std::chrono::milliseconds(0) : LockWait);
    lockTimedOut_ = lock.timedOut();
    if (!lock.locked() || writeTarget(path) != target) {
        return false;
    }
    const FileContent current = readSettingsBytes(*target, true);
    if (current.status == ReadStatus::Unusable) {
        return false; // never replace a file that could not be read
    }
    const bool exists = current.status == ReadStatus::Read;
    if (exists && isReadOnly(current.info)) {
        return false;
    }

    QList<Line> lines = splitLines(current.data);
    const QByteArray newline =
        !lines.isEmpty() && lines.first().ending == "\r\n" ? QByteArray("\r\n") : "\n";
    for (const auto& [keyName, keyLine] : keyLines) {
        const Location location = locate(lines, sectionName, keyName);
        if (location.keyLine >= 0) {
            Line& line = lines[location.keyLine];
            const bool keepMark = location.keyLine == 0 && line.text.startsWith(ByteOrderMark);
            line.text = keepMark ? QByteArray(ByteOrderMark) + keyLine : keyLine;
        } else if (location.sectionLine >= 0) {
            const qsizetype after = std::max(location.lastKeyLine, location.sectionLine);
            if (lines[after].ending.isEmpty()) {
                lines[after].ending = newline;
            }
            lines.insert(after + 1, {keyLine, newline});
        } else {
            if (!lines.isEmpty() && lines.last().ending.isEmpty()) {
                lines.last().ending = newline;
            }
            lines.append({(u'[' + sectionName + u']').toUtf8(), newline});
            lines.append({keyLine, newline});
        }
    }
    const QByteArray changed = joinLines(lines);
    if (exists && changed == current.data) {
        return true; // every key already has its value
    }
    return replaceFile(*target, changed, exists ? &current.info : nullptr);
}

qint16 ReadIniInt16(const SettingsFile& file, const QString& section, const QString& key,
                    qint16 defaultValue) {
    const qint32 value = file.ReadIniInt(section, key, defaultValue);
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()) {
        return defaultValue;
    }
    return static_cast<qint16>(value);
}

QString LeftBytes(const QString& text, int bytes) {
    if (bytes <= 0) {
        return QString();
    }
    QByteArray utf8 = text.toUtf8();
    if (utf8.size() > bytes) {
        // Step back to the first byte of the character the cut would split.
        qsizetype end = bytes;
        while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
            --end;
        }
        utf8.truncate(end);
    }
    QString result = QString::fromUtf8(utf8);
    if (!result.isEmpty() && result.back() == QChar(u'\0')) {
        result.chop(1);
        result.append(u' ');
    }
    return result;
}

} // namespace plimset
