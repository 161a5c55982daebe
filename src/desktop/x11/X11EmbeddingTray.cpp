#include "desktop/x11/X11EmbeddingTray.h"

#include "desktop/x11/Xcb.h"

#include <cstdlib>
#include <string>

namespace plimset {

std::unique_ptr<X11EmbeddingTray> X11EmbeddingTray::Create() {
    xcb_connection_t* connection = xcb::QtConnection();
    if (connection == nullptr)
        return nullptr;
    // The default screen is the one $DISPLAY names (":0.1" is screen 1).
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0)
        screen = 0;
    free(host);
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    return std::unique_ptr<X11EmbeddingTray>(
        new X11EmbeddingTray(connection, xcb::Atom(connection, selection.c_str())));
}

X11EmbeddingTray::X11EmbeddingTray(xcb_connection_t* connection, xcb_atom_t selection)
    : connection_(connection), selection_(selection) {}

bool X11EmbeddingTray::IsPresent() {
    if (selection_ == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, selection_), nullptr);
    const bool owned = reply != nullptr && reply->owner != XCB_WINDOW_NONE;
    free(reply);
    return owned;
}

} // namespace plimset
