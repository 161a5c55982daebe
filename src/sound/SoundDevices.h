#pragma once

#include "sound/SoundBackend.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

namespace plimset {

class SampleQueue;

enum class SoundMode { Stopped, Playing, Paused };

// Whether the sound layer's thread has a back end that plays: unknown until it has tried to
// load one.
enum class SoundOutput { Unknown, Loaded, Missing };

// What the sound layer's thread last reported of one open file. `command` is the number
// of the last command it had carried out for that file when it reported.
struct SoundReport {
    enum class Phase { Opening, Open, Failed };
    Phase phase = Phase::Opening;
    SoundMode mode = SoundMode::Stopped;
    quint64 command = 0;
};

// The reports of the sound layer's thread, read by the interface thread without waiting on
// it: one per open file, and the paths whose open has not returned yet.
class SoundReports {
public:
    void Report(int id, SoundReport report);
    std::optional<SoundReport> Get(int id) const;
    void Forget(int id);
    // Waits at most `bound` while the file is being opened; its report then.
    std::optional<SoundReport> WaitWhileOpening(int id, std::chrono::milliseconds bound);
    // Marks an open of the path as begun; false while an earlier one has not returned.
    bool BeginOpen(const QString& path);
    void OpenReturned(const QString& path);
    void SetOutput(SoundOutput output) { output_ = output; }
    SoundOutput Output() const { return output_; }

private:
    std::atomic<SoundOutput> output_{SoundOutput::Unknown};
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<int, SoundReport> reports_;
    std::set<QString> opening_;
};

// The sound layer's state machine, on the sound layer's thread: the open files and the
// beep, their decoders, queues and streams. Commands come from the interface thread with a
// number each; every change of a file's mode is reported with the number of the last
// command. A play that makes no progress for stallLimit (the audio server hangs or is
// gone) counts as ended, and the connection to the server is made anew for the next.
class SoundDevices {
public:
    // The id the beep plays under; files have ids from 1.
    static constexpr int BeepId = 0;

    SoundDevices(SoundBackend& backend, SoundReports& reports, qint64 queueSeconds = 3,
                 std::chrono::milliseconds stallLimit = std::chrono::milliseconds(3000));
    ~SoundDevices();

    void Open(int id, const QString& path);
    void Play(int id, quint64 command, bool fromStart);
    void Pause(int id, quint64 command);
    void Resume(int id, quint64 command);
    void Stop(int id, quint64 command);
    void Close(int id);
    // Plays the samples (mono, at `sampleRate`) at once, cutting off a beep still sounding.
    void Beep(const QByteArray& samples, int sampleRate);

    // Readies the back end for the first play.
    void Prepare() { backend_.Prepare(); }

    // Called regularly while Active(): tops up the queues and watches the plays' progress.
    void Tick(std::chrono::milliseconds now);
    bool Active() const;

    // For tests: the bytes held for a file's samples, or -1 when it is not open.
    qint64 HeldBytes(int id) const;

private:
    struct Device;
    Device* Find(int id);
    // The open device a command is for, its number noted as the latest command's.
    Device* FindForCommand(int id, quint64 command);
    void FileChecked(int id, bool readable);
    void SourceData(int id, int pass, const QByteArray& samples, PcmFormat format);
    void SourceEnded(int id, int pass, bool failed);
    void StreamEnded(int id, int stream, bool failed);
    void StartPlay(Device& device, bool fromStart);
    void RestartSource(Device& device);
    void DropStream(Device& device);
    void Fail(Device& device);
    void Publish(const Device& device);
    void OpenDone(Device& device);

    SoundBackend& backend_;
    SoundReports& reports_;
    const qint64 queueSeconds_;
    const std::chrono::milliseconds stallLimit_;
    std::chrono::milliseconds now_{0};
    std::map<int, std::unique_ptr<Device>> devices_;
    std::vector<std::unique_ptr<DecodedSource>> retired_;
};

} // namespace plimset
