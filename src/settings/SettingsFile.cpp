#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace plimset {

namespace {

// Values are read into a buffer of 256 bytes, so at most 255 bytes of a value count.
constexpr int MaxValueBytes = 255;

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype ByteOrderMarkSize = sizeof(ByteOrderMark) - 1;

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
    const QString text = QString::fromUtf8(bytes).trimmed();
    ParsedLine parsed;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']', 1);
        parsed.kind = LineKind::Section;
        parsed.name = (close < 0 ? text.mid(1) : text.mid(1, close - 1)).trimmed();
        return parsed;
    }
    if (text.startsWith(u';')) {
        return parsed;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0) {
        return parsed;
    }
    parsed.name = text.left(equals).trimmed();
    if (parsed.name.isEmpty()) {
        return parsed;
    }
    parsed.kind = LineKind::Key;
    parsed.value = text.mid(equals + 1).trimmed();
    return parsed;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key stands: the first section of that name, the key's line in it, and the last
// key line of the section (where a new key goes). -1 where there is none.
struct Location {
    qsizetype sectionLine = -1;
    qsizetype keyLine = -1;
    qsizetype lastKeyLine = -1;
    QString value;
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
                location.value = parsed.value;
                break;
            }
        }
    }
    return location;
}

// The whole file, or nothing when it cannot be read.
QByteArray readAllOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

QString withoutLineBreaks(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

// An exclusive advisory lock on a file beside the settings file, held for the lifetime
// of the object. The settings file itself cannot carry the lock because every write
// replaces it with a new file.
class LockGuard {
public:
    explicit LockGuard(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(fd_);
                fd_ = -1;
            }
        }
    }
    ~LockGuard() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

    bool locked() const { return fd_ >= 0; }

private:
    int fd_;
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

// Replaces the file with new contents through a temporary file in the same folder, so
// that the file is either the old one or the complete new one, whatever happens on the
// way (a full disk, a crash). Every short write counts as a failure: a file cut short
// would silently lose the keys behind the cut.
bool replaceFile(const QString& path, const QByteArray& data) {
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty()) {
        target = info.canonicalFilePath();
    }
    const QByteArray targetName = QFile::encodeName(target);
    QByteArray tempName = targetName + ".XXXXXX";
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat existing {};
    const mode_t mode = ::stat(targetName.constData(), &existing) == 0
                            ? existing.st_mode & 07777
                            : S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, data) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tempName.constData(), targetName.constData()) == 0;
    if (!ok) {
        ::unlink(tempName.constData());
        return false;
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

const QString& SettingsFile::path() const {
    return path_;
}

QString SettingsFile::ReadIniString(const QString& section, const QString& key,
                                    const QString& defaultValue) const {
    const QList<Line> lines = splitLines(readAllOf(path_));
    const Location location = locate(lines, section, key);
    if (location.keyLine < 0 || location.value.isEmpty()) {
        return defaultValue;
    }
    return LeftBytes(location.value, MaxValueBytes).trimmed();
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
    const QString sectionName = withoutLineBreaks(section).trimmed();
    const QString keyName = withoutLineBreaks(key).trimmed();
    // A name that would read back as something else (a section header, a comment, a key
    // ending early) is refused rather than written.
    if (sectionName.isEmpty() || sectionName.contains(u']') || keyName.isEmpty() ||
        keyName.contains(u'=') || keyName.startsWith(u'[') || keyName.startsWith(u';')) {
        return false;
    }
    const QByteArray keyLine = (keyName + u'=' + withoutLineBreaks(value)).toUtf8();

    if (!QFileInfo(path_).absoluteDir().mkpath(QStringLiteral("."))) {
        return false;
    }
    const LockGuard lock(path_ + QStringLiteral(".lock"));
    if (!lock.locked()) {
        return false;
    }

    QByteArray data;
    if (QFileInfo::exists(path_)) {
        QFile in(path_);
        if (!in.open(QIODevice::ReadOnly)) {
            return false; // never replace a file that could not be read
        }
        data = in.readAll();
        if (in.error() != QFileDevice::NoError) {
            return false;
        }
    }

    QList<Line> lines = splitLines(data);
    const QByteArray newline =
        !lines.isEmpty() && lines.first().ending == "\r\n" ? QByteArray("\r\n") : "\n";
    const Location location = locate(lines, sectionName, keyName);
    if (location.keyLine >= 0) {
        Line& line = lines[location.keyLine];
        const bool keepMark = location.keyLine == 0 && line.text.startsWith(ByteOrderMark);
        const QByteArray replaced = keepMark ? QByteArray(ByteOrderMark) + keyLine : keyLine;
        if (line.text == replaced) {
            return true;
        }
        line.text = replaced;
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

    return replaceFile(path_, joinLines(lines));
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

namespace {

// Puts one key line into the lines of a file, as WriteIniString does.
void setKeyLine(QList<Line>& lines, const QString& section, const QString& key,
                const QByteArray& keyLine, const QByteArray& newline) {
    const Location location = locate(lines, section, key);
    if (location.keyLine >= 0) {
        Line& line = lines[location.keyLine];
        const bool keepMark = location.keyLine == 0 && line.text.startsWith(ByteOrderMark);
        line.text = keepMark ? QByteArray(ByteOrderMark) + keyLine : keyLine;
    } else if (location.sectionLine >= 0) {
        const qsizetype after = std::max(location.lastKeyLine, location.sectionLine);
        if (lines[after].ending.isEmpty())
            lines[after].ending = newline;
        lines.insert(after + 1, {keyLine, newline});
    } else {
        if (!lines.isEmpty() && lines.last().ending.isEmpty())
            lines.last().ending = newline;
        lines.append({(u'[' + section + u']').toUtf8(), newline});
        lines.append({keyLine, newline});
    }
}

} // namespace

bool SettingsFile::WriteIniStrings(const QString& section,
                                   const QList<QPair<QString, QString>>& keys) {
    if (keys.isEmpty())
        return true;
    const QString sectionName = withoutLineBreaks(section).trimmed();
    if (sectionName.isEmpty() || sectionName.contains(u']'))
        return false;
    QList<QPair<QString, QByteArray>> keyLines;
    for (const auto& [key, value] : keys) {
        const QString keyName = withoutLineBreaks(key).trimmed();
        if (keyName.isEmpty() || keyName.contains(u'=') || keyName.startsWith(u'[') ||
            keyName.startsWith(u';'))
            return false;
        keyLines.append({keyName, (keyName + u'=' + withoutLineBreaks(value)).toUtf8()});
    }

    if (!QFileInfo(path_).absoluteDir().mkpath(QStringLiteral(".")))
        return false;
    const LockGuard lock(path_ + QStringLiteral(".lock"));
    if (!lock.locked())
        return false;
    QByteArray data;
    if (QFileInfo::exists(path_)) {
        QFile in(path_);
        if (!in.open(QIODevice::ReadOnly))
            return false; // never replace a file that could not be read
        data = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return false;
    }
    QList<Line> lines = splitLines(data);
    const QByteArray newline =
        !lines.isEmpty() && lines.first().ending == "\r\n" ? QByteArray("\r\n") : "\n";
    for (const auto& [keyName, keyLine] : keyLines)
        setKeyLine(lines, sectionName, keyName, keyLine, newline);
    const QByteArray changed = joinLines(lines);
    if (changed == data)
        return true;
    return replaceFile(path_, changed);
}

} // namespace plimset
