#pragma once

#include "sound/SampleQueue.h"
#include "sound/SoundBackend.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>
#include <vector>

namespace plimset {

// The file the sound tests open.
inline const QString ring = QStringLiteral("/sounds/ring.oga");

// A sound back end without files or an audio server. A file's check answers at once
// unless its path is in `hanging` (then the answer is held until the back end goes); a file decodes
// to `bytesOf` bytes in `format` (1 s by default, nothing for a path in `undecodable`),
// handed out in chunks of a quarter second while wanted. Streams play only when the test
// says so.
class FakeSoundBackend : public SoundBackend {
public:
    struct Source : DecodedSource {
        Source(FakeSoundBackend& b, qint64 total, Events e) : b(b), total(total), e(std::move(e)) {}
        void Start() override {
            ++b.decoderStarts;
            left = total;
            started = wanted = true;
            ended = false;
            Pump();
        }
        void SetWanted(bool w) override {
            wanted = w;
            Pump();
        }
        void Pump() {
            for (qint64 n; b.decodes && wanted && left > 0; left -= n) {
                n = std::min(left, b.format.BytesPerSecond() / 4);
                e.data(QByteArray(static_cast<int>(n), '\x01'), b.format);
            }
            if (started && b.decodes && left == 0 && !std::exchange(ended, true))
                e.ended();
        }
        FakeSoundBackend& b;
        qint64 total, left = 0;
        bool wanted = true, started = false, ended = false;
        Events e;
    };

    struct Stream : AudioStream {
        Stream(FakeSoundBackend& b, PcmFormat f, std::shared_ptr<SampleQueue> q, Events e)
            : format(f), queue(std::move(q)), events(std::move(e)), b(b) {
            b.streams.push_back(this);
        }
        ~Stream() override { std::erase(b.streams, this); }
        void SetPaused(bool p) override { paused = p; }
        bool Is(int r, int c) const { return format.sampleRate == r && format.channels == c; }
        // The server takes up to `bytes`, silence where the decoder is behind; the end is
        // reported once the queue is drained.
        qint64 Play(qint64 bytes) {
            QByteArray sink(static_cast<int>(bytes), '\0');
            const qint64 n = queue->Read(sink.data(), bytes);
            if (n < bytes && !queue->Drained())
                queue->NoteSilencePlayed(bytes - n);
            if (queue->Drained())
                std::function<void()>(events.ended)(); // the stream is gone once it has run
            return n;
        }
        PcmFormat format;
        std::shared_ptr<SampleQueue> queue;
        Events events;
        bool paused = false;
        FakeSoundBackend& b;
    };

    bool CheckReadable(const QString& path, std::function<void(bool)> done) override {
        if (hanging.contains(path))
            heldChecks.push_back(std::move(done));
        else
            done(!unreadable.contains(path));
        return true;
    }
    std::unique_ptr<DecodedSource> OpenSource(const QString& path,
                                              DecodedSource::Events events) override {
        const qint64 total =
            undecodable.contains(path) ? 0 : bytesOf.value(path, format.BytesPerSecond());
        return std::make_unique<Source>(*this, total, std::move(events));
    }
    std::unique_ptr<AudioStream> StartStream(PcmFormat f, std::shared_ptr<SampleQueue> queue,
                                             AudioStream::Events events) override {
        return serverUp ? std::make_unique<Stream>(*this, f, std::move(queue), std::move(events))
                        : nullptr;
    }
    void ServerTrouble() override { ++troubles; }

    Stream* LastStream() { return streams.empty() ? nullptr : streams.back(); }

    QSet<QString> hanging, unreadable, undecodable;
    QHash<QString, qint64> bytesOf;
    PcmFormat format{44100, 2}; // of every file's samples
    bool decodes = true;        // false: decoders hand out nothing until set again
    bool serverUp = true;
    std::vector<std::function<void(bool)>> heldChecks;
    std::vector<Stream*> streams;
    int decoderStarts = 0, troubles = 0;
};

} // namespace plimset
