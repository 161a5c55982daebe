#pragma once

#include <QString>

namespace plimset {

// What the timer engine needs of the notification-area icon: its tip, which shows the
// running time while a count runs and progress is shown there.
class TrayTip {
public:
    virtual ~TrayTip() = default;
    virtual void SetTrayTip(const QString& tip) = 0;
};

} // namespace plimset
