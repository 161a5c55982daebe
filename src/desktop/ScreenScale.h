#pragma once

#include "core/WindowLayout.h"

#include <QRect>

class QScreen;

namespace plimset {

// A screen's scale: its logical DPI over 96. Without a screen the primary screen counts,
// and without any screen 96 DPI is assumed.
ScreenScale ScaleOf(const QScreen* screen = nullptr);

// The bounding rectangle of all screens in pixels (the virtual screen); empty without any.
QRect VirtualScreenRect();

} // namespace plimset
