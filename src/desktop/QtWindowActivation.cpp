#include "desktop/QtWindowActivation.h"

#include <QWidget>

namespace plimset {

bool QtWindowActivation::IsForeground(const QWidget* window) const {
    return window != nullptr && window->isActiveWindow();
}

void QtWindowActivation::BringToFront(QWidget* window, bool) {
    if (window == nullptr) {
        return;
    }
    window->raise();
    window->activateWindow();
}

} // namespace plimset
