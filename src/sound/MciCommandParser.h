#pragma once

#include <QString>

#include <optional>

namespace plimset {

// One command of the sound layer's command-string language, taken apart. Only these
// forms exist (the alias is one word of letters, digits and underscores):
//   open "<path>" alias <a> wait
//   open "<path>" type <device> alias <a> wait
//   play <a> | play <a> from 0 | pause <a> | resume <a>
//   stop <a> wait | close <a> wait | status <a> mode
//   sysinfo all quantity wait | sysinfo all name <n>
// The path runs from the first double quote to the last one, so a path may itself hold
// quotes, spaces, keywords or line breaks without changing the command.
struct MciParsedCommand {
    enum class Verb {
        Open,
        Play,
        PlayFromStart,
        Pause,
        Resume,
        Stop,
        Close,
        StatusMode,
        SysinfoQuantity,
        SysinfoName,
    };
    Verb verb = Verb::Play;
    QString alias;
    QString path;       // Open only
    QString deviceType; // Open only; empty when the device is chosen by the file's extension
    int index = 0;      // SysinfoName only, from 1
};

// The command a string holds, or nothing when the string is not exactly one of the forms.
std::optional<MciParsedCommand> ParseMciCommand(const QString& command);

} // namespace plimset
