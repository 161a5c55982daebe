#pragma once

#include "core/AppState.h"
#include "core/WindowLayout.h"
#include <QPoint>
#include <QString>

namespace plimset {

class SettingsFile;

// The Left and Top of a window whose position was never stored: far outside any screen.
inline constexpr qint32 NoStoredPosition = -480000;

// The main window's saved state: [MainForm] in the settings file, plus the window size
// from two keys of [Option]. Left and Top are in twips, Width and Height in pixels; font
// flags are -1 (true) or 0.
struct WindowSettings {
    TimerMode startMode = TimerMode::CountDown;
    qint32 Left = NoStoredPosition;
    qint32 Top = NoStoredPosition;
    qint16 AlwaysOnTop = 0;
    QString FontName;
    double FontSize = 9;
    qint16 FontBold = 0, FontItalic = 0, FontUnderline = 0, FontStrikethrough = 0;
    qint32 ForeColor = 0;
    qint32 BackColor = 0;
    qint32 Width = -1;
    qint32 Height = -1;
};

// Reads every window key; a missing key takes its value from designDefaults (the time
// box's font and colours as designed, the countdown, Left/Top NoStoredPosition, Width and
// Height -1). A StartForm that names no mode gives the countdown, and a FontSize that is
// not a usable point size gives the design's size. The caller places the window (centring
// it when Left or Top is NoStoredPosition) and then stores the position the window really
// took in Left and Top, which is what SaveWindowSettings compares against.
WindowSettings ReadWindowSettings(const SettingsFile& file, const WindowSettings& designDefaults);

// Writes the values of `current` that differ from `loaded`: the start mode (StartForm),
// Left and Top (both when either changed, and only when the window is in its normal
// state), AlwaysOnTop, the font and colours in one write of [MainForm], then Width and
// Height (both when either changed) in one write of [Option]. AlwaysOnTop, Width and
// Height are also updated in `loaded`. Write failures are ignored.
void SaveWindowSettings(SettingsFile& file, WindowSettings& loaded, const WindowSettings& current,
                        bool windowIsNormal);

// Left and Top as pixels of a screen of this scale, and pixels as the twips (1/1440 inch)
// stored: 15 twips a pixel at 96 DPI, each rounded half to even. A stored position is
// placed to the nearest pixel, which saved again gives the same twips.
QPoint PositionInPixels(const WindowSettings& settings, ScreenScale scale);
void SetPositionInPixels(WindowSettings& settings, QPoint pixels, ScreenScale scale);

// A font size as stored: rounded to four decimals, in its shortest text ("9", "10.5").
QString FontSizeText(double size);

} // namespace plimset
