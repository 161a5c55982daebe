#include "sound/SoundFileSource.h"

#include <QFile>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plimset {

namespace {

// The highest rate the audio server takes for a stream.
constexpr int highestRate = 384000;

class SoundFileReader final : public SampleReader {
public:
    SoundFileReader(int fd, SNDFILE* file, const SF_INFO& info)
        : fd_(fd), file_(file),
          channels_(info.channels), format_{info.samplerate,
                                            info.channels > 2 ? 1 : info.channels} {}
    ~SoundFileReader() override {
        sf_close(file_);
        ::close(fd_);
    }
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    PcmFormat Format() const override { return format_; }

    std::optional<QByteArray> Read(qint64 maxBytes) override {
        const sf_count_t frames = std::max<qint64>(1, maxBytes / (2 * format_.channels));
        buffer_.resize(static_cast<size_t>(frames * channels_));
        const sf_count_t got = sf_readf_short(file_, buffer_.data(), frames);
        if (got <= 0) {
            if (sf_error(file_) != SF_ERR_NO_ERROR) {
                return std::nullopt;
            }
            return QByteArray();
        }
        if (channels_ == format_.channels) {
            return QByteArray(reinterpret_cast<const char*>(buffer_.data()),
                              static_cast<qsizetype>(got * channels_ * 2));
        }
        // More channels than two: all of them mixed into one, so nothing goes unheard.
        QByteArray mixed(static_cast<qsizetype>(got * 2), Qt::Uninitialized);
        auto* out = reinterpret_cast<short*>(mixed.data());
        for (sf_count_t frame = 0; frame < got; ++frame) {
            int sum = 0;
            for (int channel = 0; channel < channels_; ++channel) {
                sum += buffer_[static_cast<size_t>(frame * channels_ + channel)];
            }
            out[frame] = static_cast<short>(sum / channels_);
        }
        return mixed;
    }

private:
    int fd_;
    SNDFILE* file_;
    int channels_;
    PcmFormat format_;
    std::vector<short> buffer_;
};

} // namespace

std::unique_ptr<SampleReader> OpenSoundFile(const QString& path) {
    if (path.isEmpty()) {
        return nullptr;
    }
    // Without blocking on a pipe that nobody writes: its open returns at once, and only a
    // regular file is read.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    SF_INFO format{};
    SNDFILE* file = nullptr;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        file = sf_open_fd(fd, SFM_READ, &format, SF_FALSE);
    }
    if (file != nullptr && format.channels >= 1 && format.samplerate >= 1 &&
        format.samplerate <= highestRate) {
        return std::make_unique<SoundFileReader>(fd, file, format);
    }
    if (file != nullptr) {
        sf_close(file);
    }
    ::close(fd);
    return nullptr;
}

struct DecoderThreads::State {
    struct Waiter {
        std::weak_ptr<void> owner;
        std::function<void()> run;
    };
    int maxAlive = 0;
    mutable std::mutex mutex;
    int alive = 0;
    std::map<QString, int> leftBehind;
    std::map<QString, std::vector<Waiter>> waiters;
};

DecoderThreads::DecoderThreads(int maxAlive) : state_(std::make_shared<State>()) {
    state_->maxAlive = maxAlive;
}

DecoderThreads::Claim DecoderThreads::ClaimFor(const QString& path, std::weak_ptr<void> waiter,
                                               std::function<void()> whenFree) {
    const std::lock_guard lock(state_->mutex);
    if (state_->leftBehind.contains(path)) {
        // Those whose owner is gone are dropped here, so a path stuck for good holds a
        // waiter per owner alive at most.
        auto& waiting = state_->waiters[path];
        std::erase_if(waiting, [](const State::Waiter& w) { return w.owner.expired(); });
        if (whenFree) {
            waiting.push_back({std::move(waiter), std::move(whenFree)});
        }
        return Claim::Wait;
    }
    if (state_->alive >= state_->maxAlive) {
        return Claim::Refused;
    }
    ++state_->alive;
    return Claim::Granted;
}

void DecoderThreads::Unclaim() {
    const std::lock_guard lock(state_->mutex);
    --state_->alive;
}

void DecoderThreads::LeaveBehind(const QString& path) {
    const std::lock_guard lock(state_->mutex);
    ++state_->leftBehind[path];
}

std::function<void()> DecoderThreads::EndNotice(const QString& path) {
    return [state = state_, path] {
        std::vector<State::Waiter> freed;
        {
            const std::lock_guard lock(state->mutex);
            --state->alive;
            const auto it = state->leftBehind.find(path);
            if (it != state->leftBehind.end() && --it->second == 0) {
                state->leftBehind.erase(it);
                if (const auto waiting = state->waiters.find(path);
                    waiting != state->waiters.end()) {
                    freed = std::move(waiting->second);
                    state->waiters.erase(waiting);
                }
            }
        }
        for (const State::Waiter& waiter : freed) {
            if (!waiter.owner.expired()) {
                waiter.run();
            }
        }
    };
}

int DecoderThreads::Alive() const {
    const std::lock_guard lock(state_->mutex);
    return state_->alive;
}

DecoderThreads& DecoderThreads::Shared() {
    // Never destroyed: a thread stuck in the file system may still end after the exit.
    static auto* threads = new DecoderThreads;
    return *threads;
}

