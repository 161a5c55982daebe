#pragma once

#include "desktop/WindowActivation.h"

namespace plimset {

// Window activation as Qt offers it: raise and activate, which a window manager may hold
// back while another program has the focus.
class QtWindowActivation : public WindowActivation {
public:
    bool IsForeground(const QWidget* window) const override;
    void BringToFront(QWidget* window, bool keepOnTop) override;
};

} // namespace plimset
