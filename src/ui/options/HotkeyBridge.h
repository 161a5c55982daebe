#pragma once

#include <QString>
#include <QStringList>

namespace plimset {

// The hotkey's two forms for the Options dialog: the stored number and the text the box
// shows ("Ctrl + Shift + A" for 665). "" and 0 mean no hotkey; a number or text that names
// no digit or letter key with at least one modifier is no hotkey either.
QString HotkeyCodeText(qint16 code);
qint16 HotkeyTextCode(const QString& text);

} // namespace plimset
