#pragma once

#include "core/WindowVerbs.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <optional>

namespace plimset {

// Hands on the verbs for the main window no faster than the window can act on them. A verb
// is carried out once the event loop has taken what else is waiting, and the next not before
// `interval` has passed; the verbs that come meanwhile make one (CombineWindowVerbs). So a
// burst of requests costs the user-interface thread next to nothing, and a verb that follows
// it is carried out within the interval.
class WindowVerbPacer final : public QObject {
    Q_OBJECT
public:
    explicit WindowVerbPacer(std::chrono::milliseconds interval, QObject* parent = nullptr);

    void Add(WindowVerb verb);

signals:
    void Due(plimset::WindowVerb verb);

private:
    void CarryOut();

    std::chrono::milliseconds interval_;
    std::optional<WindowVerb> pending_;
    QTimer timer_; // runs while a verb waits for its turn
    QElapsedTimer sinceCarriedOut_;
};

} // namespace plimset
