#pragma once

#include <QString>

namespace plimset {

// What the timer engine needs of the main window and the alert services. The main
// window implements it; tests use a recording fake. The engine never touches widgets.
class EngineView {
public:
    virtual ~EngineView() = default;

    // The time field. SetTimeText does not report back to the engine: the engine
    // handles its own changes, and the window forwards only the user's edits.
    virtual QString TimeText() const = 0;
    virtual void SetTimeText(const QString& text) = 0;
    virtual void SetTimeTextLimit(int characters) = 0;

    // The window title, which is also the taskbar button's text.
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString& caption) = 0;

    virtual bool IsWindowVisible() const = 0;
    virtual bool IsWindowMinimized() const = 0;
    virtual void MinimizeWindow() = 0;

    // The action button and its invisible access-key twin.
    virtual void SetActionCaption(const QString& caption) = 0;
    virtual void SetActionBold(bool bold) = 0;
    virtual void SetActionIcon(int iconId) = 0; // 101, 201, 102; 0 removes the picture
    virtual void SetAccessKeyCaption(const QString& caption) = 0;

    virtual void SetTickEnabled(bool enabled) = 0;
    virtual void FocusActionButton() = 0;
    virtual void FocusTimeText() = 0;

    // The mode's preset menu is rebuilt on every mode change.
    virtual void RebuildPresetMenu() = 0;

    // The alert window and sound.
    virtual bool IsAlertWindowVisible() const = 0;
    virtual void HideAlertWindow() = 0;
    virtual void AlertStep(int pending) = 0; // bit 1 sound, bit 2 alert window
    virtual void StopSound(int mode) = 0;

    virtual void SetTrayTip(const QString& tip) = 0;
    virtual void SetTaskbarButton(bool shown) = 0;
};

} // namespace plimset
