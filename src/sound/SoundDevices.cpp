#include "sound/SoundDevices.h"

#include "sound/SampleQueue.h"

#include <utility>

namespace plimset {

void SoundReports::Report(int id, SoundReport report) {
    {
        const std::lock_guard lock(mutex_);
        reports_[id] = report;
    }
    changed_.notify_all();
}

std::optional<SoundReport> SoundReports::Get(int id) const {
    const std::lock_guard lock(mutex_);
    const auto it = reports_.find(id);
    return it != reports_.end() ? std::optional(it->second) : std::nullopt;
}

void SoundReports::Forget(int id) {
    const std::lock_guard lock(mutex_);
    reports_.erase(id);
}

std::optional<SoundReport> SoundReports::WaitWhileOpening(int id, std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, bound, [&] {
        const auto it = reports_.find(id);
        return it == reports_.end() || it->second.phase != SoundReport::Phase::Opening;
    });
    const auto it = reports_.find(id);
    return it != reports_.end() ? std::optional(it->second) : std::nullopt;
}

bool SoundReports::BeginOpen(const QString& path) {
    const std::lock_guard lock(mutex_);
    return opening_.insert(path).second;
}

void SoundReports::OpenReturned(const QString& path) {
    const std::lock_guard lock(mutex_);
    opening_.erase(path);
}

struct SoundDevices::Device {
    enum class Phase { Checking, Loading, Ready, Failed };
    int id = 0;
    QString path;
    Phase phase = Phase::Checking;
    bool closed = false; // closed while its file was still being checked
    SoundMode mode = SoundMode::Stopped;
    quint64 command = 0;
    bool playWhenReady = false;
    PcmFormat format;
    std::shared_ptr<SampleQueue> queue;
    std::unique_ptr<DecodedSource> source;
    int pass = 0; // the decoder's pass over the file; events of an earlier one are stale
    std::unique_ptr<AudioStream> stream;
    int streamNumber = 0;
    qint64 lastPlayed = 0;
    std::chrono::milliseconds lastProgress{0};
};

SoundDevices::SoundDevices(SoundBackend& backend, SoundReports& reports, qint64 queueSeconds,
                           std::chrono::milliseconds stallLimit)
    : backend_(backend), reports_(reports), queueSeconds_(queueSeconds), stallLimit_(stallLimit) {}

SoundDevices::~SoundDevices() {
    for (auto& [id, device] : devices_) {
        if (device->phase == Device::Phase::Checking || device->phase == Device::Phase::Loading) {
            reports_.OpenReturned(device->path);
        }
    }
}

SoundDevices::Device* SoundDevices::Find(int id) {
    const auto it = devices_.find(id);
    return it != devices_.end() && !it->second->closed ? it->second.get() : nullptr;
}

SoundDevices::Device* SoundDevices::FindForCommand(int id, quint64 command) {
    Device* device = Find(id);
    if (device != nullptr) {
        device->command = command;
    }
    return device;
}

void SoundDevices::Publish(const Device& device) {
    if (device.id == BeepId) {
        return;
    }
    SoundReport report;
    report.phase = device.phase == Device::Phase::Failed  ? SoundReport::Phase::Failed
                   : device.phase == Device::Phase::Ready ? SoundReport::Phase::Open
                                                          : SoundReport::Phase::Opening;
    report.mode = device.mode;
    report.command = device.command;
    reports_.Report(device.id, report);
}

void SoundDevices::OpenDone(Device& device) {
    reports_.OpenReturned(device.path);
}

void SoundDevices::Open(int id, const QString& path) {
    auto device = std::make_unique<Device>();
    device->id = id;
    device->path = path;
    // Sized for the file's format once its first samples tell it.
    device->queue = std::make_shared<SampleQueue>(queueSeconds_ * device->format.BytesPerSecond());
    Device& added = *device;
    devices_[id] = std::move(device);
    Publish(added);
    if (!backend_.CheckReadable(path, [this, id](bool readable) { FileChecked(id, readable); })) {
        Fail(added);
    }
}

void SoundDevices::FileChecked(int id, bool readable) {
    const auto it = devices_.find(id);
    if (it == devices_.end() || it->second->phase != Device::Phase::Checking) {
        return;
    }
    Device& device = *it->second;
    if (device.closed) {
        OpenDone(device);
        devices_.erase(it);
        return;
    }
    if (!readable) {
        Fail(device);
        return;
    }
    device.phase = Device::Phase::Loading;
    RestartSource(device);
}

