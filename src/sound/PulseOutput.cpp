#include "sound/PulseOutput.h"

#include "sound/SampleQueue.h"

#include <QCoreApplication>

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <cstring>

namespace plimset {

namespace {

// What a stream asks the server to hold. A stream that starts before the decoder has
// caught up begins with silence, as much as this, so a replay is heard that late.
constexpr pa_usec_t streamLatencyUs = 30 * 1000;
// What the corked stream asks for: short enough that a ring starts almost at once, long
// enough that an idle sink does not wake the server very often.
constexpr pa_usec_t standbyLatencyUs = 100 * 1000;
constexpr pa_usec_t underrunFillUs = 20 * 1000;

// Holds the client library's lock for a scope.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) {
        pa_threaded_mainloop_lock(loop_);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

// A short buffer on the server's side: what a stream writes is heard that soon.
pa_buffer_attr BufferAttributes(const pa_sample_spec& format, pa_usec_t latencyUs) {
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(latencyUs, &format));
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    return attr;
}

} // namespace

// One stream of samples; made, paused and ended on the sound layer's thread, fed on the
// client library's thread.
class PulseStream final : public AudioStream {
public:
    PulseStream(PulseConnection& connection, PcmFormat format, std::shared_ptr<SampleQueue> queue,
                Events events)
        : connection_(connection), format_(format), queue_(std::move(queue)),
          events_(std::move(events)) {}

    ~PulseStream() override {
        const LoopLock lock(connection_.loop_);
        auto& waiting = connection_.waiting_;
        waiting.erase(std::remove(waiting.begin(), waiting.end(), this), waiting.end());
        if (stream_ != nullptr) {
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            // A drain still pending would call back into this object after it is gone.
            if (drain_ != nullptr) {
                pa_operation_cancel(drain_);
                pa_operation_unref(drain_);
            }
            if (pa_stream_get_state(stream_) == PA_STREAM_READY ||
                pa_stream_get_state(stream_) == PA_STREAM_CREATING) {
                pa_stream_disconnect(stream_);
            }
            pa_stream_unref(stream_);
        }
    }

    void SetPaused(bool paused) override {
        const LoopLock lock(connection_.loop_);
        paused_ = paused;
        if (stream_ != nullptr && pa_stream_get_state(stream_) == PA_STREAM_READY) {
            if (pa_operation* op = pa_stream_cork(stream_, paused ? 1 : 0, nullptr, nullptr)) {
                pa_operation_unref(op);
            }
        }
    }

    // With the loop's lock held, once the connection is up.
    void Connect(pa_context* context) {
        pa_sample_spec sampleFormat{};
        sampleFormat.format = PA_SAMPLE_S16LE;
        sampleFormat.rate = static_cast<uint32_t>(format_.sampleRate);
        sampleFormat.channels = static_cast<uint8_t>(format_.channels);
        const QByteArray name = QCoreApplication::applicationName().toUtf8();
        stream_ = pa_stream_new(context, name.isEmpty() ? "sound" : name.constData(), &sampleFormat,
                                nullptr);
        if (stream_ == nullptr) {
            Fail();
            return;
        }
        pa_stream_set_state_callback(stream_, &PulseStream::StateChanged, this);
        pa_stream_set_write_callback(stream_, &PulseStream::Writable, this);
        pa_buffer_attr attr = BufferAttributes(sampleFormat, streamLatencyUs);
        const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY |
                                                          (paused_ ? PA_STREAM_START_CORKED : 0));
        if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) < 0) {
            Fail();
        }
    }

    void Fail() {
        if (!reported_) {
            reported_ = true;
            connection_.toOwner_(events_.failed);
        }
    }

