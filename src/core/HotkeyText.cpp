#include "core/HotkeyText.h"

#include <QRegularExpression>
#include <QStringList>

namespace plimset {

namespace {

bool IsHotkeyKey(char16_t key) {
    return (key >= u'0' && key <= u'9') || (key >= u'A' && key <= u'Z');
}

} // namespace

std::optional<HotkeyParts> SplitHotkeyCode(qint16 code) {
    if (code <= 0)
        return std::nullopt;
    const QString digits = QString::number(code);
    if (digits.size() < 3) // the smallest key code has two digits
        return std::nullopt;
    const int modifiers = digits.front().digitValue();
    const int key = digits.mid(1).toInt();
    if (modifiers < 1 || modifiers > 7 || digits.at(1) == u'0' || !IsHotkeyKey(char16_t(key)))
        return std::nullopt;
    return HotkeyParts{static_cast<qint16>(modifiers), char16_t(key)};
}

QString HotkeyCodeToText(qint16 code) {
    const std::optional<HotkeyParts> parts = SplitHotkeyCode(code);
    if (!parts)
        return {};
    QString text;
    const auto add = [&text](const char* name) {
        if (!text.isEmpty())
            text += QStringLiteral(" + ");
        text += QLatin1String(name);
    };
    if (parts->Modifiers & HotkeyCtrl)
        add("Ctrl");
    if (parts->Modifiers & HotkeyShift)
        add("Shift");
    if (parts->Modifiers & HotkeyAlt)
        add("Alt");
    return text + QStringLiteral(" + ") + QChar(parts->Key);
}

QString DesktopKeyText(const QString& description) {
    static const QRegularExpression separators(QStringLiteral("[+\\s<>]+"));
    bool ctrl = false, shift = false, alt = false, meta = false;
    QStringList keys;
    for (const QString& word : description.split(separators, Qt::SkipEmptyParts)) {
        const QString name = word.toLower();
        if (name == u"ctrl" || name == u"control" || name == u"primary")
            ctrl = true;
        else if (name == u"shift")
            shift = true;
        else if (name == u"alt" || name == u"mod1")
            alt = true;
        else if (name == u"meta" || name == u"super" || name == u"logo" || name == u"mod4")
            meta = true;
        else
            keys << (word.size() == 1 ? word.toUpper() : word);
    }
    if (keys.size() != 1)
        return description.trimmed();
    QStringList parts;
    if (ctrl)
        parts << QStringLiteral("Ctrl");
    if (shift)
        parts << QStringLiteral("Shift");
    if (alt)
        parts << QStringLiteral("Alt");
    if (meta)
        parts << QStringLiteral("Meta");
    parts << keys.front();
    return parts.join(QStringLiteral(" + "));
}

qint16 HotkeyTextToCode(const QString& text) {
    if (text.isEmpty())
        return 0;
    qint16 modifiers = 0;
    if (text.contains(QLatin1String("Ctrl")))
        modifiers += HotkeyCtrl;
    if (text.contains(QLatin1String("Shift")))
        modifiers += HotkeyShift;
    if (text.contains(QLatin1String("Alt")))
        modifiers += HotkeyAlt;
    const qsizetype plus = text.lastIndexOf(QLatin1String("+ "));
    const qsizetype at = plus < 0 ? 0 : plus + 2;
    if (modifiers == 0 || at >= text.size())
        return 0;
    const char16_t key = text.at(at).toUpper().unicode();
    if (!IsHotkeyKey(key))
        return 0;
    return static_cast<qint16>(QString::number(modifiers).append(QString::number(key)).toInt());
}

HotkeyAction ChooseHotkeyAction(const WindowReach& reach, bool windowVisible,
                                bool windowMinimized) {
    if (reach.Tray)
        return windowVisible ? HotkeyAction::HideToTray : HotkeyAction::ShowFromTray;
    if (reach.Taskbar)
        return windowMinimized || !windowVisible ? HotkeyAction::Restore : HotkeyAction::Minimize;
    return HotkeyAction::Nothing;
}

} // namespace plimset