void SoundDevices::RestartSource(Device& device) {
    const int id = device.id;
    ++device.pass;
    device.queue->Clear();
    if (!device.source) {
        DecodedSource::Events events;
        // The pass is read when the event comes: a source restarted since is a new pass.
        events.data = [this, id](const QByteArray& samples, PcmFormat format) {
            if (Device* d = Find(id)) {
                SourceData(id, d->pass, samples, format);
            }
        };
        events.ended = [this, id] {
            if (Device* d = Find(id)) {
                SourceEnded(id, d->pass, false);
            }
        };
        events.failed = [this, id] {
            if (Device* d = Find(id)) {
                SourceEnded(id, d->pass, true);
            }
        };
        device.source = backend_.OpenSource(device.path, std::move(events));
        if (!device.source) {
            Fail(device);
            return;
        }
    }
    // May fail at once and retire the source.
    device.source->Start();
}

void SoundDevices::SourceData(int id, int pass, const QByteArray& samples, PcmFormat format) {
    Device* device = Find(id);
    if (device == nullptr || pass != device->pass || samples.isEmpty() || !device->source) {
        return;
    }
    if (device->phase == Device::Phase::Loading) {
        // No stream reads the queue yet: it is made for the file's format.
        device->format = format;
        device->queue =
            std::make_shared<SampleQueue>(queueSeconds_ * device->format.BytesPerSecond());
    } else if (format.sampleRate != device->format.sampleRate ||
               format.channels != device->format.channels) {
        // The file was changed on disk since its first pass: the stream plays what it has.
        SourceEnded(id, pass, true);
        device->source->SetWanted(false);
        return;
    }
    device->queue->Append(samples);
    if (!device->queue->WantsMore()) {
        device->source->SetWanted(false);
    }
    if (device->phase == Device::Phase::Loading) {
        device->phase = Device::Phase::Ready;
        OpenDone(*device);
        Publish(*device);
        if (device->playWhenReady) {
            // The queue is at the file's start already.
            device->playWhenReady = false;
            device->mode = SoundMode::Stopped;
            StartPlay(*device, false);
        }
    }
}

void SoundDevices::SourceEnded(int id, int pass, bool failed) {
    Device* device = Find(id);
    if (device == nullptr || pass != device->pass) {
        return;
    }
    device->queue->MarkEnded();
    // A failure after the first samples ends the file early; before them, nothing was
    // decoded: not a sound file, or not one the decoders know.
    if (device->phase == Device::Phase::Loading && (failed || device->queue->Drained())) {
        Fail(*device);
    }
}

void SoundDevices::Fail(Device& device) {
    OpenDone(device);
    device.phase = Device::Phase::Failed;
    device.mode = SoundMode::Stopped;
    device.playWhenReady = false;
    // The source may be the one reporting this failure: destroyed after its event.
    retired_.push_back(std::move(device.source));
    DropStream(device);
    device.queue->Clear();
    Publish(device);
}

void SoundDevices::DropStream(Device& device) {
    device.stream.reset();
    ++device.streamNumber;
}

void SoundDevices::StartPlay(Device& device, bool fromStart) {
    if (device.mode == SoundMode::Paused && !fromStart && device.stream) {
        device.stream->SetPaused(false);
        device.mode = SoundMode::Playing;
        device.lastProgress = now_;
        Publish(device);
        return;
    }
    if (device.mode == SoundMode::Playing && !fromStart) {
        Publish(device);
        return;
    }
    DropStream(device);
    if (fromStart && !device.queue->Rewind()) {
        RestartSource(device);
        if (device.phase == Device::Phase::Failed) {
            return;
        }
    }
    if (device.queue->Drained()) {
        // Played to its end already: nothing is left to play.
        device.mode = SoundMode::Stopped;
        Publish(device);
        return;
    }
    const int id = device.id;
    const int number = device.streamNumber;
    AudioStream::Events events;
    events.ended = [this, id, number] { StreamEnded(id, number, false); };
    events.failed = [this, id, number] { StreamEnded(id, number, true); };
    device.stream = backend_.StartStream(device.format, device.queue, std::move(events));
    device.mode = device.stream ? SoundMode::Playing : SoundMode::Stopped;
    device.lastPlayed = device.queue->Played();
    device.lastProgress = now_;
    Publish(device);
}

