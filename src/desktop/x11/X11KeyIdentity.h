#pragma once

#include <QtGlobal>

namespace plimset {

// The digit or letter ("0".."9", "A".."Z") that the X key code carries on its first two
// levels, 0 when it carries neither, -1 when the program does not run on X11.
int X11DigitOrLetterKey(quint32 keycode);

} // namespace plimset