private:
    static void StateChanged(pa_stream* stream, void* self) {
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
            static_cast<PulseStream*>(self)->Fail();
        }
    }

    static void Writable(pa_stream* stream, size_t bytes, void* self) {
        static_cast<PulseStream*>(self)->Feed(stream, bytes);
    }

    static void DrainDone(pa_stream*, int success, void* self) {
        auto* me = static_cast<PulseStream*>(self);
        pa_operation_unref(me->drain_);
        me->drain_ = nullptr;
        if (!me->reported_) {
            me->reported_ = true;
            me->connection_.toOwner_(success != 0 ? me->events_.ended : me->events_.failed);
        }
    }

    void Feed(pa_stream* stream, size_t bytes) {
        while (bytes > 0 && !draining_) {
            void* buffer = nullptr;
            size_t size = bytes;
            if (pa_stream_begin_write(stream, &buffer, &size) < 0 || buffer == nullptr) {
                return;
            }
            qint64 n = queue_->Read(static_cast<char*>(buffer), static_cast<qint64>(size));
            if (n == 0) {
                if (queue_->Drained()) {
                    pa_stream_cancel_write(stream);
                    draining_ = true;
                    // Kept until it is done, so that the destructor can cancel it.
                    drain_ = pa_stream_drain(stream, &PulseStream::DrainDone, this);
                    return;
                }
                // The decoder is behind: a little silence keeps the stream going.
                const pa_sample_spec* streamFormat = pa_stream_get_sample_spec(stream);
                n = std::min<qint64>(
                    static_cast<qint64>(size),
                    static_cast<qint64>(pa_usec_to_bytes(underrunFillUs, streamFormat)));
                std::memset(buffer, 0, static_cast<size_t>(n));
                queue_->NoteSilencePlayed(n);
            }
            pa_stream_write(stream, buffer, static_cast<size_t>(n), nullptr, 0, PA_SEEK_RELATIVE);
            bytes -= std::min(bytes, static_cast<size_t>(n));
        }
    }

    PulseConnection& connection_;
    PcmFormat format_;
    std::shared_ptr<SampleQueue> queue_;
    Events events_;
    pa_stream* stream_ = nullptr;
    pa_operation* drain_ = nullptr;
    bool paused_ = false;
    bool draining_ = false;
    bool reported_ = false;
};

PulseConnection::PulseConnection(Poster toOwner) : toOwner_(std::move(toOwner)) {}

PulseConnection::~PulseConnection() {
    if (loop_ == nullptr) {
        return;
    }
    {
        const LoopLock lock(loop_);
        DropContext();
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

bool PulseConnection::Connect() {
    if (context_ != nullptr) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state != PA_CONTEXT_FAILED && state != PA_CONTEXT_TERMINATED) {
            return true;
        }
        DropContext();
    }
    const QByteArray name = QCoreApplication::applicationName().toUtf8();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_),
                              name.isEmpty() ? "sound" : name.constData());
    if (context_ == nullptr) {
        return false;
    }
    pa_context_set_state_callback(context_, &PulseConnection::ContextChanged, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        DropContext();
        return false;
    }
    return true;
}

void PulseConnection::DropContext() {
    if (context_ == nullptr) {
        return;
    }
    pa_context_set_state_callback(context_, nullptr, nullptr);
    if (standby_ != nullptr) {
        pa_stream_disconnect(standby_);
        pa_stream_unref(standby_);
        standby_ = nullptr;
    }
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
    for (PulseStream* stream : waiting_) {
        stream->Fail();
    }
    waiting_.clear();
}

void PulseConnection::ContextChanged(pa_context* context, void* self) {
    auto* me = static_cast<PulseConnection*>(self);
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_READY) {
        me->OpenStandby();
        std::vector<PulseStream*> waiting;
        waiting.swap(me->waiting_);
        for (PulseStream* stream : waiting) {
            stream->Connect(context);
        }
    } else if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED) {
        for (PulseStream* stream : me->waiting_) {
            stream->Fail();
        }
        me->waiting_.clear();
    }
}

void PulseConnection::OpenStandby() {
    pa_sample_spec format{};
    format.format = PA_SAMPLE_S16LE;
    format.rate = 48000;
    format.channels = 1;
    standby_ = pa_stream_new(context_, "standby", &format, nullptr);
    if (standby_ == nullptr) {
        return;
    }
    pa_buffer_attr attr = BufferAttributes(format, standbyLatencyUs);
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED);
    if (pa_stream_connect_playback(standby_, nullptr, &attr, flags, nullptr, nullptr) < 0) {
        pa_stream_unref(standby_);
        standby_ = nullptr;
    }
}

bool PulseConnection::StartLoop() {
    if (loop_ != nullptr) {
        return true;
    }
    loop_ = pa_threaded_mainloop_new();
    if (loop_ == nullptr) {
        return false;
    }
    if (pa_threaded_mainloop_start(loop_) < 0) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
        return false;
    }
    return true;
}

void PulseConnection::Prepare() {
    if (StartLoop()) {
        const LoopLock lock(loop_);
        Connect();
    }
}

std::unique_ptr<AudioStream> PulseConnection::StartStream(PcmFormat format,
                                                          std::shared_ptr<SampleQueue> queue,
                                                          AudioStream::Events events) {
    if (!StartLoop()) {
        return nullptr;
    }
    const LoopLock lock(loop_);
    if (!Connect()) {
        return nullptr;
    }
    auto stream = std::make_unique<PulseStream>(*this, format, std::move(queue), std::move(events));
    if (pa_context_get_state(context_) == PA_CONTEXT_READY) {
        stream->Connect(context_);
    } else {
        waiting_.push_back(stream.get());
    }
    return stream;
}

void PulseConnection::Reset() {
    if (loop_ == nullptr) {
        return;
    }
    const LoopLock lock(loop_);
    DropContext();
}

} // namespace plimset
