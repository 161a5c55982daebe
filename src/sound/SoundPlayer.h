#pragma once

#include <QString>
#include <QStringList>

namespace plimset {

// What opening a sound file came to.
enum class SoundOpenResult {
    Opened,     // open, or still loading: it plays once loaded
    NotFound,   // no path, or no file at the path
    CannotPlay, // the file is unreadable or no sound, or an earlier open of it still hangs
    NoOutput,   // no sound can be played here at all
};

// Where the open sound file is.
enum class SoundState { NotOpen, Stopped, Playing, Paused };

// The sound file the alarm and the Options dialog's test play share: one file is open at a
// time, and opening one closes the file open before. Every call answers at once, apart from
// Open's bounded wait for the file's first sound.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual SoundOpenResult Open(const QString& path) = 0;
    virtual void PlayFromStart() = 0;
    // Pause acts only on a playing file, Resume only on a paused one.
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Stop() = 0;
    // Stops the sound and closes the file.
    virtual void Close() = 0;
    // A file that played to its end, failed while loading or was stopped is Stopped.
    virtual SoundState State() const = 0;
};

// The file extensions the sound file library reads (lower case, without the dot), for the
// Options dialog's file filter; a file opens by its content whatever its name. No AAC and no
// video containers among them, so no m4a, aac, mp4, mkv, webm or avi.
inline QStringList PlayableExtensions() {
    return {QStringLiteral("wav"),  QStringLiteral("oga"),  QStringLiteral("ogg"),
            QStringLiteral("opus"), QStringLiteral("flac"), QStringLiteral("mp3"),
            QStringLiteral("aiff"), QStringLiteral("aif"),  QStringLiteral("au")};
}

} // namespace plimset
