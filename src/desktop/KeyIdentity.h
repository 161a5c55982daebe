#pragma once

class QKeyEvent;

namespace plimset {

// The key of a key event as the code of its own digit or letter ("0".."9", "A".."Z"),
// whatever the layout puts on its shifted level: Shift + Alt + 5 is the key "5", not "%".
// On X11 the key code is looked up in the keyboard map; elsewhere the toolkit's key is
// used. 0 for any other key.
int DigitOrLetterKey(const QKeyEvent* event);

} // namespace plimset
