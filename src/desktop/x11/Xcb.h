#pragma once

// Small helpers over the X connection Qt holds, shared by the X11 back ends.

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

namespace plimset::xcb {

// The connection Qt uses, or null when the program does not run on X11.
xcb_connection_t* QtConnection();

xcb_atom_t Atom(xcb_connection_t* c, const char* name);

// The root window of the screen that holds `window`, or XCB_WINDOW_NONE.
xcb_window_t RootOf(xcb_connection_t* c, xcb_window_t window);

// A 32-bit property as a list of values; empty when the property is missing.
std::vector<uint32_t> Property32(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                 xcb_atom_t type);

// Sends a client message about `window` to the root window, where the window manager
// listens (EWMH's way for clients to ask for state changes), and flushes.
void SendToRoot(xcb_connection_t* c, xcb_window_t root, xcb_window_t window, xcb_atom_t type,
                uint32_t d0 = 0, uint32_t d1 = 0, uint32_t d2 = 0, uint32_t d3 = 0);

// _NET_WM_STATE's actions and the sources of a request.
inline constexpr uint32_t StateRemove = 0;
inline constexpr uint32_t StateAdd = 1;
inline constexpr uint32_t SourceApplication = 1;
inline constexpr uint32_t SourceUser = 2;

} // namespace plimset::xcb
