#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace plimset {

// What is asked about a path.
enum class PathQuestion {
    Exists,   // something that is not a folder is at the path
    Readable, // a regular file whose first byte can be read
};

// The answer the file system gives; may block for good on a hung network mount. A
// readable file must be a regular one: a pipe or a device never counts.
bool AnswerFromFileSystem(PathQuestion question, const QString& path);

// Asks the file system about paths on threads of their own, so a mount that hangs holds up
// nobody. At most one question per path and kind is in flight, and a path whose question
// has not come back is answered "not known" until it does; the number of threads waiting
// at once is bounded too, and a thread that cannot be made is an unanswered question.
class PathProbe {
public:
    using Answerer = std::function<bool(PathQuestion, const QString&)>;

    explicit PathProbe(Answerer answer = AnswerFromFileSystem, int maxInFlight = 8);
    ~PathProbe();

    // Starts the question; `done` runs with the answer on the thread that answered. False, and
    // `done` never runs, when the same question is in flight or no thread can be had.
    bool Ask(PathQuestion question, const QString& path, std::function<void(bool)> done);
    // The answer if it comes within `bound`, otherwise nothing.
    std::optional<bool> AskWithin(PathQuestion question, const QString& path,
                                  std::chrono::milliseconds bound);
    // How many questions are in flight.
    int InFlight() const;

    // The program's probe.
    static PathProbe& Shared();

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace plimset
