#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace plimset {

class SampleQueue;

// Signed 16-bit samples at a rate, interleaved over the channels.
struct PcmFormat {
    int sampleRate = 44100;
    int channels = 2;
    qint64 BytesPerSecond() const { return qint64(sampleRate) * channels * 2; }
};

// A file being decoded. Its events come on the sound layer's thread.
class DecodedSource {
public:
    struct Events {
        // The next samples, in the file's format (the same for the whole file).
        std::function<void(const QByteArray&, PcmFormat)> data;
        std::function<void()> ended;  // the whole file is decoded
        std::function<void()> failed; // nothing (more) can be decoded
    };
    virtual ~DecodedSource() = default;
    // Decodes from the beginning (again), samples wanted.
    virtual void Start() = 0;
    // Whether samples are wanted now; while not, decoding waits.
    virtual void SetWanted(bool wanted) = 0;
};

// A stream of samples to the audio server that reads from a queue until it is drained.
// Its events come on the sound layer's thread.
class AudioStream {
public:
    struct Events {
        std::function<void()> ended;  // everything the queue held has been played
        std::function<void()> failed; // the audio server refused or lost the stream
    };
    // Ends the stream at once, without waiting on the audio server.
    virtual ~AudioStream() = default;
    virtual void SetPaused(bool paused) = 0;
};

// What the sound layer's thread plays with. Nothing here may wait on the outside world:
// file checks, decoding and the audio server answer through events.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Whether the file can be read; `done` comes on the sound layer's thread. False when
    // the check cannot start (the same path is still being checked).
    virtual bool CheckReadable(const QString& path, std::function<void(bool)> done) = 0;
    virtual std::unique_ptr<DecodedSource> OpenSource(const QString& path,
                                                      DecodedSource::Events events) = 0;
    // Nothing when no stream can be made now.
    virtual std::unique_ptr<AudioStream> StartStream(PcmFormat format,
                                                     std::shared_ptr<SampleQueue> queue,
                                                     AudioStream::Events events) = 0;
    // A stream made no progress: the connection to the audio server is dropped and made
    // again for the next stream.
    virtual void ServerTrouble() = 0;
    // Gets ready for the first play: connects to the audio server.
    virtual void Prepare() {}
};

} // namespace plimset
