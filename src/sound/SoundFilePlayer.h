#pragma once

#include "sound/SoundPlayer.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace plimset {

class SoundDevices;
class SoundWorker;
enum class SoundMode;
struct SoundReport;

// Whether a file is at the path. The file system's answer is awaited a tenth of a second
// at most; a path whose earlier check has not come back counts as no file.
bool FileExistsWithin(const QString& path);

// The sound file played on the sound layer's thread (SoundWorker): checking and decoding
// the file while it plays, a few seconds ahead, and the streams to the audio server. Here
// the calls are only handed over and answered at once from what that thread last
// reported, so neither a file system nor an audio server that hangs can hold up the
// caller.
//
// Open waits at most openBound for the file's first sound, with the events of the windows
// processed meanwhile (but no user input); the calls that arrive then find no file open and
// do nothing, and an Open among them is refused. An open that has not come back by then is
// answered as opened and plays once it has loaded (or reports Stopped if it fails). While a
// path's open has not come back, the path is not tried again: opening it fails at once.
class SoundFilePlayer final : public SoundPlayer {
public:
    // `worker` is the sound layer's thread, by default the program's shared one;
    // `fileExists` answers whether a file is at a path, by default FileExistsWithin.
    explicit SoundFilePlayer(std::chrono::milliseconds openBound = std::chrono::milliseconds(1500),
                             std::shared_ptr<SoundWorker> worker = {},
                             std::function<bool(const QString&)> fileExists = {});
    ~SoundFilePlayer() override;
    SoundFilePlayer(const SoundFilePlayer&) = delete;
    SoundFilePlayer& operator=(const SoundFilePlayer&) = delete;

    SoundOpenResult Open(const QString& path) override;
    void PlayFromStart() override;
    void Pause() override;
    void Resume() override;
    void Stop() override;
    void Close() override;
    SoundState State() const override;

    // Whether the sound layer's thread has been started.
    bool ThreadStarted() const;

private:
    struct OpenFile {
        int id = 0;
        SoundMode requested;
        quint64 command = 0; // the number of the last command sent for it
        bool atStart = true; // not played since it was opened
    };
    SoundMode Mode() const;
    void Send(SoundMode requested, std::function<void(SoundDevices&, int, quint64)> task);
    std::optional<SoundReport> WaitForOpen(int id);

    std::chrono::milliseconds openBound_;
    std::shared_ptr<SoundWorker> worker_;
    std::function<bool(const QString&)> fileExists_;
    std::optional<OpenFile> file_;
    int nextId_ = 1;
    bool opening_ = false;
};

} // namespace plimset
