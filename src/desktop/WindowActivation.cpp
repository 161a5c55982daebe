#include "desktop/WindowActivation.h"

#include "desktop/QtWindowActivation.h"

#ifdef PLIMSET_HAVE_XCB
#include "desktop/x11/X11WindowActivation.h"
#endif

namespace plimset {

std::unique_ptr<WindowActivation> MakeWindowActivation() {
#ifdef PLIMSET_HAVE_XCB
    if (X11WindowActivation::IsAvailable()) {
        return std::make_unique<X11WindowActivation>();
    }
#endif
    return std::make_unique<QtWindowActivation>();
}

} // namespace plimset
