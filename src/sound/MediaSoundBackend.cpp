#include "sound/MediaSoundBackend.h"

#include "sound/PathProbe.h"
#include "sound/PulseOutput.h"
#include "sound/SoundFileSource.h"

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
    return std::make_unique<SoundFileSource>(
        path, std::move(events),
        [relay = relay_](std::function<void()> task) { relay->Post(std::move(task)); });
}

std::unique_ptr<AudioStream> MediaSoundBackend::StartStream(PcmFormat format,
                                                            std::shared_ptr<SampleQueue> queue,
                                                            AudioStream::Events events) {
    return pulse_->StartStream(format, std::move(queue), std::move(events));
}

void MediaSoundBackend::Prepare() {
    // Only the connection: a file is opened when it is played.
    pulse_->Prepare();
}

void MediaSoundBackend::ServerTrouble() {
    pulse_->Reset();
}

} // namespace plimset
