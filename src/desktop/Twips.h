#pragma once

#include "core/ScreenFit.h"

#include <QRect>

class QScreen;

namespace plimset {

// Twips per pixel of a screen (1440 / its logical DPI; 15 at 96 DPI). Without a screen the
// primary screen counts, and without any screen 96 DPI is assumed.
double TwipsPerPixelX(const QScreen* screen = nullptr);
double TwipsPerPixelY(const QScreen* screen = nullptr);

// The bounding rectangle of all screens in pixels (the virtual screen); empty without any.
QRect VirtualScreenRect();

} // namespace plimset
