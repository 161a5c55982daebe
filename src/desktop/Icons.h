#pragma once

#include "core/Icons.h"

#include <QIcon>

namespace plimset {

// The picture with this id, or an empty icon for an id that has none.
QIcon ResourceIcon(IconId id);

// The program's icon, for its windows and the notification area.
QIcon ApplicationIcon();

} // namespace plimset
