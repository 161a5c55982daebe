#include "text/UsageText.h"

#include "text/TextIds.h"

#include <QStringList>

namespace plimset {

QString UsageText(const QString& executableBaseName,
                  const std::function<QString(int)>& localizedText) {
    const QStringList lines{
        localizedText(TextIds::UsageTitle),
        QString(),
        executableBaseName + QStringLiteral(" [/C | /A | /S] [") +
            localizedText(TextIds::UsageInputText) + u']',
        QString(),
        QStringLiteral("/C     ") + localizedText(TextIds::UsageCountDown),
        QStringLiteral("/A     ") + localizedText(TextIds::UsageAlarm),
        QStringLiteral("/S     ") + localizedText(TextIds::UsageStopWatch),
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace plimset
