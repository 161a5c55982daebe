#pragma once

#include "sound/SoundDevices.h"

#include <functional>
#include <memory>

class QThread;
class QObject;

namespace plimset {

class SoundBackend;

// The sound layer's thread: a QThread with its own event loop on which the back end (file
// checks, decoders, the audio server's streams) and the state machine live. The interface
// thread posts commands and reads the reports; it never waits on this thread beyond a
// bound it chooses. The thread starts at the first need.
class SoundWorker {
public:
    // Makes the back end on the thread; nothing when no sound can be played (every play
    // then fails and the reports say so).
    using BackendMaker = std::function<std::unique_ptr<SoundBackend>()>;

    explicit SoundWorker(BackendMaker makeBackend);
    // Ends the thread. A thread that does not end within a short time is stuck in the
    // audio library or the file system: the program then ends at once, without waiting
    // for it (the owner tears the sound layer down last, after the program's state is
    // saved).
    ~SoundWorker();
    SoundWorker(const SoundWorker&) = delete;
    SoundWorker& operator=(const SoundWorker&) = delete;

    // Starts the thread if it is not running; false when it cannot run.
    bool Start();
    bool Started() const { return started_; }
    // Runs `task` on the thread, in the order posted; nothing when the thread is not running.
    void Post(std::function<void(SoundDevices&)> task);
    SoundReports& Reports() { return reports_; }

    // The program's sound layer thread with the real back end (loaded from the sound
    // module on that thread), shared by the sound files and the beep; made at the first
    // call, ended when its last user goes.
    static std::shared_ptr<SoundWorker> Shared();

private:
    struct OnThread;
    BackendMaker makeBackend_;
    SoundReports reports_;
    std::unique_ptr<QThread> thread_;
    QObject* context_ = nullptr; // lives on the thread
    std::shared_ptr<OnThread> onThread_;
    bool started_ = false;
    bool failed_ = false;
};

} // namespace plimset