struct SoundFileSource::Shared {
    explicit Shared(Poster poster) : toOwner(std::move(poster)) {}

    // Between the owner's thread and the decoding thread.
    std::mutex mutex;
    std::condition_variable wake;
    int pass = 0; // Start's count: a new pass reads the file from its beginning
    bool wanted = true;
    bool stop = false;
    int inFlight = 0;     // handed to the owner, not taken yet
    const Poster toOwner; // called from either thread, never changed

    // The owner's thread only.
    Events events;
    bool gone = false;
};

namespace {

enum class Outcome { Data, Ended, Failed };

// Hands one outcome of a pass to the owner's thread. With the lock held.
void Hand(const std::shared_ptr<SoundFileSource::Shared>& shared, int pass, Outcome outcome,
          QByteArray samples = {}, PcmFormat format = {}) {
    ++shared->inFlight;
    shared->toOwner([shared, pass, outcome, samples = std::move(samples), format] {
        bool current = false;
        {
            const std::lock_guard lock(shared->mutex);
            --shared->inFlight;
            current = pass == shared->pass;
        }
        shared->wake.notify_all();
        if (shared->gone || !current) {
            return;
        }
        switch (outcome) {
        case Outcome::Data:
            shared->events.data(samples, format);
            break;
        case Outcome::Ended:
            shared->events.ended();
            break;
        case Outcome::Failed:
            shared->events.failed();
            break;
        }
    });
}

void Decode(std::shared_ptr<SoundFileSource::Shared> shared, QString path, SampleReaderOpener open,
            std::function<void()> endNotice) {
    std::unique_ptr<SampleReader> reader;
    int pass = 0;
    bool passDone = true;
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(lock, [&] {
            return shared->stop || shared->pass != pass ||
                   (!passDone && shared->wanted &&
                    shared->inFlight < SoundFileSource::MaxChunksInFlight);
        });
        if (shared->stop) {
            break;
        }
        if (shared->pass != pass) {
            // From the beginning: the file is opened again, as it may have changed.
            pass = shared->pass;
            passDone = false;
            lock.unlock();
            reader.reset();
            reader = open(path);
            lock.lock();
            if (shared->stop) {
                break;
            }
            if (!reader) {
                passDone = true;
                Hand(shared, pass, Outcome::Failed);
            }
            continue;
        }
        const PcmFormat format = reader->Format();
        const qint64 frameBytes = 2 * qint64(format.channels);
        const qint64 chunkBytes =
            std::max(frameBytes, format.BytesPerSecond() * SoundFileSource::ChunkMs / 1000 /
                                     frameBytes * frameBytes);
        lock.unlock();
        std::optional<QByteArray> samples = reader->Read(chunkBytes);
        lock.lock();
        if (shared->stop) {
            break;
        }
        if (shared->pass != pass) {
            continue;
        }
        if (!samples) {
            passDone = true;
            Hand(shared, pass, Outcome::Failed);
        } else if (samples->isEmpty()) {
            passDone = true;
            Hand(shared, pass, Outcome::Ended);
        } else {
            Hand(shared, pass, Outcome::Data, std::move(*samples), format);
        }
    }
    lock.unlock();
    reader.reset();
    endNotice();
}

} // namespace

SoundFileSource::SoundFileSource(QString path, Events events, Poster toOwner,
                                 SampleReaderOpener open, DecoderThreads& threads)
    : path_(std::move(path)), open_(std::move(open)), threads_(threads),
      shared_(std::make_shared<Shared>(std::move(toOwner))) {
    shared_->events = std::move(events);
}

SoundFileSource::~SoundFileSource() {
    shared_->gone = true;
    shared_->events = {};
    if (!threadMade_) {
        return;
    }
    // Not joined: a thread stuck in the file system must not hold up the sound layer.
    threads_.LeaveBehind(path_);
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
    }
    shared_->wake.notify_all();
}

void SoundFileSource::Start() {
    {
        const std::lock_guard lock(shared_->mutex);
        ++shared_->pass;
        shared_->wanted = true;
    }
    shared_->wake.notify_all();
    refused_ = false;
    StartThread();
}

void SoundFileSource::SetWanted(bool wanted) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->wanted = wanted;
    }
    shared_->wake.notify_all();
}

void SoundFileSource::StartThread() {
    if (threadMade_ || refused_ || waiting_) {
        return;
    }
    // Asked again on this thread once the path's last thread has ended, if this source is
    // still there then.
    const std::weak_ptr<Shared> weak = shared_;
    const DecoderThreads::Claim claim = threads_.ClaimFor(path_, weak, [this, weak] {
        if (const std::shared_ptr<Shared> shared = weak.lock()) {
            shared->toOwner([this, shared] {
                if (!shared->gone) {
                    waiting_ = false;
                    StartThread();
                }
            });
        }
    });
    if (claim == DecoderThreads::Claim::Wait) {
        waiting_ = true;
        return;
    }
    if (claim == DecoderThreads::Claim::Granted) {
        try {
            std::thread(Decode, shared_, path_, open_, threads_.EndNotice(path_)).detach();
            threadMade_ = true;
            return;
        } catch (const std::system_error&) {
            threads_.Unclaim();
        }
    }
    // No thread: the play fails.
    refused_ = true;
    const std::lock_guard lock(shared_->mutex);
    Hand(shared_, shared_->pass, Outcome::Failed);
}

} // namespace plimset
