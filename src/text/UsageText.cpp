#include "text/UsageText.h"

#include <QCoreApplication>
#include <QStringList>

namespace plimset {

QString UsageText(const QString& executableBaseName) {
    const auto tr = [](const char* source) {
        return QCoreApplication::translate("UsageText", source);
    };
    const QStringList lines{
        tr(QT_TRANSLATE_NOOP("UsageText", "Command Line Options")),
        QString(),
        executableBaseName + QStringLiteral(" [/C | /A | /S] [") +
            tr(QT_TRANSLATE_NOOP("UsageText", "Input Text")) + u']',
        QString(),
        QStringLiteral("/C     ") + tr(QT_TRANSLATE_NOOP("UsageText", "Start CountDown Mode.")),
        QStringLiteral("/A     ") + tr(QT_TRANSLATE_NOOP("UsageText", "Start Alarm Mode.")),
        QStringLiteral("/S     ") + tr(QT_TRANSLATE_NOOP("UsageText", "Start StopWatch Mode.")),
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace plimset
