#pragma once

#include "desktop/EmbeddingTray.h"

#include <memory>

#include <xcb/xcb.h>

namespace plimset {

// The embedding tray on X11: the tray of a screen holds the selection
// _NET_SYSTEM_TRAY_S<screen>, so the tray is there while that selection has an owner. It
// is the screen Qt docks its icons on, the display's default one.
class X11EmbeddingTray final : public EmbeddingTray {
public:
    // Null when the program does not run on X11.
    static std::unique_ptr<X11EmbeddingTray> Create();

    bool IsPresent() override;

private:
    X11EmbeddingTray(xcb_connection_t* connection, xcb_atom_t selection);

    xcb_connection_t* connection_;
    xcb_atom_t selection_;
};

} // namespace plimset
