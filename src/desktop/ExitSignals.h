#pragma once

#include <QObject>

class QSocketNotifier;

namespace plimset {

// Turns SIGTERM and SIGINT into a Qt signal on the user-interface thread, so that a
// request to end the process closes the main window the normal way and its state is
// saved. The handler only writes one byte to a socket pair; the event loop reads it.
// One instance per process: the handler has to reach the socket through a file-scope
// descriptor, since a signal handler takes no context.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

    // False when the socket pair or the handlers could not be set up.
    bool IsInstalled() const { return notifier_ != nullptr; }

signals:
    void ExitRequested(int signalNumber);

private:
    void ReadPending();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace plimset
