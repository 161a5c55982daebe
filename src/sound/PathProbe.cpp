#include "sound/PathProbe.h"

#include <QFile>

#include <condition_variable>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plimset {

bool AnswerFromFileSystem(PathQuestion question, const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    if (question == PathQuestion::Exists) {
        struct stat info {};
        return ::stat(name.constData(), &info) == 0 && !S_ISDIR(info.st_mode);
    }
    // Without blocking on a pipe that nobody writes: its open returns at once and it is
    // refused for not being a regular file.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    char byte = 0;
    const bool readable =
        ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::pread(fd, &byte, 1, 0) == 1;
    ::close(fd);
    return readable;
}

struct PathProbe::State {
    Answerer answer;
    int maxInFlight = 0;
    mutable std::mutex mutex;
    std::set<std::pair<int, QString>> inFlight;
};

PathProbe::PathProbe(Answerer answer, int maxInFlight) : state_(std::make_shared<State>()) {
    state_->answer = std::move(answer);
    state_->maxInFlight = maxInFlight;
}

// A question still in flight keeps the state alive on its own thread.
PathProbe::~PathProbe() = default;

bool PathProbe::Ask(PathQuestion question, const QString& path, std::function<void(bool)> done) {
    const std::pair<int, QString> key{static_cast<int>(question), path};
    {
        const std::lock_guard lock(state_->mutex);
        if (state_->inFlight.contains(key) ||
            static_cast<int>(state_->inFlight.size()) >= state_->maxInFlight) {
            return false;
        }
        state_->inFlight.insert(key);
    }
    try {
        // Not joined: a thread stuck in the file system must not hold up its asker. The
        // in-flight set bounds how many there can be.
        std::thread([state = state_, key, question, path, done = std::move(done)] {
            const bool answer = state->answer(question, path);
            {
                const std::lock_guard lock(state->mutex);
                state->inFlight.erase(key);
            }
            done(answer);
        }).detach();
    } catch (const std::system_error&) {
        const std::lock_guard lock(state_->mutex);
        state_->inFlight.erase(key);
        return false;
    }
    return true;
}

std::optional<bool> PathProbe::AskWithin(PathQuestion question, const QString& path,
                                         std::chrono::milliseconds bound) {
    struct Reply {
        std::mutex mutex;
        std::condition_variable ready;
        std::optional<bool> answer;
    };
    auto reply = std::make_shared<Reply>();
    const bool asked = Ask(question, path, [reply](bool answer) {
        const std::lock_guard lock(reply->mutex);
        reply->answer = answer;
        reply->ready.notify_all();
    });
    if (!asked) {
        return std::nullopt;
    }
    std::unique_lock lock(reply->mutex);
    reply->ready.wait_for(lock, bound, [&] { return reply->answer.has_value(); });
    return reply->answer;
}

int PathProbe::InFlight() const {
    const std::lock_guard lock(state_->mutex);
    return static_cast<int>(state_->inFlight.size());
}

PathProbe& PathProbe::Shared() {
    static PathProbe probe;
    return probe;
}

} // namespace plimset
