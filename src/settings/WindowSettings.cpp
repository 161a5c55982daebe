#include "settings/WindowSettings.h"

#include "core/NumericText.h"
#include "settings/SettingsFile.h"
#include "settings/TimerModeCodes.h"

#include <cmath>

namespace plimset {

namespace {

// Sizes above this are no font the font dialog offers and would only break the layout.
constexpr double LargestFontSize = 1000;

double roundedFontSize(double size) {
    return std::round(size * 10000) / 10000;
}

qint16 fontFlag(qint16 value) {
    return value != 0 ? -1 : 0;
}

double TwipsPerPixel(double scale) {
    return 15 / (scale > 0 ? scale : 1);
}

} // namespace

QPoint PositionInPixels(const WindowSettings& settings, ScreenScale scale) {
    return {RoundToInt32(settings.Left / TwipsPerPixel(scale.X)),
            RoundToInt32(settings.Top / TwipsPerPixel(scale.Y))};
}

void SetPositionInPixels(WindowSettings& settings, QPoint pixels, ScreenScale scale) {
    settings.Left = RoundToInt32(pixels.x() * TwipsPerPixel(scale.X));
    settings.Top = RoundToInt32(pixels.y() * TwipsPerPixel(scale.Y));
}

QString FontSizeText(double size) {
    QString text = QString::number(roundedFontSize(size), 'f', 4);
    while (text.endsWith(u'0')) {
        text.chop(1);
    }
    if (text.endsWith(u'.')) {
        text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

WindowSettings ReadWindowSettings(const SettingsFile& file, const WindowSettings& designDefaults) {
    const QString mainForm = QStringLiteral("MainForm");
    const QString option = QStringLiteral("Option");
    const auto readInt16 = [&](const char* key, qint16 defaultValue) {
        return ReadIniInt16(file, mainForm, QLatin1String(key), defaultValue);
    };
    const auto readInt32 = [&](const QString& section, const char* key, qint32 defaultValue) {
        return file.ReadIniInt(section, QLatin1String(key), defaultValue);
    };

    WindowSettings s;
    s.startMode = TimerModeOfCode(readInt16("StartForm", TimerModeCode(designDefaults.startMode)))
                      .value_or(TimerMode::CountDown);
    s.Left = readInt32(mainForm, "Left", designDefaults.Left);
    s.Top = readInt32(mainForm, "Top", designDefaults.Top);
    s.AlwaysOnTop = readInt16("AlwaysOnTop", designDefaults.AlwaysOnTop);

    s.FontName = file.ReadIniString(mainForm, QStringLiteral("FontName"), designDefaults.FontName);
    s.FontSize = NumericValue(file.ReadIniString(mainForm, QStringLiteral("FontSize"),
                                                 FontSizeText(designDefaults.FontSize)));
    if (!std::isfinite(s.FontSize) || s.FontSize <= 0 || s.FontSize > LargestFontSize) {
        s.FontSize = designDefaults.FontSize;
    }
    s.FontBold = readInt16("FontBold", fontFlag(designDefaults.FontBold));
    s.FontItalic = readInt16("FontItalic", fontFlag(designDefaults.FontItalic));
    s.FontUnderline = readInt16("FontUnderline", fontFlag(designDefaults.FontUnderline));
    s.FontStrikethrough =
        readInt16("FontStrikethrough", fontFlag(designDefaults.FontStrikethrough));
    s.ForeColor = readInt32(mainForm, "ForeColor", designDefaults.ForeColor);
    s.BackColor = readInt32(mainForm, "BackColor", designDefaults.BackColor);

    s.Width = readInt32(option, "Width", designDefaults.Width);
    s.Height = readInt32(option, "Height", designDefaults.Height);
    return s;
}

void SaveWindowSettings(SettingsFile& file, WindowSettings& loaded, const WindowSettings& current,
                        bool windowIsNormal) {
    // Each section's changes go in one write, so a window's position (and its size) lands
    // whole even while another Plimset saves its own at the same moment.
    QList<QPair<QString, QString>> mainForm;
    const auto add = [&mainForm](const char* key, const QString& value) {
        mainForm.append({QLatin1String(key), value});
    };
    const auto addIfChanged = [&add](const char* key, qint32 now, qint32 before) {
        if (now != before)
            add(key, QString::number(now));
    };

    // The start mode in memory stays as loaded: it is only read at start-up.
    addIfChanged("StartForm", TimerModeCode(current.startMode), TimerModeCode(loaded.startMode));
    // A minimized or maximized window's position is not the one to come back to. Left and
    // Top always go together: one of them alone would pair with another window's other.
    if (windowIsNormal && (current.Left != loaded.Left || current.Top != loaded.Top)) {
        add("Left", QString::number(current.Left));
        add("Top", QString::number(current.Top));
    }
    const qint16 onTop = current.AlwaysOnTop != 0 ? 1 : 0;
    if (onTop != loaded.AlwaysOnTop) {
        loaded.AlwaysOnTop = onTop;
        add("AlwaysOnTop", QString::number(onTop));
    }

    if (current.FontName != loaded.FontName)
        add("FontName", current.FontName);
    if (roundedFontSize(current.FontSize) != loaded.FontSize)
        add("FontSize", FontSizeText(current.FontSize));
    addIfChanged("FontBold", fontFlag(current.FontBold), loaded.FontBold);
    addIfChanged("FontItalic", fontFlag(current.FontItalic), loaded.FontItalic);
    addIfChanged("FontUnderline", fontFlag(current.FontUnderline), loaded.FontUnderline);
    addIfChanged("FontStrikethrough", fontFlag(current.FontStrikethrough),
                 loaded.FontStrikethrough);
    addIfChanged("ForeColor", current.ForeColor, loaded.ForeColor);
    addIfChanged("BackColor", current.BackColor, loaded.BackColor);
    file.WriteIniStrings(QStringLiteral("MainForm"), mainForm);

    QList<QPair<QString, QString>> size;
    if (current.Width != loaded.Width || current.Height != loaded.Height) {
        loaded.Width = current.Width;
        loaded.Height = current.Height;
        size = {{QStringLiteral("Width"), QString::number(current.Width)},
                {QStringLiteral("Height"), QString::number(current.Height)}};
    }
    file.WriteIniStrings(QStringLiteral("Option"), size);
}

} // namespace plimset
