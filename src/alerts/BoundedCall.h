#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace plimset {

// Runs a call that may block for good (a file on a network mount that hangs) on a thread
// of its own and waits at most `bound` for its result. A call that takes longer is left to
// finish on its own and its result is dropped; the caller gets nothing.
template <typename T>
std::optional<T> CallWithin(std::function<T()> call, std::chrono::milliseconds bound) {
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<T> result;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, call = std::move(call)] {
        T value = call();
        const std::lock_guard lock(shared->mutex);
        shared->result = std::move(value);
        shared->done.notify_all();
    }).detach();
    std::unique_lock lock(shared->mutex);
    shared->done.wait_for(lock, bound, [&] { return shared->result.has_value(); });
    return shared->result;
}

} // namespace plimset
