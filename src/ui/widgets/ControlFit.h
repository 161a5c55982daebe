#pragma once

#include <QSize>

class QWidget;

namespace plimset {

// The least size a control needs to show its text whole in its current font: a label's,
// a check box's, a button's caption, a text box's text, a list's longest item. Controls
// without text (picture buttons, scroll bars, panels) need no more than they have.
QSize TextRoom(const QWidget* control);

} // namespace plimset
