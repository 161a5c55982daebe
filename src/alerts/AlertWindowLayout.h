#pragma once

#include "core/AppState.h"
#include "core/WindowLayout.h"
#include "text/LanguageChoice.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

namespace plimset {

struct OptionSettings;

// The alert window's layout in pixels at 96 DPI, fractions kept as the scaling leaves
// them: the window's size, the frame inside it, the labels inside the frame (a message of
// two lines uses the first and second, one of a single line the single-line label between
// them) and the labels' font size.
struct AlertWindowLayout {
    QSizeF size;
    QRectF frame;
    QRectF firstLine;
    QRectF secondLine;
    QRectF singleLine;
    double labelPointSize = 0;
};

// The designed layout scaled so that the window's area grows by sizeFactor: every length
// by its square root, the frame and labels centred again. A factor of exactly 1 keeps the
// design; factors that are not positive numbers count as 1.
AlertWindowLayout AlertWindowLayoutFor(float sizeFactor);

// A layout's rectangle in whole pixels of a screen of this scale, each length rounded to
// the nearest pixel, halves away from zero.
QRect ScaledRect(const QRectF& designed, ScreenScale scale);

// The two message lines for a mode (none for the stopwatch): the settings' Japanese texts in
// the Japanese interface, else the English ones, their defaults in the interface's language.
struct AlertLines {
    QString line1;
    QString line2;
};
AlertLines AlertLinesFor(const OptionSettings& options, TimerMode mode, InterfaceLanguage language);

} // namespace plimset
