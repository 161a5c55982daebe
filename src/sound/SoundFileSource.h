#pragma once

#include "sound/SoundBackend.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace plimset {

// A sound file open for reading; its calls may block for good on a hung network mount.
class SampleReader {
public:
    virtual ~SampleReader() = default;
    // The format of the samples Read gives.
    virtual PcmFormat Format() const = 0;
    // The next samples, at most `maxBytes` of them: empty at the end of the file, nothing
    // when the file cannot be read further.
    virtual std::optional<QByteArray> Read(qint64 maxBytes) = 0;
};

// Opens a sound file for reading; nothing when it is not a regular file or not a sound
// file the reader knows.
using SampleReaderOpener = std::function<std::unique_ptr<SampleReader>(const QString& path)>;

// Opens a file through the sound file library (wav, aiff, au, flac, ogg vorbis, opus, mp3):
// 16-bit samples at the file's own rate, one or two channels (more are mixed into one).
std::unique_ptr<SampleReader> OpenSoundFile(const QString& path);

// The decoding threads of the process. A source whose file has been closed leaves its
// thread to end by itself, which it does at once unless it is stuck in the file system;
// while such a thread is alive its path gets no new one, so a hung mount holds at most one
// thread per path. The number of threads alive at once is bounded too.
class DecoderThreads {
public:
    explicit DecoderThreads(int maxAlive = 16);

    enum class Claim {
        Granted, // a thread may be made for the path
        Wait,    // a thread left behind for the path is still alive: ask again later
        Refused, // too many threads are alive
    };
    // On Wait, `whenFree` runs (on the thread that ends) once the path is free, unless
    // `waiter` is gone by then.
    Claim ClaimFor(const QString& path, std::weak_ptr<void> waiter = {},
                   std::function<void()> whenFree = {});
    // The thread claimed could not be made.
    void Unclaim();
    // The source of a thread for `path` is gone: the thread ends once it can.
    void LeaveBehind(const QString& path);
    // What a thread left behind for `path` calls as it ends; safe to call after this
    // object is gone.
    std::function<void()> EndNotice(const QString& path);
    int Alive() const;

    static DecoderThreads& Shared();

private:
    struct State;
    std::shared_ptr<State> state_;
};

// A file decoded on a thread of its own, a few chunks ahead of the sound layer's thread:
// the file's open and reads never hold that thread up. Chunks and the end reach the
// sound layer's thread through `toOwner`; while no samples are wanted the decoding thread
// waits. Its events come on the owner's thread; none comes once the source is destroyed,
// which never waits for the decoding thread. While a thread left behind for the same path
// is alive, the source waits for it to end before it makes its own.
class SoundFileSource final : public DecodedSource {
public:
    using Poster = std::function<void(std::function<void()>)>;

    SoundFileSource(QString path, Events events, Poster toOwner,
                    SampleReaderOpener open = OpenSoundFile,
                    DecoderThreads& threads = DecoderThreads::Shared());
    ~SoundFileSource() override;
    SoundFileSource(const SoundFileSource&) = delete;
    SoundFileSource& operator=(const SoundFileSource&) = delete;

    void Start() override;
    void SetWanted(bool wanted) override;

    // The chunks handed to the owner that it has not taken yet, at most.
    static constexpr int MaxChunksInFlight = 2;
    // Each chunk holds about this many milliseconds of samples.
    static constexpr int ChunkMs = 250;

    struct Shared;

private:
    // Makes the decoding thread unless there is one; may have to wait for the path.
    void StartThread();

    QString path_;
    SampleReaderOpener open_;
    DecoderThreads& threads_;
    std::shared_ptr<Shared> shared_;
    bool threadMade_ = false;
    bool refused_ = false; // no thread could be had
    bool waiting_ = false; // for the path's last thread to end
};

} // namespace plimset
