#include "alerts/MciInterpreter.h"

#include "alerts/BoundedCall.h"
#include "alerts/MciCommandParser.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>

namespace plimset {

namespace {

constexpr std::chrono::milliseconds readCheckBound{1000};
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
    QMediaPlayer player;
    QAudioOutput output;
    QUrl source;
    bool failed = false; // an error since the last load: the next play loads again
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
    switch (parsed->verb) {
    case Verb::Play:
        return Play(*device, false);
    case Verb::PlayFromStart:
        return Play(*device, true);
    case Verb::Pause:
        device->player.pause();
        return 0;
    case Verb::Resume:
        if (device->player.playbackState() == QMediaPlayer::PausedState) {
            device->player.play();
        }
        return 0;
    case Verb::Stop:
        device->player.stop();
        return 0;
    case Verb::Close: {
        auto it = open_.find(parsed->alias.toLower());
        std::unique_ptr<Device> closed = std::move(it->second);
        open_.erase(it);
        closed->player.stop();
        closed->player.setSource(QUrl());
        idle_.push_back(std::move(closed));
        return 0;
    }
    case Verb::StatusMode:
        if (reply != nullptr) {
            switch (device->player.playbackState()) {
            case QMediaPlayer::PlayingState:
                *reply = QStringLiteral("playing");
                break;
            case QMediaPlayer::PausedState:
                *reply = QStringLiteral("paused");
                break;
            case QMediaPlayer::StoppedState:
                *reply = QStringLiteral("stopped");
                break;
            }
        }
        return 0;
    default:
        return Malformed;
    }
}

std::unique_ptr<MciInterpreter::Device> MciInterpreter::TakeIdleDevice() {
    if (!idle_.empty()) {
        std::unique_ptr<Device> device = std::move(idle_.back());
        idle_.pop_back();
        device->failed = false;
        return device;
    }
    // The first open starts the media back end.
    started_ = true;
    auto device = std::make_unique<Device>();
    device->player.setAudioOutput(&device->output);
    Device* raw = device.get();
    connect(&device->player, &QMediaPlayer::errorOccurred, this, [raw](QMediaPlayer::Error error) {
        if (error != QMediaPlayer::NoError) {
            raw->failed = true;
        }
    });
    return device;
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

    std::unique_ptr<Device> device = TakeIdleDevice();
    device->source = QUrl::fromLocalFile(info.absoluteFilePath());
    device->failed = false;
    device->player.setSource(device->source);
    if (!WaitForLoad(*device)) {
        device->player.setSource(QUrl());
        idle_.push_back(std::move(device));
        return CannotOpen;
    }
    open_[command.alias.toLower()] = std::move(device);
    return 0;
}

bool MciInterpreter::WaitForLoad(Device& device) {
    const auto loaded = [&device] {
        const QMediaPlayer::MediaStatus status = device.player.mediaStatus();
        return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia;
    };
    const auto done = [&] {
        return device.failed || loaded() ||
               device.player.mediaStatus() == QMediaPlayer::InvalidMedia;
    };
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
        const QMetaObject::Connection status =
            connect(&device.player, &QMediaPlayer::mediaStatusChanged, &loop, check);
        const QMetaObject::Connection error =
            connect(&device.player, &QMediaPlayer::errorOccurred, &loop, check);
        bound.start(loadBound_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        disconnect(status);
        disconnect(error);
        busy_ = false;
    }
    return loaded() && !device.failed;
}

int MciInterpreter::Play(Device& device, bool fromStart) {
    if (device.failed) {
        // The file changed or went away, or the audio server did: load it again, so a
        // later play can succeed once things are back.
        device.failed = false;
        device.player.setSource(QUrl());
        device.player.setSource(device.source);
    } else if (fromStart) {
        device.player.setPosition(0);
    }
    device.player.play();
    return 0;
}

} // namespace plimset
