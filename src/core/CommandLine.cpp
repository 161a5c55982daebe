#include "core/CommandLine.h"

#include "core/AppState.h"

#include <QCoreApplication>

namespace plimset {

namespace {

// The command-line messages speak the interface's language.
QString tooLongMessage() {
    return QCoreApplication::translate("CommandLine",
                                       "Enter the arguments in %1 characters or fewer.")
        .arg(MaxCommandLineLength);
}

QString withUsage(const char* message, const QString& usageText) {
    return QCoreApplication::translate("CommandLine", message) + QStringLiteral("\r\n\r\n") +
           usageText;
}

QString withoutSurroundingSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') {
        ++first;
    }
    while (last > first && text[last - 1] == u' ') {
        --last;
    }
    return text.mid(first, last - first);
}

} // namespace

QStringList SplitCommandLine(const QString& text, QString* errorMessage) {
    QStringList tokens{QString()};
    if (errorMessage) {
        errorMessage->clear();
    }
    if (text.size() > MaxCommandLineLength) {
        if (errorMessage) {
            *errorMessage = tooLongMessage();
        }
        return tokens;
    }

    const qsizetype length = text.size();
    qsizetype p = 0; // index of the character being looked at
    bool inQuote = false;
    while (p < length) {
        const qsizetype quote = text.indexOf(u'"', p); // -1: none left
        const qsizetype space = text.indexOf(u' ', p); // -1: none left
        if (inQuote) {
            // The group runs from its opening quote (just before p) to the closing
            // quote, or to the end of the text when it is never closed.
            const qsizetype close = quote < 0 ? length - 1 : quote;
            tokens.append(text.mid(p - 1, close - p + 2));
            inQuote = false;
            p = close;
        } else if (quote >= 0 && (space < 0 || quote < space)) {
            // A quote comes before the next space: a group opens there, and whatever
            // stood between the previous token and the quote is dropped.
            inQuote = true;
            p = quote;
        } else if (space >= 0) {
            if (text[p] != u' ') {
                tokens.append(text.mid(p, space - p));
            }
            p = space;
        } else {
            tokens.append(text.mid(p));
            break;
        }
        ++p;
    }
    return tokens;
}

CommandLineResult ParseCommandLine(const QString& argumentText, const QString& usageText) {
    CommandLineResult result;
    QString error;
    const QStringList tokens = SplitCommandLine(argumentText, &error);
    if (!error.isEmpty()) {
        result.Message = error;
        result.MessageStyle = MessageStyle::Critical;
        return result;
    }

    // "/?" wins wherever it stands.
    for (qsizetype i = 1; i < tokens.size(); ++i) {
        if (tokens[i] == QStringLiteral("/?")) {
            result.Message = usageText;
            result.MessageStyle = MessageStyle::Information;
            result.ExitAfterMessage = true;
            return result;
        }
    }

    // On an error, the options read so far stay in effect but the input text does not.
    QString pending;
    for (qsizetype i = 1; i < tokens.size(); ++i) {
        const QString& token = tokens[i];
        if (!token.startsWith(u'/')) {
            if (!pending.isEmpty()) {
                result.Message = withUsage(
                    QT_TRANSLATE_NOOP("CommandLine", "The number of arguments is invalid."),
                    usageText);
                result.MessageStyle = MessageStyle::Critical;
                return result;
            }
            pending = token;
            pending.remove(u'"');
            continue;
        }
        const QString option = token.mid(1).toUpper();
        if (option == u'C') {
            result.CommandLineMode = TimerMode::CountDown;
        } else if (option == u'A') {
            result.CommandLineMode = TimerMode::Alarm;
        } else if (option == u'S') {
            result.CommandLineMode = TimerMode::StopWatch;
        } else {
            result.Message =
                withUsage(QT_TRANSLATE_NOOP("CommandLine", "Invalid command."), usageText);
            result.MessageStyle = MessageStyle::Critical;
            return result;
        }
    }
    if (!withoutSurroundingSpaces(pending).isEmpty()) {
        result.CommandLineText = pending;
    }
    return result;
}

QString JoinArguments(const QStringList& arguments) {
    // The argument text has no way to escape a double quote, and the input text loses
    // its quotes anyway, so quotes are dropped here; that keeps every argument one
    // token. An argument left empty would only make an empty group, so it is skipped.
    QStringList parts;
    for (QString argument : arguments) {
        argument.remove(u'"');
        if (argument.isEmpty()) {
            continue;
        }
        if (argument.contains(u' ')) {
            argument = u'"' + argument + u'"';
        }
        parts.append(argument);
    }
    return parts.join(u' ');
}

} // namespace plimset
