#include "sound/SoundWorker.h"

#include "sound/SoundBackend.h"
#include "sound/SoundModule.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace plimset {

namespace {

constexpr int tickMs = 100;
constexpr unsigned long endBoundMs = 400;

} // namespace

// What lives on the thread: made by the first task, destroyed by the last.
struct SoundWorker::OnThread {
    std::unique_ptr<SoundBackend> backend;
    std::unique_ptr<SoundDevices> devices;
    std::unique_ptr<QTimer> ticker;
    QElapsedTimer clock;
};

SoundWorker::SoundWorker(BackendMaker makeBackend) : makeBackend_(std::move(makeBackend)) {}

SoundWorker::~SoundWorker() {
    if (!started_) {
        return;
    }
    // Everything on the thread is destroyed there, after the commands posted before.
    QMetaObject::invokeMethod(
        context_,
        [on = onThread_, context = context_] {
            on->ticker.reset();
            on->devices.reset();
            on->backend.reset();
            context->deleteLater();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (!thread_->wait(endBoundMs)) {
        std::fflush(nullptr);
        ::_exit(EXIT_SUCCESS);
    }
}

bool SoundWorker::Start() {
    if (started_ || failed_) {
        return started_;
    }
    thread_ = std::make_unique<QThread>();
    thread_->setObjectName(QStringLiteral("sound"));
    thread_->start();
    if (!thread_->isRunning()) {
        // No thread can be made now: every play fails, and nothing is tried again.
        failed_ = true;
        thread_.reset();
        return false;
    }
    context_ = new QObject;
    context_->moveToThread(thread_.get());
    onThread_ = std::make_shared<OnThread>();
    started_ = true;
    QMetaObject::invokeMethod(
        context_,
        [this, on = onThread_] {
            on->backend = makeBackend_();
            reports_.SetOutput(on->backend ? SoundOutput::Loaded : SoundOutput::Missing);
            if (!on->backend) {
                on->backend = MakeSilentBackend();
            }
            on->devices = std::make_unique<SoundDevices>(*on->backend, reports_);
            on->ticker = std::make_unique<QTimer>();
            on->ticker->setInterval(tickMs);
            on->clock.start();
            QObject::connect(on->ticker.get(), &QTimer::timeout, [on] {
                on->devices->Tick(std::chrono::milliseconds(on->clock.elapsed()));
                if (!on->devices->Active()) {
                    on->ticker->stop();
                }
            });
        },
        Qt::QueuedConnection);
    return true;
}

void SoundWorker::Post(std::function<void(SoundDevices&)> task) {
    if (!started_) {
        return;
    }
    QMetaObject::invokeMethod(
        context_,
        [on = onThread_, task = std::move(task)] {
            if (!on->devices) {
                return;
            }
            on->devices->Tick(std::chrono::milliseconds(on->clock.elapsed()));
            task(*on->devices);
            if (on->devices && on->devices->Active() && !on->ticker->isActive()) {
                on->ticker->start();
            }
        },
        Qt::QueuedConnection);
}

std::shared_ptr<SoundWorker> SoundWorker::Shared() {
    static std::mutex mutex;
    static std::weak_ptr<SoundWorker> shared;
    const std::lock_guard lock(mutex);
    std::shared_ptr<SoundWorker> worker = shared.lock();
    if (!worker) {
        worker = std::make_shared<SoundWorker>(LoadSoundBackend);
        shared = worker;
    }
    return worker;
}

} // namespace plimset
