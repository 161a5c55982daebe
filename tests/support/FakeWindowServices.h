#pragma once

#include "desktop/WindowServices.h"

#include <QHash>
#include <QMargins>

namespace plimset {

// Window services that only remember what was asked of them, for widget tests. `frame` is
// what FrameExtents answers (null: unknown, as without a window manager).
class FakeWindowServices : public WindowServices {
public:
    struct WindowState {
        bool taskbarButton = true, minimizeOffered = true, untitled = false;
    };

    void SetTaskbarButton(QWidget* window, bool shown) override {
        states[window].taskbarButton = shown;
    }
    void SetAlwaysOnTop(QWidget*, bool) override {}
    bool CanKeepOnTop() const override { return true; }
    bool CanPlaceWindows() const override { return true; }
    void SetMinimizeOffered(QWidget* window, bool offered) override {
        states[window].minimizeOffered = offered;
    }
    void SetUntitled(QWidget* window) override {
        states[window].untitled = true;
        states[window].taskbarButton = false;
    }
    QMargins FrameExtents(QWidget*) override { return frame; }

    // The last state set for a window (defaults for a window never touched).
    WindowState StateOf(QWidget* window) const { return states.value(window); }

    QHash<QWidget*, WindowState> states;
    QMargins frame;
};

} // namespace plimset
