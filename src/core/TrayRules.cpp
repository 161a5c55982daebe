#include "core/TrayRules.h"

#include <QTextBoundaryFinder>

namespace plimset {

WindowReach ReachOf(bool trayIcon, bool taskbarButton, bool trayIconShown) {
    const bool tray = trayIcon && trayIconShown;
    return {tray, taskbarButton || (trayIcon && !tray)};
}

bool MissingTrayNotice::Look(bool shown, qint64 sinceAddedMs, qint64 graceMs) {
    if (settled_ || (!shown && sinceAddedMs < graceMs))
        return false;
    settled_ = true;
    return !shown;
}

QString TrayTipText(const QString& tip) {
    if (tip.toUtf8().size() <= TrayTipBytes)
        return tip;
    // Walk the boundaries between user-perceived characters and keep the longest start
    // that fits.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, tip);
    qsizetype kept = 0;
    qsizetype bytes = 0;
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) {
        bytes += tip.mid(kept, at - kept).toUtf8().size();
        if (bytes > TrayTipBytes)
            break;
        kept = at;
    }
    return tip.left(kept);
}

TrayClickAction ChooseTrayClickAction(TrayClick click, bool optionsOpen) {
    if (optionsOpen)
        return TrayClickAction::Nothing;
    switch (click) {
    case TrayClick::Left:
        return TrayClickAction::ShowWindow;
    case TrayClick::Right:
        return TrayClickAction::OpenMenu;
    case TrayClick::Other:
        break;
    }
    return TrayClickAction::Nothing;
}

} // namespace plimset
