#pragma once

#include "core/TrayRules.h"

#include <QString>
#include <optional>

namespace plimset {

// The global hotkey as the settings store it: one decimal number whose first digit is the
// modifier mask and whose remaining digits are the key's character code (Ctrl + Shift + A
// is 6 and 65, stored as 665). 0 means no hotkey.
inline constexpr qint16 HotkeyAlt = 1;
inline constexpr qint16 HotkeyCtrl = 2;
inline constexpr qint16 HotkeyShift = 4;

struct HotkeyParts {
    qint16 Modifiers = 0; // HotkeyAlt, HotkeyCtrl and HotkeyShift, summed (1 to 7)
    char16_t Key = 0;     // '0' to '9' or 'A' to 'Z'
};

// The modifiers and key of a stored hotkey, or nothing for 0 and for any number that is
// not a modifier digit followed by the code of a digit or letter key (a hand-edited or
// damaged setting).
std::optional<HotkeyParts> SplitHotkeyCode(qint16 code);

// The text the Options dialog shows, such as "Ctrl + Shift + A": the modifiers present in
// the order Ctrl, Shift, Alt, each followed by " + ", then the key. "" for 0 and for a
// number that is no hotkey.
QString HotkeyCodeToText(qint16 code);

// A desktop's description of a key combination ("Ctrl+Shift+T", "<Control><Shift>t",
// "Shift + Ctrl + T", "Meta+F1") in the spelling of HotkeyCodeToText: the modifiers in the
// order Ctrl, Shift, Alt, Meta, each followed by " + ", then the key, a letter in upper
// case. A description with no key or several is given back as it stands, trimmed.
QString DesktopKeyText(const QString& description);

// The stored number of a hotkey text: the modifier names it contains and the character
// after its last "+ " (a text without one is taken as the key alone). A lower-case letter
// counts as its key. 0 for an empty text, a text without modifiers, and a key that is not
// a digit or letter, so no text can ask for a grab of a bare key or a number that does not
// fit the setting.
qint16 HotkeyTextToCode(const QString& text);

// What pressing the hotkey (or a request from outside, see core/WindowVerbs.h) does to the
// main window.
enum class HotkeyAction {
    Nothing,
    HideToTray,   // the window is shown: hide it, its icon stays in the tray
    ShowFromTray, // the window is hidden: show and activate it
    Minimize,     // to its taskbar button
    Restore,      // from its taskbar button
    BringToFront, // the window is shown already: raise and activate it
};

// The tray is used while its icon is really shown; otherwise a taskbar button brings the
// window back; a window with neither is left alone.
HotkeyAction ChooseHotkeyAction(const WindowReach& reach, bool windowVisible, bool windowMinimized);

} // namespace plimset
