// Sound files decoded on threads of their own: real files written with the sound file
// library decode to their length; files that are not sound fail without hanging; a long
// file is held a few chunks at a time; a file stuck in the file system holds one thread.
#include "sound/SoundFileSource.h"
#include "sound/SampleQueue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <tuple>

namespace plimset {
namespace {

using namespace std::chrono_literals;

// The owner's thread, played by the test's: tasks wait here until the test runs them. A
// thread left behind may still hand its last task in after the test.
class TaskBox {
public:
    SoundFileSource::Poster Poster() {
        return [inner = inner_](std::function<void()> task) {
            const std::lock_guard lock(inner->mutex);
            inner->tasks.push_back(std::move(task));
            inner->ready.notify_all();
        };
    }
    // Runs the tasks as they come until `done` holds or `bound` has passed.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds bound = 5s) {
        const auto end = std::chrono::steady_clock::now() + bound;
        while (!done()) {
            std::unique_lock lock(inner_->mutex);
            if (!inner_->ready.wait_until(lock, end, [&] { return !inner_->tasks.empty(); })) {
                return false;
            }
            const std::function<void()> task = std::move(inner_->tasks.front());
            inner_->tasks.pop_front();
            lock.unlock();
            task();
        }
        return true;
    }
    // Runs whatever comes within `span`.
    void RunFor(std::chrono::milliseconds span) {
        RunUntil([] { return false; }, span);
    }
    size_t Waiting() {
        const std::lock_guard lock(inner_->mutex);
        return inner_->tasks.size();
    }

private:
    struct Inner {
        std::mutex mutex;
        std::condition_variable ready;
        std::deque<std::function<void()>> tasks;
    };
    std::shared_ptr<Inner> inner_ = std::make_shared<Inner>();
};

// What a source has handed over.
struct Received {
    qint64 bytes = 0;
    int chunks = 0;
    PcmFormat format{0, 0};
    bool ended = false;
    bool failed = false;
    bool Done() const { return ended || failed; }
    DecodedSource::Events Events() {
        DecodedSource::Events events;
        events.data = [this](const QByteArray& samples, PcmFormat f) {
            bytes += samples.size();
            ++chunks;
            format = f;
        };
        events.ended = [this] { ended = true; };
        events.failed = [this] { failed = true; };
        return events;
    }
};

// Writes `frames` frames of a tone through the sound file library.
bool WriteTone(const QString& path, int format, int rate, int channels, qint64 frames) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    std::vector<short> block(static_cast<size_t>(4096 * channels));
    for (qint64 done = 0; done < frames;) {
        const qint64 n = std::min<qint64>(4096, frames - done);
        for (qint64 i = 0; i < n; ++i) {
            const auto value =
                static_cast<short>(8000 * std::sin(2 * M_PI * 440 * double(done + i) / rate));
            for (int c = 0; c < channels; ++c) {
                block[static_cast<size_t>(i * channels + c)] = value;
            }
        }
        sf_writef_short(file, block.data(), n);
        done += n;
    }
    return sf_close(file) == 0;
}

class SoundFileSourceTest : public ::testing::Test {
protected:
    QString Path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    // Decodes the file to its end with samples always wanted.
    Received DecodeWhole(const QString& path) {
        Received got;
        SoundFileSource source(path, got.Events(), box.Poster());
        source.Start();
        EXPECT_TRUE(box.RunUntil([&] { return got.Done(); })) << path.toStdString();
        return got;
    }

    QTemporaryDir dir;
    TaskBox box;
};

