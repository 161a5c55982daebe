#pragma once

#include <QString>

namespace plimset {

// How a hidden or minimized main window can be brought back. The tray counts only while
// its icon is really shown; where the options ask for an icon that no tray shows, the window
// keeps a taskbar button instead, so it is never out of reach.
struct WindowReach {
    bool Tray = false;
    bool Taskbar = false;
    // Whether minimizing is offered at all.
    bool Any() const { return Tray || Taskbar; }
};
WindowReach ReachOf(bool trayIcon, bool taskbarButton, bool trayIconShown);

// Whether the user is told that no tray shows the icon: once, when no tray has shown it
// within the grace period after it was added. A tray that showed it and went away later is
// no news to tell (the window just comes back from it), however long after the start.
class MissingTrayNotice {
public:
    // The tray looked at, sinceAddedMs after the icon was added; true exactly once, when the
    // user is to be told now.
    bool Look(bool shown, qint64 sinceAddedMs, qint64 graceMs);
    // Still waiting for a first tray: none has shown the icon and nothing was told.
    bool Waiting() const { return !settled_; }

private:
    bool settled_ = false; // shown once, or told
};

// The longest tip the icon shows, in bytes of UTF-8.
inline constexpr int TrayTipBytes = 64;

// The tip cut to TrayTipBytes bytes of UTF-8, never inside a character (nor between a
// letter and its combining marks).
QString TrayTipText(const QString& tip);

// A press on the tray icon, and what it does: the left button shows and activates the main
// window, the right one opens the tray menu. Nothing reacts while a dialog of the main
// window is open.
enum class TrayClick { Left, Right, Other };
enum class TrayClickAction { Nothing, ShowWindow, OpenMenu };
TrayClickAction ChooseTrayClickAction(TrayClick click, bool optionsOpen);

} // namespace plimset
