#include "desktop/EmbeddingTray.h"

#ifdef PLIMSET_HAVE_XCB
#include "desktop/x11/X11EmbeddingTray.h"
#endif

namespace plimset {

namespace {

// Only an X display has trays that embed windows.
class NoEmbeddingTray final : public EmbeddingTray {
public:
    bool IsPresent() override { return false; }
};

} // namespace

std::unique_ptr<EmbeddingTray> MakeEmbeddingTray() {
#ifdef PLIMSET_HAVE_XCB
    if (std::unique_ptr<X11EmbeddingTray> x11 = X11EmbeddingTray::Create())
        return x11;
#endif
    return std::make_unique<NoEmbeddingTray>();
}

} // namespace plimset
