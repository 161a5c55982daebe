#pragma once

#include "core/AppState.h"
#include "core/TimerEngine.h"

namespace plimset {

// While a modal dialog or the tray menu runs its own event loop, the tick keeps still: the
// scope raises the program-wide flag for as long as it lives. A dialog also ends a running
// count first, since the user is about to change what it shows.
class ModalScope {
public:
    static ModalScope ForDialog(AppState& state, TimerEngine& engine) {
        engine.CancelRun();
        return ModalScope(state.optionsOpen);
    }
    static ModalScope ForTrayMenu(AppState& state) { return ModalScope(state.trayMenuOpen); }

    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope() { flag_ = false; }

private:
    explicit ModalScope(bool& flag) : flag_(flag) { flag_ = true; }
    bool& flag_;
};

} // namespace plimset
