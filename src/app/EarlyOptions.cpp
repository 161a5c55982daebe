#include "app/EarlyOptions.h"

#include "core/CommandLine.h"
#include "core/Version.h"
#include "text/UsageText.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace plimset {

namespace {

QString ProgramName(const QString& programPath) {
    const QString name = QFileInfo(programPath).completeBaseName();
    return name.isEmpty() ? QStringLiteral("plimset") : name;
}

QString HelpText(const QString& programName) {
    QString usage = UsageText(programName);
    usage.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return usage + QCoreApplication::translate(
                       "EarlyOptions",
                       "/?     Show this usage in a message box.\n"
                       "\n"
                       "  --toggle     Hide or show the running Plimset as its hotkey does\n"
                       "               (start one where none runs). Bind a desktop\n"
                       "               shortcut to \"plimset --toggle\" where the hotkey\n"
                       "               cannot be had.\n"
                       "  --show       Bring the running Plimset to the front (start one\n"
                       "               where none runs).\n"
                       "  --hide       Hide the running Plimset to the tray, or minimize it.\n"
                       "  -h, --help   Print this usage and exit.\n"
                       "  --version    Print the name and version and exit.\n");
}

// The platform named by -platform on the command line, else by QT_QPA_PLATFORM; "" when
// Qt is left to its default.
QString RequestedPlatform(const QStringList& arguments, const DisplayEnvironment& environment) {
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("-platform") ||
            arguments[i] == QStringLiteral("--platform")) {
            return arguments[i + 1];
        }
    }
    return environment.qpaPlatform;
}

// Whether one platform of a list such as "wayland;xcb" (each optionally followed by
// ":options") can start here. Platforms that need no display server (offscreen, vnc and
// the like) always can.
bool PlatformCanStart(const QString& entry, const DisplayEnvironment& environment) {
    const QString name = entry.section(u':', 0, 0).trimmed();
    if (name == QStringLiteral("xcb")) {
        return !environment.display.isEmpty();
    }
    if (name.startsWith(QStringLiteral("wayland"))) {
        return !environment.waylandDisplay.isEmpty();
    }
    return !name.isEmpty();
}

bool DisplayReachable(const QString& platform, const DisplayEnvironment& environment) {
    const QStringList entries = platform.split(u';', Qt::SkipEmptyParts);
    if (entries.isEmpty()) {
        return !environment.display.isEmpty() || !environment.waylandDisplay.isEmpty();
    }
    for (const QString& entry : entries) {
        if (PlatformCanStart(entry, environment)) {
            return true;
        }
    }
    return false;
}

} // namespace

DisplayEnvironment DisplayEnvironmentFromProcess() {
    return {qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"),
            qEnvironmentVariable("QT_QPA_PLATFORM")};
}

EarlyAction EarlyOptions(const QString& programPath, const QStringList& arguments,
                         const DisplayEnvironment& environment) {
    const QString programName = ProgramName(programPath);
    EarlyAction action;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            action.exit = true;
            action.standardOutput = HelpText(programName);
            return action;
        }
        if (argument == QStringLiteral("--version")) {
            action.exit = true;
            action.standardOutput =
                QStringLiteral("Plimset %1\n").arg(QString::fromLatin1(ProgramVersion));
            return action;
        }
    }

    for (const QString& argument : arguments) {
        if (const std::optional<WindowVerb> verb = WindowVerbOfSwitch(argument)) {
            if (arguments.size() != 1) {
                action.exit = true;
                action.exitCode = 2;
                action.standardError =
                    QStringLiteral("%1: %2 takes no other arguments\n").arg(programName, argument);
                return action;
            }
            action.windowVerb = verb;
        }
    }

    const QString platform = RequestedPlatform(arguments, environment);
    if (!DisplayReachable(platform, environment)) {
        action.exit = true;
        action.exitCode = 1;
        action.standardError =
            platform.split(u';', Qt::SkipEmptyParts).isEmpty()
                ? QStringLiteral("%1: cannot start: no display (neither DISPLAY nor "
                                 "WAYLAND_DISPLAY is set)\n")
                      .arg(programName)
                : QStringLiteral("%1: cannot start: no display for the platform \"%2\"\n")
                      .arg(programName, platform);
    }
    return action;
}

EarlyAction EarlyOptions(int argc, const char* const* argv, const DisplayEnvironment& environment) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return EarlyOptions(argc > 0 ? QString::fromLocal8Bit(argv[0]) : QString(), arguments,
                        environment);
}

int FinishEarly(const EarlyAction& action) {
    std::fputs(action.standardOutput.toLocal8Bit().constData(), stdout);
    std::fputs(action.standardError.toLocal8Bit().constData(), stderr);
    std::fflush(stdout);
    return action.exitCode;
}

} // namespace plimset