TEST_F(SoundFileSourceTest, DecodesFilesToTheirLengthInTheirOwnFormatAndFromTheStartAgain) {
    // Name, format, rate, channels written, frames; six channels are mixed into one.
    const std::tuple<const char*, int, int, int, int, int> files[] = {
        {"tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 10400, 1},
        {"tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, 22050, 2},
        {"six.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, 6, 24000, 1}};
    for (const auto& [name, format, rate, channels, frames, heard] : files) {
        ASSERT_TRUE(WriteTone(Path(name), format, rate, channels, frames));
        const Received got = DecodeWhole(Path(name));
        EXPECT_TRUE(got.ended) << name;
        EXPECT_EQ(got.bytes, qint64(frames) * 2 * heard) << name;
        EXPECT_EQ(got.format.sampleRate, rate) << name;
        EXPECT_EQ(got.format.channels, heard) << name;
        EXPECT_GT(got.chunks, 1) << "handed over a quarter second at a time";
    }

    const QString wav = Path("tone.wav");
    Received got;
    SoundFileSource source(wav, got.Events(), box.Poster());
    source.Start();
    ASSERT_TRUE(box.RunUntil([&] { return got.bytes > 0; }));
    // Restarted midway: what the first pass still had on its way does not count.
    source.Start();
    got = Received{};
    ASSERT_TRUE(box.RunUntil([&] { return got.Done(); }));
    EXPECT_TRUE(got.ended);
    EXPECT_EQ(got.bytes, 10400 * 2);
}

TEST_F(SoundFileSourceTest, WhatIsNotASoundFileFailsAtOnce) {
    for (const char* name : {"text.wav", "empty.oga"}) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name[0] == 't' ? "not a sound\n" : "");
    }
    // Nobody writes this pipe: opening it must not wait for a writer.
    const QString pipe = Path("pipe.wav");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    for (const QString& path :
         {Path("missing.wav"), Path("text.wav"), Path("empty.oga"), pipe, dir.path()}) {
        const Received got = DecodeWhole(path);
        EXPECT_TRUE(got.failed) << path.toStdString();
        EXPECT_EQ(got.bytes, 0);
    }

    // A file of no samples decodes to nothing.
    const QString silent = Path("none.wav");
    ASSERT_TRUE(WriteTone(silent, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 0));
    const Received got = DecodeWhole(silent);
    EXPECT_TRUE(got.ended);
    EXPECT_EQ(got.bytes, 0);
}

TEST_F(SoundFileSourceTest, ALongFileIsHeldAFewSecondsAhead) {
    // Ten minutes: decoded while a three-second queue is played out, as the sound layer does.
    const qint64 frames = 10 * 60 * 8000;
    const QString wav = Path("long.wav");
    ASSERT_TRUE(WriteTone(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, frames));
    const qint64 second = 8000 * 2;
    const qint64 chunk = second * SoundFileSource::ChunkMs / 1000;
    SampleQueue queue(3 * second);
    bool ended = false;
    bool failed = false;
    qint64 mostHeld = 0;
    size_t mostWaiting = 0;
    SoundFileSource* me = nullptr;
    DecodedSource::Events events;
    events.data = [&](const QByteArray& samples, PcmFormat) {
        queue.Append(samples);
        if (!queue.WantsMore()) {
            me->SetWanted(false);
        }
        mostHeld = std::max(mostHeld, queue.Held());
    };
    events.ended = [&] { ended = true; };
    events.failed = [&] { failed = true; };
    SoundFileSource source(wav, std::move(events), box.Poster());
    me = &source;
    source.Start();

    // Samples not wanted: the decoder stops a few chunks later.
    ASSERT_TRUE(box.RunUntil([&] { return !queue.WantsMore(); }));
    box.RunFor(100ms);
    const qint64 held = queue.Held();
    EXPECT_LE(held, 3 * second + SoundFileSource::MaxChunksInFlight * chunk);
    box.RunFor(100ms);
    EXPECT_EQ(queue.Held(), held);

    std::vector<char> sink(static_cast<size_t>(second));
    while (!ended && !failed) {
        queue.Read(sink.data(), second);
        if (queue.WantsMore()) {
            source.SetWanted(true);
        }
        mostWaiting = std::max(mostWaiting, box.Waiting());
        ASSERT_TRUE(box.RunUntil([&] { return !queue.WantsMore() || ended || failed; }));
    }
    while (queue.Read(sink.data(), second) > 0) {
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(queue.Consumed(), frames * 2);
    EXPECT_LE(mostHeld, 3 * second + SoundFileSource::MaxChunksInFlight * chunk);
    EXPECT_LE(mostWaiting, size_t(SoundFileSource::MaxChunksInFlight));
}

// A reader whose open blocks until the test lets it go, as on a hung network mount.
struct HungMount {
    std::mutex mutex;
    std::condition_variable released;
    bool hangs = true;
    int opens = 0;

    class Reader final : public SampleReader {
    public:
        PcmFormat Format() const override { return {8000, 1}; }
        std::optional<QByteArray> Read(qint64) override {
            return std::exchange(left_, false) ? QByteArray(1600, '\x01') : QByteArray();
        }

    private:
        bool left_ = true;
    };

    SampleReaderOpener Opener(std::shared_ptr<HungMount> self) {
        return [self](const QString&) -> std::unique_ptr<SampleReader> {
            std::unique_lock lock(self->mutex);
            ++self->opens;
            self->released.wait(lock, [&] { return !self->hangs; });
            return std::make_unique<Reader>();
        };
    }
    int Opens() {
        const std::lock_guard lock(mutex);
        return opens;
    }
    void Release() {
        {
            const std::lock_guard lock(mutex);
            hangs = false;
        }
        released.notify_all();
    }
};

bool Eventually(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (!done() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(5ms);
    }
    return done();
}

TEST_F(SoundFileSourceTest, AFileStuckInTheFileSystemHoldsOneThreadAndItsPath) {
    auto mount = std::make_shared<HungMount>();
    DecoderThreads threads(2);
    const QString path = QStringLiteral("/mnt/hung/ring.wav");

    Received first;
    auto stuck = std::make_unique<SoundFileSource>(path, first.Events(), box.Poster(),
                                                   mount->Opener(mount), threads);
    stuck->Start();
    ASSERT_TRUE(Eventually([&] { return mount->Opens() == 1; }));
    // Closing it does not wait for the thread.
    const auto before = std::chrono::steady_clock::now();
    stuck.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_EQ(threads.Alive(), 1);

    // Opened again and again while the thread is stuck: no new thread, no failure.
    Received second;
    SoundFileSource again(path, second.Events(), box.Poster(), mount->Opener(mount), threads);
    again.Start();
    for (int i = 0; i < 5; ++i) {
        again.SetWanted(true);
    }
    box.RunFor(50ms);
    EXPECT_EQ(mount->Opens(), 1);
    EXPECT_EQ(threads.Alive(), 1);
    EXPECT_FALSE(second.Done());

    // Another path still gets a thread; past the bound a play fails.
    Received other;
    SoundFileSource elsewhere(QStringLiteral("/mnt/hung/other.wav"), other.Events(), box.Poster(),
                              mount->Opener(mount), threads);
    elsewhere.Start();
    ASSERT_TRUE(Eventually([&] { return mount->Opens() == 2; }));
    Received refused;
    SoundFileSource tooMany(QStringLiteral("/mnt/hung/third.wav"), refused.Events(), box.Poster(),
                            mount->Opener(mount), threads);
    tooMany.Start();
    ASSERT_TRUE(box.RunUntil([&] { return refused.Done(); }));
    EXPECT_TRUE(refused.failed);

    // The mount comes back: the old thread ends and the file plays.
    mount->Release();
    ASSERT_TRUE(box.RunUntil([&] { return second.Done() && other.Done(); }));
    EXPECT_TRUE(second.ended);
    EXPECT_EQ(second.bytes, 1600);
    EXPECT_EQ(mount->Opens(), 3);
}

} // namespace
} // namespace plimset
