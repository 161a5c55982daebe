#include "ui/widgets/Icons.h"

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

QIcon ResourceIcon(IconId id) {
    switch (id) {
    case IconId::Go:
        return IconFile("go.svg");
    case IconId::Stop:
        return IconFile("stop.svg");
    case IconId::GoRound:
        return IconFile("go-round.svg");
    case IconId::Minimize:
        return IconFile("minimize.svg");
    case IconId::Clear:
        return IconFile("clear.svg");
    case IconId::None:
        break;
    }
    return QIcon();
}

QIcon ApplicationIcon() {
    return IconFile("plimset.svg");
}

QIcon TrayIconPicture() {
    // Pictures at fixed sizes: the icon picks the one nearest the size the tray asks for.
    QIcon icon;
    icon.addPixmap(IconFile("plimset-16.svg").pixmap(QSize(16, 16)));
    const QIcon large = ApplicationIcon();
    for (int size : {20, 22, 24, 32, 48, 64})
        icon.addPixmap(large.pixmap(QSize(size, size)));
    return icon;
}

} // namespace plimset
