#pragma once

#include "desktop/QtWindowActivation.h"

namespace plimset {

// Window activation through an X11 window manager: the window passes through the
// always-on-top band (which raises it) and is activated by a _NET_ACTIVE_WINDOW request,
// which the window manager honours even when another program holds the focus. A window
// that has no native window yet is raised the plain Qt way.
class X11WindowActivation final : public QtWindowActivation {
public:
    // True when the program talks to an X11 server.
    static bool IsAvailable();

    void BringToFront(QWidget* window, bool keepOnTop) override;
};

} // namespace plimset
