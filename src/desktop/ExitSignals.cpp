#include "desktop/ExitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plimset {

namespace {

// The write end of the socket pair, for the signal handler; -1 while none is installed.
volatile sig_atomic_t signalWriteFd = -1;
int signalReadFd = -1;

extern "C" void OnExitSignal(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (signalWriteFd >= 0) {
        [[maybe_unused]] ssize_t written = ::write(signalWriteFd, &byte, 1);
    }
    errno = savedErrno;
}

bool InstallHandler(int signalNumber) {
    struct sigaction action {};
    action.sa_handler = OnExitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(signalNumber, &action, nullptr) == 0;
}

void RestoreDefault(int signalNumber) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

ExitSignals::ExitSignals(QObject* parent) : QObject(parent) {
    if (signalWriteFd >= 0)
        return; // another instance owns the handlers
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0)
        return;
    signalReadFd = fds[0];
    signalWriteFd = fds[1];
    if (!InstallHandler(SIGTERM) || !InstallHandler(SIGINT)) {
        RestoreDefault(SIGTERM);
        RestoreDefault(SIGINT);
        ::close(fds[0]);
        ::close(fds[1]);
        signalReadFd = -1;
        signalWriteFd = -1;
        return;
    }
    notifier_ = new QSocketNotifier(signalReadFd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ExitSignals::ReadPending);
}

ExitSignals::~ExitSignals() {
    if (notifier_ == nullptr)
        return;
    RestoreDefault(SIGTERM);
    RestoreDefault(SIGINT);
    const int writeFd = signalWriteFd;
    signalWriteFd = -1;
    ::close(writeFd);
    ::close(signalReadFd);
    signalReadFd = -1;
}

void ExitSignals::ReadPending() {
    unsigned char bytes[16];
    for (;;) {
        const ssize_t n = ::read(signalReadFd, bytes, sizeof bytes);
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i)
            emit ExitRequested(bytes[i]);
    }
}

} // namespace plimset
