#include "alerts/MciInterpreter.h"

#include "alerts/BoundedCall.h"
#include "alerts/MciCommandParser.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>

namespace plimset {

namespace {

constexpr std::chrono::milliseconds readCheckBound{1000};
constexpr qint64 overdueSlackMs = 3000;
const QStringList deviceTypes{QStringLiteral("mpegvideo")};

// Whether a byte of the file can be read, waiting at most readCheckBound: the media back
// end opens the file on this thread, so a file that would hang must not reach it.
bool ReadableWithin(const QString& path) {
    return CallWithin<bool>(
               [path] {
                   QFile file(path);
                   if (!file.open(QIODevice::ReadOnly)) {
                       return false;
                   }
                   char byte = 0;
                   return file.read(&byte, 1) == 1;
               },
               readCheckBound)
        .value_or(false);
}

} // namespace

QStringList PlayableExtensions() {
    return {QStringLiteral("wav"),  QStringLiteral("oga"),  QStringLiteral("ogg"),
            QStringLiteral("opus"), QStringLiteral("flac"), QStringLiteral("mp3"),
            QStringLiteral("m4a"),  QStringLiteral("aac"),  QStringLiteral("mp4"),
            QStringLiteral("mkv"),  QStringLiteral("webm"), QStringLiteral("avi"),
            QStringLiteral("mpg"),  QStringLiteral("mpeg")};
}

struct MciInterpreter::Device {
    QAudioDecoder decoder;
    QAudioFormat format;
    QByteArray samples; // decoded so far
    QBuffer buffer{&samples};
    std::unique_ptr<QAudioSink> sink;
    bool failed = false;   // the file could not be decoded
    bool finished = false; // the whole file (or MaxSeconds of it) is decoded
    bool paused = false;
    qint64 limit = 0; // bytes of MaxSeconds in the decoded format
    // Since the play (or resume) began and from where: a play that has not ended well
    // after the sound it had left (the audio server stopped taking it) counts as ended.
    QElapsedTimer playClock;
    qint64 playFrom = 0;

    bool Overdue() const {
        if (!playClock.isValid() || !format.isValid() || !finished) {
            return false;
        }
        const qint64 leftMs = format.durationForBytes(qint32(samples.size() - playFrom)) / 1000;
        return playClock.elapsed() > leftMs + overdueSlackMs;
    }

