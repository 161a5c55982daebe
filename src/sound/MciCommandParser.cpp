#include "sound/MciCommandParser.h"

#include <QStringList>

namespace plimset {

namespace {

bool IsAliasWord(const QString& word) {
    if (word.isEmpty() || word.size() > 64) {
        return false;
    }
    for (const QChar c : word) {
        const char16_t u = c.unicode();
        const bool ok =
            (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
        if (!ok) {
            return false;
        }
    }
    return true;
}

// A decimal number from 1 without sign, spaces or leading zeros.
std::optional<int> PositiveNumber(const QString& word) {
    if (word.isEmpty() || word.size() > 5 || word.front() == u'0') {
        return std::nullopt;
    }
    int value = 0;
    for (const QChar c : word) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// "open": everything between the first and the last double quote is the path; what
// follows the last quote must be exactly one of the two tails.
std::optional<MciParsedCommand> ParseOpen(const QString& command) {
    static const QString head = QStringLiteral("open \"");
    if (!command.startsWith(head)) {
        return std::nullopt;
    }
    const qsizetype close = command.lastIndexOf(u'"');
    if (close < head.size()) {
        return std::nullopt;
    }
    MciParsedCommand parsed;
    parsed.verb = MciParsedCommand::Verb::Open;
    parsed.path = command.mid(head.size(), close - head.size());
    if (parsed.path.isEmpty()) {
        return std::nullopt;
    }
    const QStringList tail = command.mid(close + 1).split(u' ');
    // The tail starts with a space, so its first piece is empty.
    if (tail.size() == 4 && tail[0].isEmpty() && tail[1] == u"alias" && tail[3] == u"wait" &&
        IsAliasWord(tail[2])) {
        parsed.alias = tail[2];
        return parsed;
    }
    if (tail.size() == 6 && tail[0].isEmpty() && tail[1] == u"type" && tail[3] == u"alias" &&
        tail[5] == u"wait" && IsAliasWord(tail[2]) && IsAliasWord(tail[4])) {
        parsed.deviceType = tail[2];
        parsed.alias = tail[4];
        return parsed;
    }
    return std::nullopt;
}

} // namespace

std::optional<MciParsedCommand> ParseMciCommand(const QString& command) {
    using Verb = MciParsedCommand::Verb;
    if (command.startsWith(u"open ")) {
        return ParseOpen(command);
    }
    // Every other form is plain words separated by single spaces.
    const QStringList w = command.split(u' ');
    MciParsedCommand parsed;
    if (w.size() == 4 && w[0] == u"sysinfo" && w[1] == u"all" && w[2] == u"quantity" &&
        w[3] == u"wait") {
        parsed.verb = Verb::SysinfoQuantity;
        return parsed;
    }
    if (w.size() == 4 && w[0] == u"sysinfo" && w[1] == u"all" && w[2] == u"name") {
        const std::optional<int> index = PositiveNumber(w[3]);
        if (!index) {
            return std::nullopt;
        }
        parsed.verb = Verb::SysinfoName;
        parsed.index = *index;
        return parsed;
    }
    if (w.size() < 2 || !IsAliasWord(w[1])) {
        return std::nullopt;
    }
    parsed.alias = w[1];
    const QString& word = w[0];
    if (w.size() == 2) {
        if (word == u"play") {
            parsed.verb = Verb::Play;
        } else if (word == u"pause") {
            parsed.verb = Verb::Pause;
        } else if (word == u"resume") {
            parsed.verb = Verb::Resume;
        } else {
            return std::nullopt;
        }
        return parsed;
    }
    if (w.size() == 3 && w[2] == u"wait" && (word == u"stop" || word == u"close")) {
        parsed.verb = word == u"stop" ? Verb::Stop : Verb::Close;
        return parsed;
    }
    if (w.size() == 3 && word == u"status" && w[2] == u"mode") {
        parsed.verb = Verb::StatusMode;
        return parsed;
    }
    if (w.size() == 4 && word == u"play" && w[2] == u"from" && w[3] == u"0") {
        parsed.verb = Verb::PlayFromStart;
        return parsed;
    }
    return std::nullopt;
}

} // namespace plimset
