#include "settings/WindowSettings.h"

#include "core/NumericText.h"
#include "settings/SettingsFile.h"

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

} // namespace

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
    s.StartForm = readInt16("StartForm", designDefaults.StartForm);
    if (s.StartForm < 1 || s.StartForm > 3) {
        s.StartForm = 2;
    }
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
    const QString mainForm = QStringLiteral("MainForm");
    const QString option = QStringLiteral("Option");
    const auto write = [&](const QString& section, const char* key, const QString& value) {
        file.WriteIniString(section, QLatin1String(key), value);
    };
    const auto writeIfChanged = [&](const char* key, qint32 now, qint32 before) {
        if (now != before) {
            write(mainForm, key, QString::number(now));
        }
    };

    // The start mode in memory stays as loaded: it is only read at start-up.
    writeIfChanged("StartForm", current.StartForm, loaded.StartForm);
    // A minimized or maximized window's position is not the one to come back to.
    if (windowIsNormal) {
        writeIfChanged("Left", current.Left, loaded.Left);
        writeIfChanged("Top", current.Top, loaded.Top);
    }
    const qint16 onTop = current.AlwaysOnTop != 0 ? 1 : 0;
    if (onTop != loaded.AlwaysOnTop) {
        loaded.AlwaysOnTop = onTop;
        write(mainForm, "AlwaysOnTop", QString::number(onTop));
    }

    if (current.FontName != loaded.FontName) {
        write(mainForm, "FontName", current.FontName);
    }
    if (roundedFontSize(current.FontSize) != loaded.FontSize) {
        write(mainForm, "FontSize", FontSizeText(current.FontSize));
    }
    writeIfChanged("FontBold", fontFlag(current.FontBold), loaded.FontBold);
    writeIfChanged("FontItalic", fontFlag(current.FontItalic), loaded.FontItalic);
    writeIfChanged("FontUnderline", fontFlag(current.FontUnderline), loaded.FontUnderline);
    writeIfChanged("FontStrikethrough", fontFlag(current.FontStrikethrough),
                   loaded.FontStrikethrough);
    writeIfChanged("ForeColor", current.ForeColor, loaded.ForeColor);
    writeIfChanged("BackColor", current.BackColor, loaded.BackColor);

    if (current.Width != loaded.Width) {
        loaded.Width = current.Width;
        write(option, "Width", QString::number(current.Width));
    }
    if (current.Height != loaded.Height) {
        loaded.Height = current.Height;
        write(option, "Height", QString::number(current.Height));
    }
}

} // namespace plimset
