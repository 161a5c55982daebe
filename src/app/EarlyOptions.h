#pragma once

#include "core/WindowVerbs.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace plimset {

// The parts of the environment that decide whether a display can be opened.
struct DisplayEnvironment {
    QString display;        // DISPLAY
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString qpaPlatform;    // QT_QPA_PLATFORM
};

DisplayEnvironment DisplayEnvironmentFromProcess();

// What to do before any window system is touched.
struct EarlyAction {
    bool exit = false; // end the process with exitCode after writing the texts
    int exitCode = 0;
    QString standardOutput; // text for stdout, "" for none
    QString standardError;  // text for stderr, "" for none
    // --toggle, --show or --hide: for the running Plimset, or for a new one where none runs.
    std::optional<WindowVerb> windowVerb;
};

// Reads the switches that need no display: --help and -h print the usage, --version the
// name and version, each to stdout and ending with 0 (the first of them wins). A window verb
// (--toggle, --show, --hide) stands alone: with other arguments it is one line for stderr
// and exit code 2. Otherwise,
// when the window system Qt would use cannot be reached from this environment, one line
// for stderr and a non-zero exit code; else the program goes on (exit false).
// arguments are the process's arguments without the program name.
EarlyAction EarlyOptions(const QString& programPath, const QStringList& arguments,
                         const DisplayEnvironment& environment);

// The same for main()'s argc and argv.
EarlyAction EarlyOptions(int argc, const char* const* argv, const DisplayEnvironment& environment);

// Writes the action's texts to stdout and stderr and returns its exit code.
int FinishEarly(const EarlyAction& action);

} // namespace plimset
