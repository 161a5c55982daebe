#pragma once

#include "sound/SoundBackend.h"

#include <QObject>

#include <memory>

namespace plimset {

class PulseConnection;

// The real back end: file checks on the path probe's threads, each file decoded by the
// sound file library on a thread of its own (SoundFileSource), streams to the audio server
// through its client library. Made and used on the sound layer's thread.
class MediaSoundBackend final : public QObject, public SoundBackend {
    Q_OBJECT
public:
    MediaSoundBackend();
    ~MediaSoundBackend() override;

    bool CheckReadable(const QString& path, std::function<void(bool)> done) override;
    std::unique_ptr<DecodedSource> OpenSource(const QString& path,
                                              DecodedSource::Events events) override;
    std::unique_ptr<AudioStream> StartStream(PcmFormat format, std::shared_ptr<SampleQueue> queue,
                                             AudioStream::Events events) override;
    void ServerTrouble() override;
    void Prepare() override;

    // Runs `task` on this object's thread from any thread, unless the back end is gone.
    struct Relay;

private:
    std::shared_ptr<Relay> relay_;
    std::unique_ptr<PulseConnection> pulse_;
};

} // namespace plimset
