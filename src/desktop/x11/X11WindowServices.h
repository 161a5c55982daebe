#pragma once

#include "desktop/QtWindowServices.h"

namespace plimset {

// The window services on an X11 desktop, through the window manager's EWMH states: the
// taskbar button (_NET_WM_STATE_SKIP_TASKBAR) and always on top (_NET_WM_STATE_ABOVE), both
// asked for by client message while the window is mapped and written on the unmapped
// window before each show; the frame from _NET_FRAME_EXTENTS, asked for before the window
// is first mapped.
class X11WindowServices : public QtWindowServices {
    Q_OBJECT
public:
    using QtWindowServices::QtWindowServices;

    // True when the program talks to an X11 server.
    static bool IsAvailable();

    void SetTaskbarButton(QWidget* window, bool shown) override;
    void SetAlwaysOnTop(QWidget* window, bool onTop) override;
    QMargins FrameExtents(QWidget* window) override;

protected:
    void BeforeMap(QWidget* window, const Wishes& wishes) override;

private:
    void ChangeState(QWidget* window, const char* stateAtom, bool add);
};

} // namespace plimset
