#include "alerts/MediaSoundBackend.h"

#include "alerts/PathProbe.h"
#include "alerts/PulseOutput.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QFileInfo>
#include <QUrl>

#include <mutex>

namespace plimset {

struct MediaSoundBackend::Relay {
    std::mutex mutex;
    QObject* receiver = nullptr;

    void Post(std::function<void()> task) {
        const std::lock_guard lock(mutex);
        if (receiver != nullptr) {
            QMetaObject::invokeMethod(receiver, std::move(task), Qt::QueuedConnection);
        }
    }
};

namespace {

// A file decoded with Qt Multimedia's decoder into two channels of 16-bit samples at
// 44.1 kHz: a format every audio server takes. While no samples are wanted they are left
// in the decoder, whose pipeline then waits.
class DecoderSource final : public QObject, public DecodedSource {
public:
    DecoderSource(const QString& path, Events events)
        : url_(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())),
          events_(std::move(events)) {
        QAudioFormat format;
        format.setSampleRate(44100);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        decoder_.setAudioFormat(format);
        connect(&decoder_, &QAudioDecoder::bufferReady, this, &DecoderSource::Pump);
        connect(&decoder_, &QAudioDecoder::finished, this, [this] {
            finished_ = true;
            Pump();
        });
        connect(&decoder_, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this, [this] {
            if (!done_) {
                done_ = true;
                events_.failed();
            }
        });
    }
    ~DecoderSource() override {
        decoder_.disconnect(this);
        decoder_.stop();
    }

    void Start() override {
        decoder_.stop();
        wanted_ = true;
        finished_ = false;
        done_ = false;
        format_ = QAudioFormat();
        decoder_.setSource(url_);
        decoder_.start();
    }

    void SetWanted(bool wanted) override {
        wanted_ = wanted;
        if (wanted_) {
            Pump();
        }
    }

private:
    void Pump() {
        while (wanted_ && !done_ && decoder_.bufferAvailable()) {
            const QAudioBuffer chunk = decoder_.read();
            if (!chunk.isValid()) {
                continue;
            }
            if (!format_.isValid()) {
                format_ = chunk.format();
            }
            if (chunk.format() != format_ || format_ != decoder_.audioFormat()) {
                // A stream that changes its format midway ends there.
                finished_ = true;
                decoder_.stop();
                break;
            }
            events_.data(QByteArray(chunk.constData<char>(), chunk.byteCount()));
        }
        if (finished_ && !done_ && !decoder_.bufferAvailable()) {
            done_ = true;
            events_.ended();
        }
    }

    QAudioDecoder decoder_;
    QUrl url_;
    Events events_;
    QAudioFormat format_;
    bool wanted_ = true;
    bool finished_ = false;
    bool done_ = false;
};

} // namespace

MediaSoundBackend::MediaSoundBackend() : relay_(std::make_shared<Relay>()) {
    relay_->receiver = this;
    pulse_ = std::make_unique<PulseConnection>(
        [relay = relay_](std::function<void()> task) { relay->Post(std::move(task)); });
}

MediaSoundBackend::~MediaSoundBackend() {
    pulse_.reset();
    const std::lock_guard lock(relay_->mutex);
    relay_->receiver = nullptr;
}

bool MediaSoundBackend::CheckReadable(const QString& path, std::function<void(bool)> done) {
    return PathProbe::Shared().Ask(PathQuestion::Readable, path,
                                   [relay = relay_, done = std::move(done)](bool readable) {
                                       relay->Post([done, readable] { done(readable); });
                                   });
}

std::unique_ptr<DecodedSource> MediaSoundBackend::OpenSource(const QString& path,
                                                             DecodedSource::Events events) {
    return std::make_unique<DecoderSource>(path, std::move(events));
}

PcmFormat MediaSoundBackend::SourceFormat() const {
    return PcmFormat{44100, 2};
}

std::unique_ptr<AudioStream> MediaSoundBackend::StartStream(PcmFormat format,
                                                            std::shared_ptr<SampleQueue> queue,
                                                            AudioStream::Events events) {
    return pulse_->StartStream(format, std::move(queue), std::move(events));
}

void MediaSoundBackend::Prepare() {
    // Only the connection: starting the decoders would cost a beep-only alert their
    // memory, and a file's open waits for them without holding up the windows.
    pulse_->Prepare();
}

void MediaSoundBackend::ServerTrouble() {
    pulse_->Reset();
}

} // namespace plimset
