#pragma once

#include "desktop/EmbeddingTray.h"

namespace plimset {

// An embedding tray that is there while the test's flag says so.
class FakeEmbeddingTray : public EmbeddingTray {
public:
    explicit FakeEmbeddingTray(const bool& present) : present_(present) {}
    bool IsPresent() override { return present_; }

private:
    const bool& present_;
};

} // namespace plimset
