#pragma once

#include "sound/SoundBackend.h"

#include <functional>
#include <memory>
#include <vector>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

namespace plimset {

class PulseStream;

// The connection to the audio server through its client library, whose own thread runs
// the streams. Nothing here waits for the server: the connection is made in the
// background, a stream asked for meanwhile starts once it is up, and a connection that
// failed (the server went away) is made anew for the next stream, so the sound comes back
// with the server. Used from the sound layer's thread; events go back to it through
// `toOwner`.
class PulseConnection {
public:
    using Poster = std::function<void(std::function<void()>)>;

    explicit PulseConnection(Poster toOwner);
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // Nothing when the client library cannot run at all.
    std::unique_ptr<AudioStream> StartStream(PcmFormat format, std::shared_ptr<SampleQueue> queue,
                                             AudioStream::Events events);
    // Connects to the audio server in the background, ahead of the first stream.
    void Prepare();
    // Drops the connection; the next stream connects again.
    void Reset();

private:
    friend class PulseStream;
    bool StartLoop();
    bool Connect();
    void DropContext();
    void OpenStandby();
    static void ContextChanged(pa_context* context, void* self);

    Poster toOwner_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    // A stream that stays corked while the connection is up: it plays nothing and keeps no
    // sink awake, but its short latency holds the sink to short buffers. An idle sink that
    // no stream asks for a latency renders up to two seconds ahead (the null sink does), and
    // a stream that starts then is heard only after that: a ring would lose its first second.
    pa_stream* standby_ = nullptr;
    std::vector<PulseStream*> waiting_; // for the connection; guarded by the loop's lock
};

} // namespace plimset
