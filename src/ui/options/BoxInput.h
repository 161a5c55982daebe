#pragma once

#include "core/OptionsRules.h"

class QLineEdit;

namespace plimset {

// Gives a box its input rule: whatever the user enters (typed keys, pasted or dropped
// text, input-method commits) passes the box's filter character by character, and typing
// stops at maxLength characters (0: no limit). A text the program sets is shown whole.
void InstallBoxRule(QLineEdit* box, BoxFilter filter, int maxLength);

// Sets a box's text as the program's own, past its rule.
void SetBoxText(QLineEdit* box, const QString& text);

} // namespace plimset
