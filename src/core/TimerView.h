#pragma once

#include "core/IconId.h"

#include <QString>

namespace plimset {

// What the timer engine needs of the timer window: the time field, the caption, the
// action button and its faces, the focus, the preset menu, the window's visibility and
// its taskbar button. The main window implements it; tests use a recording fake.
class TimerView {
public:
    virtual ~TimerView() = default;

    // The time field. SetTimeText does not report back to the engine: the engine
    // handles its own changes, and the window forwards only the user's edits.
    virtual QString TimeText() const = 0;
    virtual void SetTimeText(const QString& text) = 0;
    // How many characters the user may type; a text set by the program may be longer.
    virtual void SetTimeTextLimit(int characters) = 0;

    // The window title, which is also the taskbar button's text.
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString& caption) = 0;

    virtual bool IsWindowVisible() const = 0;
    virtual bool IsWindowMinimized() const = 0;
    // The minimize button: the window goes to the taskbar, or to the tray where there
    // is one.
    virtual void MinimizeWindow() = 0;
    virtual void SetTaskbarButton(bool shown) = 0;

    // The action button and its out-of-sight access-key twin.
    virtual void SetActionCaption(const QString& caption) = 0;
    virtual void SetActionBold(bool bold) = 0;
    virtual void SetActionIcon(IconId icon) = 0; // IconId::None removes the picture
    virtual void SetAccessKeyCaption(const QString& caption) = 0;

    // The tick: one call of the engine's Tick after `milliseconds`, in place of one
    // already armed. The engine arms each tick for the moment something is next due.
    virtual void ArmTick(int milliseconds) = 0;
    virtual void StopTick() = 0;
    virtual void FocusActionButton() = 0;
    virtual void FocusTimeText() = 0;

    // The mode's preset menu is rebuilt on every mode change.
    virtual void RebuildPresetMenu() = 0;
};

} // namespace plimset
