#pragma once

#include "core/IconId.h"

#include <QIcon>

namespace plimset {

// The picture with this id, or an empty icon for an id that has none.
QIcon ResourceIcon(IconId id);

// The program's icon, for its windows.
QIcon ApplicationIcon();

// The icon in the notification area: a design of its own where the tray's icons are 16
// pixels, the program's icon where they are larger.
QIcon TrayIconPicture();

} // namespace plimset
