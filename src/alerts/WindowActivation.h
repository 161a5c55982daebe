#pragma once

class QWidget;

namespace plimset {

// Bringing a window to the user's attention when an alert starts.
class WindowActivation {
public:
    virtual ~WindowActivation() = default;
    // Whether the window is the one the user works in (it holds the foreground).
    virtual bool IsForeground(const QWidget* window) const = 0;
    // Raises the window above the others and activates it; keepOnTop leaves it in the
    // always-on-top band afterwards, as the user asked for.
    virtual void BringToFront(QWidget* window, bool keepOnTop) = 0;
};

// On X11 through the window manager: the window passes through the always-on-top band
// (which raises it) and is activated by a _NET_ACTIVE_WINDOW request, which the window
// manager honours even when another program holds the focus. Elsewhere Qt's raise and
// activate.
class DesktopWindowActivation final : public WindowActivation {
public:
    bool IsForeground(const QWidget* window) const override;
    void BringToFront(QWidget* window, bool keepOnTop) override;
};

} // namespace plimset
