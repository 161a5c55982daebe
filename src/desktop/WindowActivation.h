#pragma once

#include <memory>

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

// The window activation for the desktop the program runs on: the X11 back end when it talks
// to an X server, else Qt's raise and activate.
std::unique_ptr<WindowActivation> MakeWindowActivation();

} // namespace plimset
