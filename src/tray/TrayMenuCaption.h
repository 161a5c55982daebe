#pragma once

#include <QString>

namespace plimset {

// The caption of the tray menu's hide item (objectName MNU_Hide), which the alert sets back
// to "Minimize" when it shows a window hidden to the tray. Implemented by the tray icon.
class TrayMenuCaption {
public:
    virtual ~TrayMenuCaption() = default;
    virtual void SetHideItemCaption(const QString& caption) = 0;
};

} // namespace plimset
