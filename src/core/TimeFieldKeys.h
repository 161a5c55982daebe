#pragma once

#include <QChar>

namespace plimset {

// What a typed character does in the time field. Clock-style texts (Alarm mode, or ":"
// chosen as the separator) take digits and ":", and a typed "." becomes ":"; the
// minutes.seconds style takes digits and ".". Control codes up to 26 (Backspace, the
// clipboard keys) pass, except Ctrl+A, which the window uses to select the whole field.
// Returns the character to insert, or a null QChar when the key is to be discarded.
QChar FilterTimeFieldKey(QChar typed, bool clockStyle);

} // namespace plimset
