#pragma once

#include <memory>

namespace plimset {

// The session's embedding tray: a notification area that takes icons in as small windows
// of their own (XEmbed). Panels that draw status-notifier items are not this kind.
class EmbeddingTray {
public:
    virtual ~EmbeddingTray() = default;
    // Whether such a tray is there now, to take an icon in.
    virtual bool IsPresent() = 0;
};

// The embedding tray of the X display the program runs on; elsewhere one that is never
// there.
std::unique_ptr<EmbeddingTray> MakeEmbeddingTray();

} // namespace plimset