    bool Decoding() const { return !finished && !failed; }
    // Takes what the decoder has ready, as long as the format stays the first one.
    void TakeDecoded() {
        while (decoder.bufferAvailable()) {
            const QAudioBuffer chunk = decoder.read();
            if (!chunk.isValid()) {
                continue;
            }
            if (!format.isValid()) {
                format = chunk.format();
                limit = qint64(format.bytesForDuration(qint64(MaxSeconds) * 1000000));
            }
            if (chunk.format() != format || samples.size() >= limit) {
                finished = true;
                decoder.stop();
                return;
            }
            samples.append(chunk.constData<char>(), chunk.byteCount());
        }
    }
};

MciInterpreter::MciInterpreter(std::chrono::milliseconds loadBound, QObject* parent)
    : QObject(parent), loadBound_(loadBound) {}

MciInterpreter::~MciInterpreter() = default;

MciInterpreter::Device* MciInterpreter::Find(const QString& alias) {
    const auto it = open_.find(alias.toLower());
    return it != open_.end() ? it->second.get() : nullptr;
}

int MciInterpreter::SendCommand(const QString& command, QString* reply) {
    if (reply != nullptr) {
        reply->clear();
    }
    const std::optional<MciParsedCommand> parsed = ParseMciCommand(command);
    if (!parsed) {
        return Malformed;
    }
    if (busy_) {
        return Busy;
    }
    using Verb = MciParsedCommand::Verb;
    switch (parsed->verb) {
    case Verb::SysinfoQuantity:
        if (reply != nullptr) {
            *reply = QString::number(deviceTypes.size());
        }
        return 0;
    case Verb::SysinfoName:
        if (parsed->index > deviceTypes.size()) {
            return NoSuchDevice;
        }
        if (reply != nullptr) {
            *reply = deviceTypes.at(parsed->index - 1);
        }
        return 0;
    case Verb::Open:
        return Open(*parsed);
    default:
        break;
    }

    Device* device = Find(parsed->alias);
    if (device == nullptr) {
        return AliasNotOpen;
    }
    QAudioSink* sink = device->sink.get();
    switch (parsed->verb) {
    case Verb::Play:
        return Play(*device, false);
    case Verb::PlayFromStart:
        return Play(*device, true);
    case Verb::Pause:
        if (sink != nullptr && sink->state() != QAudio::StoppedState) {
            sink->suspend();
            device->paused = true;
        }
        return 0;
    case Verb::Resume:
        if (sink != nullptr && device->paused) {
            sink->resume();
            device->paused = false;
            device->playClock.start();
            device->playFrom = device->buffer.pos();
        }
        return 0;
    case Verb::Stop:
        if (sink != nullptr) {
            sink->stop();
        }
        device->paused = false;
        return 0;
    case Verb::Close:
        if (sink != nullptr) {
            sink->stop();
        }
        device->decoder.stop();
        open_.erase(parsed->alias.toLower());
        return 0;
    case Verb::StatusMode:
        if (reply != nullptr) {
            if (!device->paused && sink != nullptr && device->Overdue()) {
                sink->stop();
            }
            if (device->paused) {
                *reply = QStringLiteral("paused");
            } else if (sink != nullptr && sink->state() != QAudio::StoppedState &&
                       (!device->buffer.atEnd() || device->Decoding())) {
                // The sink's own state goes idle at every short gap in the feed, so a
                // play lasts as long as there is sound left to hand it.
                *reply = QStringLiteral("playing");
            } else {
                *reply = QStringLiteral("stopped");
            }
        }
        return 0;
    default:
        return Malformed;
    }
}

int MciInterpreter::Open(const MciParsedCommand& command) {
    if (Find(command.alias) != nullptr) {
        return AliasInUse;
    }
    if (!command.deviceType.isEmpty() && !deviceTypes.contains(command.deviceType)) {
        return UnknownDevice;
    }
    const QFileInfo info(command.path);
    if (command.deviceType.isEmpty() && !PlayableExtensions().contains(info.suffix().toLower())) {
        return UnknownDevice;
    }
    if (!ReadableWithin(command.path)) {
        return CannotOpen;
    }

    // The first open starts the media back end.
    started_ = true;
    auto device = std::make_unique<Device>();
    Device* raw = device.get();
    connect(&raw->decoder, &QAudioDecoder::bufferReady, this, [raw] { raw->TakeDecoded(); });
    connect(&raw->decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this, [raw] {
        if (raw->samples.isEmpty()) {
            raw->failed = true;
        }
        raw->finished = true;
    });
    connect(&raw->decoder, &QAudioDecoder::finished, this, [raw] { raw->finished = true; });
    // Two channels of 16-bit samples at 44.1 kHz: half the memory of the decoder's own
    // floating-point samples, and a format every audio server takes.
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    raw->decoder.setAudioFormat(format);
    raw->decoder.setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    raw->decoder.start();
    if (!WaitForLoad(*raw)) {
        raw->decoder.stop();
        return CannotOpen;
    }
    raw->buffer.open(QIODevice::ReadOnly);
    open_[command.alias.toLower()] = std::move(device);
    return 0;
}

bool MciInterpreter::WaitForLoad(Device& device) {
    const auto loaded = [&device] { return !device.samples.isEmpty(); };
    const auto done = [&] { return device.failed || loaded() || device.finished; };
    if (!done()) {
        // Other commands that come in meanwhile (from timers) are refused as busy.
        busy_ = true;
        QEventLoop loop;
        QTimer bound;
        bound.setSingleShot(true);
        connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
        const auto check = [&] {
            if (done()) {
                loop.quit();
            }
        };
        const QMetaObject::Connection ready = connect(&device.decoder, &QAudioDecoder::bufferReady,
                                                      &loop, check, Qt::QueuedConnection);
        const QMetaObject::Connection error =
            connect(&device.decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop,
                    check, Qt::QueuedConnection);
        const QMetaObject::Connection finished =
            connect(&device.decoder, &QAudioDecoder::finished, &loop, check, Qt::QueuedConnection);
        bound.start(loadBound_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        disconnect(ready);
        disconnect(error);
        disconnect(finished);
        busy_ = false;
    }
    return loaded() && !device.failed;
}

int MciInterpreter::Play(Device& device, bool fromStart) {
    device.paused = false;
    if (!device.sink) {
        device.sink =
            std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), device.format);
    }
    if (!fromStart && device.sink->state() == QAudio::ActiveState) {
        return 0;
    }
    if (fromStart) {
        device.buffer.seek(0);
    }
    device.playClock.start();
    device.playFrom = device.buffer.pos();
    if (device.sink->state() == QAudio::SuspendedState) {
        device.sink->resume();
        return 0;
    }
    // A sink that failed (the audio server went away) is started again: once the server
    // is back, the play is heard.
    device.sink->stop();
    device.sink->start(&device.buffer);
    return 0;
}

} // namespace plimset
