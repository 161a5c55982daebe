#pragma once

#include "alerts/MciPlayer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <map>
#include <memory>

namespace plimset {

struct MciParsedCommand;

// The file extensions the sound back end plays when a file is opened without a device
// type (lower case, without the dot); the Options dialog's file filter lists them too.
QStringList PlayableExtensions();

// Carries out the sound layer's command strings (MciCommandParser.h lists them) with Qt
// Multimedia. A string that is not exactly one of the forms is refused as a whole and
// nothing of it is done. Replies: "status ... mode" answers "playing", "paused" or
// "stopped"; "sysinfo" lists the one device type, "mpegvideo", which plays any file the
// media back end can decode (a plain "open" takes only the extensions above).
//
// "open" decodes the file (the sound of a video file too) into memory, at most
// MaxSeconds of it, and the plays go from there through an audio sink of their own: a
// play is heard at once, a file changed or removed while it plays does not disturb it,
// and an audio server that goes away only makes the plays fail until it is back. The
// media back end starts at the first "open", never before. "open ... wait" returns once
// the file's first sound is decoded or the file has failed, and after loadBound at the
// latest; meanwhile events are processed so the windows keep painting, and a command
// that arrives in that time is refused as busy. Decoding goes on after it returns.
class MciInterpreter : public QObject, public CommandInterpreter {
    Q_OBJECT
public:
    // Error codes besides 0.
    enum Error : int {
        Malformed = 1,     // not one of the command forms
        AliasNotOpen = 2,  // no device open under the alias
        AliasInUse = 3,    // "open" with an alias already open
        CannotOpen = 4,    // the file is missing, unreadable or no media
        UnknownDevice = 5, // a device type or extension the back end does not have
        Busy = 6,          // a waiting command has not finished
        NoSuchDevice = 7,  // "sysinfo all name" past the last device
    };

    // The longest stretch of a file that is kept, in seconds.
    static constexpr int MaxSeconds = 300;

    explicit MciInterpreter(std::chrono::milliseconds loadBound = std::chrono::milliseconds(3000),
                            QObject* parent = nullptr);
    ~MciInterpreter() override;

    int SendCommand(const QString& command, QString* reply) override;

    // Whether the media back end has been started.
    bool BackendStarted() const { return started_; }

private:
    struct Device;
    int Open(const MciParsedCommand& command);
    int Play(Device& device, bool fromStart);
    Device* Find(const QString& alias);
    bool WaitForLoad(Device& device);

    std::chrono::milliseconds loadBound_;
    std::map<QString, std::unique_ptr<Device>> open_; // by alias in lower case
    bool started_ = false;
    bool busy_ = false;
};

} // namespace plimset
