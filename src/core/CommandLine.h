#pragma once

#include "core/AppState.h"
#include "core/MessageStyle.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace plimset {

// The longest argument text that is read at all.
constexpr qsizetype MaxCommandLineLength = 9999;

// Splits an argument text into tokens: words between spaces, or double-quoted groups
// that keep their quotes. Element 0 is always an empty placeholder. A text longer than
// MaxCommandLineLength yields no tokens and the message to show in *errorMessage.
QStringList SplitCommandLine(const QString& text, QString* errorMessage);

// What the command line asks of start-up.
struct CommandLineResult {
    std::optional<TimerMode> CommandLineMode; // none: keep the loaded mode
    QString CommandLineText;                  // the input text for the time box; empty: none
    QString Message;                          // a message to show first; empty: nothing to show
    plimset::MessageStyle MessageStyle = plimset::MessageStyle::Plain;
    bool ExitAfterMessage = false; // "/?": end the program once the message is closed
};

// Reads the argument text; shows nothing itself.
CommandLineResult ParseCommandLine(const QString& argumentText, const QString& usageText);

// The program's arguments (without the program name) as one argument text.
QString JoinArguments(const QStringList& arguments);

} // namespace plimset