void SoundDevices::StreamEnded(int id, int stream, bool failed) {
    Device* device = Find(id);
    if (device == nullptr || stream != device->streamNumber) {
        return;
    }
    DropStream(*device);
    device->mode = SoundMode::Stopped;
    Publish(*device);
    if (failed) {
        backend_.ServerTrouble();
    }
}

void SoundDevices::Play(int id, quint64 command, bool fromStart) {
    Device* device = FindForCommand(id, command);
    if (device == nullptr) {
        return;
    }
    switch (device->phase) {
    case Device::Phase::Checking:
    case Device::Phase::Loading:
        device->playWhenReady = true;
        device->mode = SoundMode::Playing;
        Publish(*device);
        break;
    case Device::Phase::Ready:
        StartPlay(*device, fromStart);
        break;
    case Device::Phase::Failed:
        Publish(*device);
        break;
    }
}

void SoundDevices::Pause(int id, quint64 command) {
    Device* device = FindForCommand(id, command);
    if (device == nullptr) {
        return;
    }
    if (device->mode == SoundMode::Playing) {
        if (device->stream) {
            device->stream->SetPaused(true);
        }
        device->playWhenReady = false;
        device->mode = SoundMode::Paused;
    }
    Publish(*device);
}

void SoundDevices::Resume(int id, quint64 command) {
    Device* device = FindForCommand(id, command);
    if (device == nullptr) {
        return;
    }
    if (device->mode != SoundMode::Paused) {
        Publish(*device);
        return;
    }
    if (device->phase == Device::Phase::Ready) {
        StartPlay(*device, false);
    } else {
        device->playWhenReady = device->phase != Device::Phase::Failed;
        device->mode = device->playWhenReady ? SoundMode::Playing : SoundMode::Stopped;
        Publish(*device);
    }
}

void SoundDevices::Stop(int id, quint64 command) {
    Device* device = FindForCommand(id, command);
    if (device == nullptr) {
        return;
    }
    device->playWhenReady = false;
    DropStream(*device);
    device->mode = SoundMode::Stopped;
    Publish(*device);
}

void SoundDevices::Close(int id) {
    const auto it = devices_.find(id);
    if (it == devices_.end()) {
        return;
    }
    reports_.Forget(id);
    Device& device = *it->second;
    if (device.phase == Device::Phase::Checking) {
        // The check may hang; the path stays busy until it returns.
        device.closed = true;
        DropStream(device);
        return;
    }
    if (device.phase == Device::Phase::Loading) {
        OpenDone(device);
    }
    devices_.erase(it);
}

void SoundDevices::Beep(const QByteArray& samples, int sampleRate) {
    auto& slot = devices_[BeepId];
    if (!slot) {
        slot = std::make_unique<Device>();
        slot->id = BeepId;
        slot->phase = Device::Phase::Ready;
    }
    Device& beep = *slot;
    DropStream(beep);
    beep.format = PcmFormat{sampleRate, 1};
    // A row of beeps is a second at most: held whole in a queue of its own.
    beep.queue = std::make_shared<SampleQueue>(samples.size() + 1);
    beep.queue->Append(samples);
    beep.queue->MarkEnded();
    beep.mode = SoundMode::Stopped;
    StartPlay(beep, false);
}

void SoundDevices::Tick(std::chrono::milliseconds now) {
    now_ = now;
    retired_.clear();
    for (auto& [id, device] : devices_) {
        if (device->closed) {
            continue;
        }
        if (device->source && device->queue->WantsMore()) {
            device->source->SetWanted(true);
        }
        if (device->mode != SoundMode::Playing || !device->stream) {
            continue;
        }
        // A server that takes nothing, not even silence, for the stall limit has hung.
        const qint64 played = device->queue->Played();
        if (played != device->lastPlayed) {
            device->lastPlayed = played;
            device->lastProgress = now;
        } else if (now - device->lastProgress > stallLimit_) {
            StreamEnded(device->id, device->streamNumber, true);
        }
    }
}

bool SoundDevices::Active() const {
    for (const auto& [id, device] : devices_) {
        if (!device->closed &&
            (device->mode == SoundMode::Playing || (device->source && !device->queue->Ended()))) {
            return true;
        }
    }
    return false;
}

qint64 SoundDevices::HeldBytes(int id) const {
    const auto it = devices_.find(id);
    return it != devices_.end() ? it->second->queue->Held() : -1;
}

} // namespace plimset
