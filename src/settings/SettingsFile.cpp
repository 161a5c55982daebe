#include "settings/SettingsFile.h"

#include "settings/SettingsFileSystem.h"

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

using namespace settings_files;

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
