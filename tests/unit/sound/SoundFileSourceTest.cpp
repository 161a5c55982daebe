// Sound files decoded on threads of their own: real files written with the sound file
// library decode to their length; files that are not sound fail without hanging.
#include "sound/SoundFileSource.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>
#include <sys/stat.h>

#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace plimset {
namespace {

using namespace std::chrono_literals;

// What a source has handed over.
struct Received {
    qint64 bytes = 0;
    int chunks = 0;
    PcmFormat format{0, 0};
    bool ended = false, failed = false;
    bool Done() const { return ended || failed; }
    DecodedSource::Events Events() {
        return {
            [this](const QByteArray& s, PcmFormat f) { bytes += s.size(), ++chunks, format = f; },
            [this] { ended = true; }, [this] { failed = true; }};
    }
};

// Writes `frames` frames of a tone through the sound file library.
bool WriteTone(const QString& path, int format, int rate, int channels, qint64 frames) {
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<short> samples(static_cast<size_t>(frames * channels));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] =
            static_cast<short>(8000 * std::sin(2 * M_PI * 440 * double(i / channels) / rate));
    return file != nullptr && sf_writef_short(file, samples.data(), frames) == frames &&
           sf_close(file) == 0;
}

class SoundFileSourceTest : public ::testing::Test {
protected:
    QString Path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    // The owner's thread, played by the test's: tasks wait in the box until RunUntil runs
    // them. A decoding thread may still hand its last task in after the test.
    SoundFileSource::Poster Poster() {
        return [box = box](std::function<void()> task) {
            const std::lock_guard lock(box->mutex);
            box->tasks.push_back(std::move(task));
            box->ready.notify_all();
        };
    }
    // Runs the tasks as they come until `done` holds or five seconds have passed.
    bool RunUntil(const std::function<bool()>& done) {
        for (const auto end = std::chrono::steady_clock::now() + 5s; !done();) {
            std::unique_lock lock(box->mutex);
            if (!box->ready.wait_until(lock, end, [&] { return !box->tasks.empty(); }))
                return false;
            const auto task = std::move(box->tasks.front());
            box->tasks.pop_front();
            lock.unlock();
            task();
        }
        return true;
    }
    // Decodes the file to its end with samples always wanted.
    Received DecodeWhole(const QString& path) {
        Received got;
        SoundFileSource source(path, got.Events(), Poster());
        source.Start();
        EXPECT_TRUE(RunUntil([&] { return got.Done(); })) << path.toStdString();
        return got;
    }

    QTemporaryDir dir;
    struct Box {
        std::mutex mutex;
        std::condition_variable ready;
        std::deque<std::function<void()>> tasks;
    };
    std::shared_ptr<Box> box = std::make_shared<Box>();
};

TEST_F(SoundFileSourceTest, DecodesFilesToTheirLengthInTheirOwnFormatAndFromTheStartAgain) {
    // Name, format, rate, channels written, frames, channels heard (six are mixed into one).
    const std::tuple<const char*, int, int, int, int, int> files[] = {
        {"tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 10400, 1},
        {"tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, 22050, 2},
        {"six.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, 6, 24000, 1},
        {"none.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 0, 1}};
    for (const auto& [name, format, rate, channels, frames, heard] : files) {
        ASSERT_TRUE(WriteTone(Path(name), format, rate, channels, frames));
        const Received got = DecodeWhole(Path(name));
        // Handed over a quarter second at a time, in the file's own format.
        EXPECT_EQ(std::tuple(got.ended, got.bytes, got.format.sampleRate, got.format.channels,
                             got.chunks > 1),
                  std::tuple(true, qint64(frames) * 2 * heard, frames ? rate : 0,
                             frames ? heard : 0, frames > 0))
            << name;
    }
    Received got;
    SoundFileSource source(Path("tone.wav"), got.Events(), Poster());
    source.Start();
    ASSERT_TRUE(RunUntil([&] { return got.bytes > 0; }));
    // Restarted midway: what the first pass still had on its way does not count.
    source.Start();
    got = Received{};
    ASSERT_TRUE(RunUntil([&] { return got.Done(); }));
    EXPECT_TRUE(got.ended && got.bytes == 10400 * 2);
}

TEST_F(SoundFileSourceTest, WhatIsNotASoundFileFailsAtOnce) {
    for (const char* name : {"text.wav", "empty.oga"}) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name[0] == 't' ? "not a sound\n" : "");
    }
    // Nobody writes this pipe: opening it must not wait for a writer.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.wav")).constData(), 0600), 0);
    for (const char* name : {"missing.wav", "text.wav", "empty.oga", "pipe.wav", ""}) {
        const Received got = DecodeWhole(Path(name));
        EXPECT_TRUE(got.failed && got.bytes == 0) << name;
    }
}

} // namespace
} // namespace plimset
