#pragma once

#include "sound/SampleQueue.h"
#include "sound/SoundBackend.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>
#include <vector>

namespace plimset {

// A sound back end without files or an audio server. A file's check answers at once
// unless its path is in `hanging` (then the answer waits in heldChecks); a file decodes to
// `bytesOf` bytes in `format` (1 s by default, nothing for a path in `undecodable`),
// handed out in chunks of a quarter second while wanted. Streams play only when the test
// says so.
class FakeSoundBackend : public SoundBackend {
public:
    class Source : public DecodedSource {
    public:
        Source(FakeSoundBackend& backend, qint64 total, Events events)
            : backend_(backend), total_(total), events_(std::move(events)) {}
        void Start() override {
            ++backend_.decoderStarts;
            left_ = total_;
            wanted_ = true;
            started_ = true;
            ended_ = false;
            Pump();
        }
        void SetWanted(bool wanted) override {
            wanted_ = wanted;
            Pump();
        }

    private:
        void Pump() {
            while (backend_.decodes && wanted_ && left_ > 0) {
                const qint64 n = std::min(left_, backend_.format.BytesPerSecond() / 4);
                left_ -= n;
                events_.data(QByteArray(static_cast<int>(n), '\x01'), backend_.format);
            }
            if (started_ && backend_.decodes && left_ == 0 && !ended_) {
                ended_ = true;
                events_.ended();
            }
        }
        FakeSoundBackend& backend_;
        qint64 total_;
        qint64 left_ = 0;
        bool wanted_ = true;
        bool started_ = false;
        bool ended_ = false;
        Events events_;
    };

    class Stream : public AudioStream {
    public:
        Stream(FakeSoundBackend& backend, PcmFormat format, std::shared_ptr<SampleQueue> queue,
               Events events)
            : format(format), queue(std::move(queue)), events(std::move(events)),
              backend_(backend) {
            backend_.streams.push_back(this);
        }
        ~Stream() override { std::erase(backend_.streams, this); }
        void SetPaused(bool p) override { paused = p; }
        // The server takes up to `bytes`, silence where the decoder is behind; the end is
        // reported once the queue is drained.
        qint64 Play(qint64 bytes) {
            QByteArray sink(static_cast<int>(bytes), '\0');
            const qint64 n = queue->Read(sink.data(), bytes);
            played += n;
            if (n < bytes && !queue->Drained()) {
                queue->NoteSilencePlayed(bytes - n);
            }
            if (queue->Drained()) {
                const auto ended = events.ended; // the stream is gone once it has run
                ended();
            }
            return n;
        }
        PcmFormat format;
        std::shared_ptr<SampleQueue> queue;
        Events events;
        bool paused = false;
        qint64 played = 0;

    private:
        FakeSoundBackend& backend_;
    };

    bool CheckReadable(const QString& path, std::function<void(bool)> done) override {
        if (hanging.contains(path)) {
            heldChecks.push_back({path, std::move(done)});
            return true;
        }
        done(!unreadable.contains(path));
        return true;
    }
    std::unique_ptr<DecodedSource> OpenSource(const QString& path,
                                              DecodedSource::Events events) override {
        const qint64 total =
            undecodable.contains(path) ? 0 : bytesOf.value(path, format.BytesPerSecond());
        return std::make_unique<Source>(*this, total, std::move(events));
    }
    std::unique_ptr<AudioStream> StartStream(PcmFormat format, std::shared_ptr<SampleQueue> queue,
                                             AudioStream::Events events) override {
        if (!serverUp) {
            return nullptr;
        }
        return std::make_unique<Stream>(*this, format, std::move(queue), std::move(events));
    }
    void ServerTrouble() override { ++troubles; }

    // Answers the checks held for hanging paths.
    void ReleaseChecks(bool readable) {
        auto held = std::move(heldChecks);
        heldChecks.clear();
        for (auto& [path, done] : held) {
            done(readable);
        }
    }
    Stream* LastStream() { return streams.empty() ? nullptr : streams.back(); }

    QSet<QString> hanging;
    QSet<QString> unreadable;
    QSet<QString> undecodable;
    QHash<QString, qint64> bytesOf;
    PcmFormat format{44100, 2}; // of every file's samples
    bool decodes = true;        // false: decoders hand out nothing until set again
    bool serverUp = true;
    std::vector<std::pair<QString, std::function<void(bool)>>> heldChecks;
    std::vector<Stream*> streams;
    int decoderStarts = 0;
    int troubles = 0;
};

} // namespace plimset
