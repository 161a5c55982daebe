#pragma once

#include "sound/MciPlayer.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <map>
#include <memory>
#include <optional>

namespace plimset {

struct MciParsedCommand;
class SoundWorker;
enum class SoundMode;
struct SoundReport;

// The file extensions the sound back end plays when a file is opened without a device
// type (lower case, without the dot); the Options dialog's file filter lists them too.
QStringList PlayableExtensions();

// Carries out the sound layer's command strings (MciCommandParser.h lists them). A string
// that is not exactly one of the forms is refused as a whole and nothing of it is done.
// Replies: "status ... mode" answers "playing", "paused" or "stopped"; "sysinfo" lists the
// one device type, "mpegvideo", which plays any file the decoders know (a plain "open"
// takes only the extensions above).
//
// The work is done on the sound layer's thread (SoundWorker): checking and decoding the
// file while it plays, a few seconds ahead, and the streams to the audio server. Here the
// commands are only handed over and answered at once from what that thread last
// reported, so neither a file system nor an audio server that hangs can hold up the
// caller. "open ... wait" waits at most openBound for the file's first sound, with the
// events of the windows processed meanwhile (but no user input), as a command that
// arrives then is refused as busy; an open that has not come back by then is answered as
// opened and plays once it has loaded (or reports "stopped" if it fails). While a path's
// open has not come back, the path is not tried again: opening it fails at once.
class MciInterpreter : public QObject, public CommandInterpreter {
    Q_OBJECT
public:
    // Error codes besides 0.
    enum Error : int {
        Malformed = 1,     // not one of the command forms
        AliasNotOpen = 2,  // no device open under the alias
        AliasInUse = 3,    // "open" with an alias already open
        CannotOpen = 4,    // the file is missing, unreadable, no media, or still hanging
        UnknownDevice = 5, // a device type or extension the back end does not have
        Busy = 6,          // an "open ... wait" has not finished
        NoSuchDevice = 7,  // "sysinfo all name" past the last device
        NoOutput = 8,      // "open": no sound can be played at all (no sound back end)
    };

    // `worker` is the sound layer's thread; by default the program's shared one.
    explicit MciInterpreter(std::chrono::milliseconds openBound = std::chrono::milliseconds(1500),
                            std::shared_ptr<SoundWorker> worker = {}, QObject* parent = nullptr);
    ~MciInterpreter() override;

    int SendCommand(const QString& command, QString* reply) override;

    // Whether the sound layer's thread has been started.
    bool BackendStarted() const;

private:
    struct Device {
        int id = 0;
        SoundMode requested;
        quint64 command = 0; // the number of the last command sent for it
    };
    int Open(const MciParsedCommand& command);
    Device* Find(const QString& alias);
    SoundMode Mode(const Device& device) const;
    std::optional<SoundReport> WaitForOpen(int id);

    std::chrono::milliseconds openBound_;
    std::shared_ptr<SoundWorker> worker_;
    std::map<QString, Device> open_; // by alias in lower case
    int nextId_ = 1;
    bool busy_ = false;
};

} // namespace plimset
