// The command-line splitter and parser with any text, and the joining of any argument
// list: tokens are never empty, a long text gives none, the parser's result is one the
// start-up can apply, and joined arguments split back into the same arguments.
#include "FuzzSupport.h"
#include "core/CommandLine.h"

#include <QList>

using namespace plimset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);

    QString error;
    const QStringList tokens = SplitCommandLine(text, &error);
    FUZZ_CHECK(!tokens.isEmpty() && tokens[0].isEmpty());
    if (text.size() > MaxCommandLineLength) {
        FUZZ_CHECK(!error.isEmpty() && tokens.size() == 1);
    } else {
        FUZZ_CHECK(error.isEmpty());
    }
    for (qsizetype i = 1; i < tokens.size(); ++i) {
        FUZZ_CHECK(!tokens[i].isEmpty());
        FUZZ_CHECK(tokens[i].startsWith(u'"') || !tokens[i].contains(u' '));
    }

    const QString usage = QStringLiteral("usage");
    const CommandLineResult result = ParseCommandLine(text, usage);
    FUZZ_CHECK(!result.CommandLineText.contains(u'"'));
    FUZZ_CHECK(result.Message.isEmpty() || result.MessageStyle == MessageStyle::Critical ||
               result.MessageStyle == MessageStyle::Information);
    if (result.ExitAfterMessage) {
        FUZZ_CHECK(result.MessageStyle == MessageStyle::Information && result.Message == usage);
    }
    if (!result.Message.isEmpty()) {
        FUZZ_CHECK(result.CommandLineText.isEmpty());
    }

    // The same bytes as an argument list, one argument per NUL-separated piece.
    QStringList arguments;
    QStringList expected{QString()};
    for (const QByteArray& piece : bytes.split('\0')) {
        QString argument = QString::fromUtf8(piece);
        arguments.append(argument);
        argument.remove(u'"');
        if (!argument.isEmpty()) {
            expected.append(argument.contains(u' ') ? u'"' + argument + u'"' : argument);
        }
    }
    const QString joined = JoinArguments(arguments);
    if (joined.size() <= MaxCommandLineLength) {
        FUZZ_CHECK(SplitCommandLine(joined, &error) == expected);
    }
    return 0;
}
