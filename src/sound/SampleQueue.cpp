#include "sound/SampleQueue.h"

#include <algorithm>
#include <cstring>

namespace plimset {

void SampleQueue::Append(const QByteArray& samples) {
    if (samples.isEmpty()) {
        return;
    }
    const std::lock_guard lock(mutex_);
    chunks_.push_back(samples);
    held_ += samples.size();
    buffered_ += samples.size();
    if (wholeHeld_ && held_ > capacity_) {
        wholeHeld_ = false;
    }
    DropRead();
}

qint64 SampleQueue::Read(char* out, qint64 max) {
    const std::lock_guard lock(mutex_);
    qint64 copied = 0;
    while (copied < max && readChunk_ < chunks_.size()) {
        const QByteArray& chunk = chunks_[readChunk_];
        const qint64 n = std::min(max - copied, chunk.size() - readOffset_);
        std::memcpy(out + copied, chunk.constData() + readOffset_, static_cast<size_t>(n));
        copied += n;
        readOffset_ += n;
        if (readOffset_ >= chunk.size()) {
            ++readChunk_;
            readOffset_ = 0;
        }
    }
    buffered_ -= copied;
    consumed_ += copied;
    DropRead();
    return copied;
}

void SampleQueue::DropRead() {
    if (wholeHeld_) {
        return;
    }
    while (readChunk_ > 0) {
        held_ -= chunks_.front().size();
        chunks_.pop_front();
        --readChunk_;
    }
}

void SampleQueue::MarkEnded() {
    const std::lock_guard lock(mutex_);
    ended_ = true;
}

bool SampleQueue::Ended() const {
    const std::lock_guard lock(mutex_);
    return ended_;
}

bool SampleQueue::Drained() const {
    const std::lock_guard lock(mutex_);
    return ended_ && buffered_ == 0;
}

qint64 SampleQueue::Buffered() const {
    const std::lock_guard lock(mutex_);
    return buffered_;
}

bool SampleQueue::WantsMore() const {
    const std::lock_guard lock(mutex_);
    return !ended_ && buffered_ < capacity_;
}

bool SampleQueue::Rewind() {
    const std::lock_guard lock(mutex_);
    if (!wholeHeld_ || !ended_) {
        return false;
    }
    readChunk_ = 0;
    readOffset_ = 0;
    buffered_ = held_;
    return true;
}

void SampleQueue::Clear() {
    const std::lock_guard lock(mutex_);
    chunks_.clear();
    readChunk_ = 0;
    readOffset_ = 0;
    held_ = 0;
    buffered_ = 0;
    wholeHeld_ = true;
    ended_ = false;
}

qint64 SampleQueue::Consumed() const {
    const std::lock_guard lock(mutex_);
    return consumed_;
}

void SampleQueue::NoteSilencePlayed(qint64 bytes) {
    const std::lock_guard lock(mutex_);
    silencePlayed_ += bytes;
}

qint64 SampleQueue::Played() const {
    const std::lock_guard lock(mutex_);
    return consumed_ + silencePlayed_;
}

qint64 SampleQueue::Held() const {
    const std::lock_guard lock(mutex_);
    return held_;
}

} // namespace plimset
