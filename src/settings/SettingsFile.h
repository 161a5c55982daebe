#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace plimset {

// One INI-format settings file, addressed by its path. Section and key names are matched
// without regard to case; key lines are "key=value" and values are trimmed of surrounding
// spaces. No file handle is held between calls: every operation opens, reads or replaces
// the file on its own.
class SettingsFile {
public:
    explicit SettingsFile(QString path);

    const QString& path() const;

    // The value of a key, at most 255 bytes of UTF-8 (cut at a character boundary), or
    // defaultValue when the file, section or key is missing or the value is empty.
    QString ReadIniString(const QString& section, const QString& key,
                          const QString& defaultValue) const;

    // The leading decimal integer of a key's value (optional minus, saturating at 32 bits),
    // 0 when the value does not begin with a number, defaultValue when it is missing or
    // empty.
    qint32 ReadIniInt(const QString& section, const QString& key, qint32 defaultValue) const;

    // Replaces the key's line where it stands, or adds the key at the end of its section,
    // or the section at the end of the file; every other line is kept byte for byte. The
    // file is replaced atomically under an advisory lock on "<path>.lock", so concurrent
    // writers never lose each other's keys and a failed write leaves the old file as it
    // was. Line breaks are removed from the value and the names; a key containing "=" or
    // a section containing "]" is refused. Returns false when nothing was written.
    bool WriteIniString(const QString& section, const QString& key, const QString& value);

    // Several keys of one section in one go: one locked read, every change, one atomic
    // replacement, so the keys land together or not at all. Each key is written as
    // WriteIniString would; a refused name refuses the whole batch. Returns false when
    // nothing was written; an empty list writes nothing and succeeds.
    bool WriteIniStrings(const QString& section, const QList<QPair<QString, QString>>& keys);

private:
    QString path_;
};

// ReadIniInt for a 16-bit field: a value outside the 16-bit range gives defaultValue.
qint16 ReadIniInt16(const SettingsFile& file, const QString& section, const QString& key,
                    qint16 defaultValue);

// The first `bytes` bytes of the text's UTF-8 form, never ending inside a character. When
// the last character kept is NUL it is replaced by a space.
QString LeftBytes(const QString& text, int bytes);

} // namespace plimset
