#include "sound/MciInterpreter.h"

#include "sound/MciCommandParser.h"
#include "sound/SoundDevices.h"
#include "sound/SoundWorker.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace plimset {

namespace {

const QStringList deviceTypes{QStringLiteral("mpegvideo")};

} // namespace

QStringList PlayableExtensions() {
    // What the sound file library reads: no AAC and no video containers among them, so no
    // m4a, aac, mp4, mkv, webm or avi.
    return {QStringLiteral("wav"),  QStringLiteral("oga"),  QStringLiteral("ogg"),
            QStringLiteral("opus"), QStringLiteral("flac"), QStringLiteral("mp3"),
            QStringLiteral("aiff"), QStringLiteral("aif"),  QStringLiteral("au")};
}

MciInterpreter::MciInterpreter(std::chrono::milliseconds openBound,
                               std::shared_ptr<SoundWorker> worker, QObject* parent)
    : QObject(parent), openBound_(openBound),
      worker_(worker ? std::move(worker) : SoundWorker::Shared()) {}

MciInterpreter::~MciInterpreter() {
    for (const auto& [alias, device] : open_) {
        worker_->Post([id = device.id](SoundDevices& devices) { devices.Close(id); });
        worker_->Reports().Forget(device.id);
    }
}

bool MciInterpreter::BackendStarted() const {
    return worker_->Started();
}

MciInterpreter::Device* MciInterpreter::Find(const QString& alias) {
    const auto it = open_.find(alias.toLower());
    return it != open_.end() ? &it->second : nullptr;
}

SoundMode MciInterpreter::Mode(const Device& device) const {
    // The thread's report counts once it has caught up with the last command; until then
    // the command's own outcome is the answer.
    const std::optional<SoundReport> report = worker_->Reports().Get(device.id);
    if (report && report->command == device.command) {
        return report->phase == SoundReport::Phase::Failed ? SoundMode::Stopped : report->mode;
    }
    return device.requested;
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
    const int id = device->id;
    const auto send = [&](SoundMode requested, auto task) {
        device->requested = requested;
        const quint64 number = ++device->command;
        worker_->Post([task, number](SoundDevices& devices) { task(devices, number); });
    };
    switch (parsed->verb) {
    case Verb::Play:
    case Verb::PlayFromStart: {
        const bool fromStart = parsed->verb == Verb::PlayFromStart;
        send(SoundMode::Playing, [id, fromStart](SoundDevices& devices, quint64 number) {
            devices.Play(id, number, fromStart);
        });
        return 0;
    }
    case Verb::Pause:
        if (Mode(*device) == SoundMode::Playing) {
            send(SoundMode::Paused,
                 [id](SoundDevices& devices, quint64 number) { devices.Pause(id, number); });
        }
        return 0;
    case Verb::Resume:
        if (Mode(*device) == SoundMode::Paused) {
            send(SoundMode::Playing,
                 [id](SoundDevices& devices, quint64 number) { devices.Resume(id, number); });
        }
        return 0;
    case Verb::Stop:
        send(SoundMode::Stopped,
             [id](SoundDevices& devices, quint64 number) { devices.Stop(id, number); });
        return 0;
    case Verb::Close:
        worker_->Post([id](SoundDevices& devices) { devices.Close(id); });
        worker_->Reports().Forget(id);
        open_.erase(parsed->alias.toLower());
        return 0;
    case Verb::StatusMode:
        if (reply != nullptr) {
            switch (Mode(*device)) {
            case SoundMode::Playing:
                *reply = QStringLiteral("playing");
                break;
            case SoundMode::Paused:
                *reply = QStringLiteral("paused");
                break;
            case SoundMode::Stopped:
                *reply = QStringLiteral("stopped");
                break;
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
    const QString suffix = QFileInfo(command.path).suffix().toLower();
    if (command.deviceType.isEmpty() && !PlayableExtensions().contains(suffix)) {
        return UnknownDevice;
    }
    if (!worker_->Start() || worker_->Reports().Output() == SoundOutput::Missing) {
        return NoOutput;
    }
    if (!worker_->Reports().BeginOpen(command.path)) {
        return CannotOpen;
    }
    const int id = nextId_++;
    worker_->Reports().Report(id, SoundReport{});
    worker_->Post([id, path = command.path](SoundDevices& devices) { devices.Open(id, path); });
    const std::optional<SoundReport> report = WaitForOpen(id);
    if (report && report->phase == SoundReport::Phase::Failed) {
        worker_->Post([id](SoundDevices& devices) { devices.Close(id); });
        worker_->Reports().Forget(id);
        return worker_->Reports().Output() == SoundOutput::Missing ? NoOutput : CannotOpen;
    }
    open_[command.alias.toLower()] = Device{id, SoundMode::Stopped, 0};
    return 0;
}

std::optional<SoundReport> MciInterpreter::WaitForOpen(int id) {
    // A file on a local disk has loaded within a few milliseconds.
    std::optional<SoundReport> report =
        worker_->Reports().WaitWhileOpening(id, std::chrono::milliseconds(20));
    if (!report || report->phase != SoundReport::Phase::Opening) {
        return report;
    }
    // The first sound of a process takes longer (the sound module loads). Meanwhile the
    // windows paint and answer; a command that arrives from a timer is refused as busy.
    busy_ = true;
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        report = worker_->Reports().Get(id);
        if (!report || report->phase != SoundReport::Phase::Opening ||
            waited.elapsed() >= openBound_.count()) {
            loop.quit();
        }
    });
    poll.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    busy_ = false;
    return report;
}

} // namespace plimset
