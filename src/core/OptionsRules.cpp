#include "core/OptionsRules.h"

#include "core/NumericText.h"

#include <charconv>
#include <cmath>

namespace plimset {

namespace {

// The shortest text that reads back as the same single-precision value.
QString ShortestText(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// Full-width forms an input method commits for digits and the two separators.
QChar AsciiForm(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'０' && u <= u'９')
        return QChar(u'0' + (u - u'０'));
    if (u == u'．' || u == u'。')
        return QChar(u'.');
    if (u == u'：')
        return QChar(u':');
    return c;
}

} // namespace

BoxFilter TimeBoxFilter(TimeSeparator separator) {
    return separator == TimeSeparator::Colon ? BoxFilter::Colon : BoxFilter::Decimal;
}

int FilterKey(int code, BoxFilter mode) {
    const bool digit = code >= '0' && code <= '9';
    switch (mode) {
    case BoxFilter::Digits:
        return code <= 26 || digit ? code : 0;
    case BoxFilter::Decimal:
        return code <= 26 || digit || code == '.' ? code : 0;
    case BoxFilter::Colon:
        if (code == '.')
            return ':';
        return code <= 26 || digit || code == ':' ? code : 0;
    case BoxFilter::None:
        break;
    }
    return code;
}

QString FilterInputText(const QString& text, BoxFilter mode) {
    if (mode == BoxFilter::None)
        return text;
    QString kept;
    for (QChar c : text) {
        const QChar ascii = AsciiForm(c);
        if (ascii.unicode() < 32)
            continue;
        const int code = FilterKey(ascii.unicode(), mode);
        if (code != 0)
            kept.append(QChar(code));
    }
    return kept;
}

QString FormatWholeNumber(double value) {
    const double rounded = std::round(value);
    if (rounded == 0 || !std::isfinite(rounded))
        return QString();
    return QString::number(rounded, 'f', 0);
}

QString FormatSettingNumber(float value, int decimals, TimeSeparator separator) {
    const QString plain = ShortestText(value);
    if (!plain.contains(u'.'))
        return FormatWholeNumber(value);
    QString text = QString::number(plain.toDouble(), 'f', decimals);
    if (separator == TimeSeparator::Colon)
        text.replace(u'.', u':');
    return text;
}

QString MaxLengthItemText(int length, TimeSeparator separator, const QLocale& locale,
                          const QString& maxText, const QString& minText) {
    const bool clock = separator == TimeSeparator::Colon && length == 8;
    const qlonglong limit = clock ? 6000 : static_cast<qlonglong>(std::pow(10.0, length - 3));
    QLocale numbers = locale;
    numbers.setNumberOptions(QLocale::DefaultNumberOptions);
    return QStringLiteral("%1 (%2%3%4)%5")
        .arg(length)
        .arg(maxText, numbers.toString(limit), minText,
             clock ? QStringLiteral(" [H:M:S]") : QString());
}

QString CaptureHotkeyText(bool shift, bool ctrl, bool alt, int keyCode) {
    QString modifiers;
    if (ctrl && shift && alt)
        modifiers = QStringLiteral("Ctrl + Shift + Alt");
    else if (shift && alt)
        modifiers = QStringLiteral("Shift + Alt");
    else if (shift) // with Ctrl, or widened from Shift alone
        modifiers = QStringLiteral("Ctrl + Shift");
    else if (ctrl || alt) // Ctrl + Alt, or widened from either alone
        modifiers = QStringLiteral("Ctrl + Alt");
    else
        return QString();
    QString text = modifiers + QStringLiteral(" + ");
    if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z'))
        text.append(QChar(keyCode));
    return text;
}

bool IsIncompleteHotkeyText(const QString& text) {
    return text.endsWith(QStringLiteral("+ "));
}

OptionsCheckResult FirstFailedCheck(const OptionsEntries& entries, const TimeFormat& format,
                                    const std::function<bool(const QString&)>& fileExists) {
    if (NumericValue(entries.minutesToAdd) <= 0)
        return {OptionsBox::MinutesToAdd, QStringLiteral("1")};
    if (entries.soundSource == SoundSource::File &&
        (entries.soundFile.isEmpty() || !fileExists(entries.soundFile)))
        return {OptionsBox::SoundFile, QString()};
    if (entries.soundSource == SoundSource::Beep && NumericValue(entries.beepCount) <= 0)
        return {OptionsBox::BeepCount, QStringLiteral("1")};
    if (ParseTimeText(entries.ringDuration, format) < 0)
        return {OptionsBox::RingDuration, QStringLiteral("0")};
    if (ParseTimeText(entries.displayDuration, format) < 0)
        return {OptionsBox::DisplayDuration, QStringLiteral("0")};
    if (static_cast<float>(NumericValue(entries.alertWindowScale)) < 0.3f)
        return {OptionsBox::AlertWindowScale, QStringLiteral("0.3")};
    return {};
}

} // namespace plimset
