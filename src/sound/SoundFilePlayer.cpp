#include "sound/SoundFilePlayer.h"

#include "sound/PathProbe.h"
#include "sound/SoundDevices.h"
#include "sound/SoundWorker.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace plimset {

namespace {

// Long enough for a local disk or a working network mount, short enough not to be felt.
constexpr std::chrono::milliseconds fileCheckBound{100};

} // namespace

bool FileExistsWithin(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    return PathProbe::Shared()
        .AskWithin(PathQuestion::Exists, path, fileCheckBound)
        .value_or(false);
}

SoundFilePlayer::SoundFilePlayer(std::chrono::milliseconds openBound,
                                 std::shared_ptr<SoundWorker> worker,
                                 std::function<bool(const QString&)> fileExists)
    : openBound_(openBound), worker_(worker ? std::move(worker) : SoundWorker::Shared()),
      fileExists_(fileExists ? std::move(fileExists)
                             : std::function<bool(const QString&)>(FileExistsWithin)) {}

SoundFilePlayer::~SoundFilePlayer() {
    Close();
}

bool SoundFilePlayer::ThreadStarted() const {
    return worker_->Started();
}

SoundMode SoundFilePlayer::Mode() const {
    // The thread's report counts once it has caught up with the last command; until then
    // the command's own outcome is the answer.
    const std::optional<SoundReport> report = worker_->Reports().Get(file_->id);
    if (report && report->command == file_->command) {
        return report->phase == SoundReport::Phase::Failed ? SoundMode::Stopped : report->mode;
    }
    return file_->requested;
}

SoundState SoundFilePlayer::State() const {
    if (!file_) {
        return SoundState::NotOpen;
    }
    switch (Mode()) {
    case SoundMode::Playing:
        return SoundState::Playing;
    case SoundMode::Paused:
        return SoundState::Paused;
    case SoundMode::Stopped:
        break;
    }
    return SoundState::Stopped;
}

void SoundFilePlayer::Send(SoundMode requested,
                           std::function<void(SoundDevices&, int, quint64)> task) {
    if (!file_) {
        return;
    }
    file_->requested = requested;
    const quint64 number = ++file_->command;
    worker_->Post([task = std::move(task), id = file_->id, number](SoundDevices& devices) {
        task(devices, id, number);
    });
}

void SoundFilePlayer::PlayFromStart() {
    // A file not played since it opened is at its start already; asking for the start again
    // would decode a long file anew.
    const bool fromStart = file_ && !file_->atStart;
    Send(SoundMode::Playing, [fromStart](SoundDevices& devices, int id, quint64 number) {
        devices.Play(id, number, fromStart);
    });
    if (file_) {
        file_->atStart = false;
    }
}

void SoundFilePlayer::Pause() {
    if (State() == SoundState::Playing) {
        Send(SoundMode::Paused,
             [](SoundDevices& devices, int id, quint64 number) { devices.Pause(id, number); });
    }
}

void SoundFilePlayer::Resume() {
    if (State() == SoundState::Paused) {
        Send(SoundMode::Playing,
             [](SoundDevices& devices, int id, quint64 number) { devices.Resume(id, number); });
    }
}

void SoundFilePlayer::Stop() {
    Send(SoundMode::Stopped,
         [](SoundDevices& devices, int id, quint64 number) { devices.Stop(id, number); });
}

void SoundFilePlayer::Close() {
    if (!file_) {
        return;
    }
    worker_->Post([id = file_->id](SoundDevices& devices) { devices.Close(id); });
    worker_->Reports().Forget(file_->id);
    file_.reset();
}

SoundOpenResult SoundFilePlayer::Open(const QString& path) {
    if (opening_) {
        return SoundOpenResult::CannotPlay;
    }
    Close();
    if (path.isEmpty() || !fileExists_(path)) {
        return SoundOpenResult::NotFound;
    }
    if (!worker_->Start() || worker_->Reports().Output() == SoundOutput::Missing) {
        return SoundOpenResult::NoOutput;
    }
    if (!worker_->Reports().BeginOpen(path)) {
        return SoundOpenResult::CannotPlay;
    }
    const int id = nextId_++;
    worker_->Reports().Report(id, SoundReport{});
    worker_->Post([id, path](SoundDevices& devices) { devices.Open(id, path); });
    const std::optional<SoundReport> report = WaitForOpen(id);
    if (report && report->phase == SoundReport::Phase::Failed) {
        worker_->Post([id](SoundDevices& devices) { devices.Close(id); });
        worker_->Reports().Forget(id);
        return worker_->Reports().Output() == SoundOutput::Missing ? SoundOpenResult::NoOutput
                                                                   : SoundOpenResult::CannotPlay;
    }
    file_ = OpenFile{id, SoundMode::Stopped, 0, true};
    return SoundOpenResult::Opened;
}

std::optional<SoundReport> SoundFilePlayer::WaitForOpen(int id) {
    // A file on a local disk has loaded within a few milliseconds.
    std::optional<SoundReport> report =
        worker_->Reports().WaitWhileOpening(id, std::chrono::milliseconds(20));
    if (!report || report->phase != SoundReport::Phase::Opening) {
        return report;
    }
    // The first sound of a process takes longer (the sound module loads). Meanwhile the
    // windows paint and answer; no file is open for the calls that arrive from timers then.
    opening_ = true;
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        report = worker_->Reports().Get(id);
        if (!report || report->phase != SoundReport::Phase::Opening ||
            waited.elapsed() >= openBound_.count()) {
            loop.quit();
        }
    });
    poll.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    opening_ = false;
    return report;
}

} // namespace plimset
