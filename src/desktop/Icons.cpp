#include "desktop/Icons.h"

#include <QString>

// The icons are compiled into a static library; naming its resource here makes sure the
// linker keeps it and that it is registered before the first look-up. Registering again
// is harmless.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(plimset);
}

namespace plimset {

namespace {

QIcon IconFile(const char* name) {
    RegisterIconResources();
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(name));
}

} // namespace

QIcon ResourceIcon(int id) {
    switch (id) {
    case GoIconId:
        return IconFile("go.svg");
    case StopIconId:
        return IconFile("stop.svg");
    case GoRoundIconId:
        return IconFile("go-round.svg");
    case MinimizeIconId:
        return IconFile("minimize.svg");
    case ClearIconId:
        return IconFile("clear.svg");
    default:
        return QIcon();
    }
}

QIcon ApplicationIcon() {
    return IconFile("plimset.svg");
}

} // namespace plimset
