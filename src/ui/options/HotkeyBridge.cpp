#include "ui/options/HotkeyBridge.h"

namespace plimset {

namespace {

bool DigitOrLetter(int key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
}

} // namespace

QString HotkeyCodeText(qint16 code) {
    if (code <= 0)
        return QString();
    const QString digits = QString::number(code);
    const int mask = digits.left(1).toInt();
    const int key = digits.mid(1).toInt();
    if (mask < 1 || mask > 7 || !DigitOrLetter(key))
        return QString();
    QStringList names;
    if (mask & 2)
        names << QStringLiteral("Ctrl");
    if (mask & 4)
        names << QStringLiteral("Shift");
    if (mask & 1)
        names << QStringLiteral("Alt");
    return names.join(QStringLiteral(" + ")) + QStringLiteral(" + ") + QChar(key);
}

qint16 HotkeyTextCode(const QString& text) {
    if (text.isEmpty())
        return 0;
    int mask = 0;
    if (text.contains(QStringLiteral("Ctrl")))
        mask += 2;
    if (text.contains(QStringLiteral("Shift")))
        mask += 4;
    if (text.contains(QStringLiteral("Alt")))
        mask += 1;
    const qsizetype plus = text.lastIndexOf(QStringLiteral("+ "));
    const QString rest = plus < 0 ? text : text.mid(plus + 2);
    const int key = rest.isEmpty() ? 0 : rest.front().toUpper().unicode();
    if (mask == 0 || !DigitOrLetter(key))
        return 0;
    return static_cast<qint16>(mask * 100 + key);
}

} // namespace plimset
