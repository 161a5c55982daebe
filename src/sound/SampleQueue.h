#pragma once

#include <QByteArray>

#include <deque>
#include <mutex>

namespace plimset {

// Decoded samples on their way from the decoder to the audio server: the sound layer's
// thread appends, the audio server's thread reads. It holds at most about `capacity`
// bytes ahead of the reader. A sound shorter than that is kept whole, so it plays again
// without being decoded again; a longer one is dropped as it is read.
class SampleQueue {
public:
    explicit SampleQueue(qint64 capacity) : capacity_(capacity) {}

    void Append(const QByteArray& samples);
    // Copies up to `max` bytes into `out`; the number copied.
    qint64 Read(char* out, qint64 max);
    // The decoder has nothing more to give.
    void MarkEnded();
    bool Ended() const;
    // Ended and everything read.
    bool Drained() const;
    // Bytes waiting to be read.
    qint64 Buffered() const;
    // Whether the decoder should give more now.
    bool WantsMore() const;
    // Back to the first sample when the whole sound is still held; false otherwise.
    bool Rewind();
    // Empties the queue for a new pass of the decoder.
    void Clear();
    // Bytes read since the queue was made.
    qint64 Consumed() const;
    // The audio server took `bytes` of silence in place of samples the decoder had not
    // given yet.
    void NoteSilencePlayed(qint64 bytes);
    // Bytes the audio server has taken, samples and silence: while this grows the server
    // is playing, even when the decoder is behind.
    qint64 Played() const;
    // Bytes held in memory.
    qint64 Held() const;

private:
    void DropRead();

    const qint64 capacity_;
    mutable std::mutex mutex_;
    std::deque<QByteArray> chunks_; // as the decoder gave them
    size_t readChunk_ = 0;          // the chunk being read
    qint64 readOffset_ = 0;         // within it
    qint64 held_ = 0;               // bytes in chunks_
    qint64 buffered_ = 0;           // bytes not read yet
    qint64 consumed_ = 0;
    qint64 silencePlayed_ = 0;
    bool wholeHeld_ = true;
    bool ended_ = false;
};

} // namespace plimset
