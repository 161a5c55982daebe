#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace plimset {

// One INI-format settings file, addressed by its path. Section and key names are matched
// without regard to case (a byte-order mark before a name is no part of it); key lines are
// "key=value" and values are trimmed of surrounding blanks, NUL characters included. No
// file handle is held between calls.
//
// Only a regular file of at most 1 MiB is read (a symlink is followed); anything else
// there (a device, a FIFO, a folder, a larger file) reads as an empty file, without
// blocking. It is read once, at the first read; later reads answer from what was read
// until a write or Reload().
class SettingsFile {
public:
    explicit SettingsFile(QString path);

    const QString& path() const;

    // Forgets what was read, so that the next read takes the file as it is now.
    void Reload();

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
    // file is read afresh and replaced atomically (keeping its mode and, where the rights
    // allow, its owner) under an advisory lock on the hidden file ".<name>.lock" beside
    // it, so concurrent writers never lose each other's keys and a failed write leaves the
    // old file as it was, with no temporary file left behind. Line breaks are removed from
    // the value and the names; a key containing "=" or a section containing "]" is
    // refused.
    //
    // Only a missing file, a regular file the settings could be read from, or a symlink to
    // such a file in the same folder (whose target is replaced) is written; a file without
    // its owner's write bit is read-only, also for root. The lock is waited for about two
    // seconds; once that wait has run out, later writes through the same object only try
    // it until they get it again, so a whole save cannot hang on a lock another process
    // keeps. Returns false when nothing was written.
    bool WriteIniString(const QString& section, const QString& key, const QString& value);

    // Several keys of one section in one go: one locked read, every change, one atomic
    // replacement, so the keys land together or not at all. Each key is written as
    // WriteIniString would; a refused name refuses the whole batch. Returns false when
    // nothing was written; an empty list writes nothing and succeeds.
    bool WriteIniStrings(const QString& section, const QList<QPair<QString, QString>>& keys);

private:
    const QHash<QString, QString>& values() const;

    QString path_;
    // The values of the file as read, by "<section>\n<key>" (both case-folded).
    mutable std::optional<QHash<QString, QString>> values_;
    bool lockTimedOut_ = false;
};

// ReadIniInt for a 16-bit field: a value outside the 16-bit range gives defaultValue.
qint16 ReadIniInt16(const SettingsFile& file, const QString& section, const QString& key,
                    qint16 defaultValue);

// The first `bytes` bytes of the text's UTF-8 form, never ending inside a character. When
// the last character kept is NUL it is replaced by a space.
QString LeftBytes(const QString& text, int bytes);

} // namespace plimset
