#pragma once

#include "core/HotkeyText.h"
#include "core/TrayRules.h"

#include <QString>
#include <optional>

namespace plimset {

// What another process (a desktop shortcut running `plimset --toggle`, a script) may ask of
// the running program's main window.
enum class WindowVerb {
    Toggle, // what the hotkey does: hide or show, minimize or restore
    Show,   // bring it back and to the front, whatever hid it
    Hide,   // hide it to the tray, or minimize it to its taskbar button
};

// The command-line switch of a verb ("--toggle", "--show", "--hide"), and back; nothing for
// any other argument.
std::optional<WindowVerb> WindowVerbOfSwitch(const QString& argument);
QString SwitchOfWindowVerb(WindowVerb verb);

// What a verb does to a window in this state. Toggle is the hotkey's choice; Show and Hide
// act only where the window is not already where they would put it, and Hide leaves a
// window with no way back (neither tray icon nor taskbar button) alone.
HotkeyAction ChooseWindowVerbAction(WindowVerb verb, const WindowReach& reach, bool windowVisible,
                                    bool windowMinimized);

// One verb that does what `pending` (not carried out yet) and then `next` would do together:
// Show and Hide put the window in one place whatever came before; a Toggle turns a pending
// Show into Hide and Hide into Show, and cancels a pending Toggle (nothing is left).
std::optional<WindowVerb> CombineWindowVerbs(std::optional<WindowVerb> pending, WindowVerb next);

} // namespace plimset
