#pragma once

#include "desktop/DesktopNotifier.h"

#include <optional>
#include <vector>

namespace plimset {

// A notifier that keeps what it was asked to show; `shown` is the notice on the desktop.
class FakeDesktopNotifier final : public DesktopNotifier {
public:
    void Show(const DesktopNotice& notice) override {
        shown = notice;
        notices.push_back(notice);
    }
    void Withdraw() override { shown.reset(); }
    void Inform(const QString&) override {}
    // The user chooses the notice's stop action, or clicks the notice itself.
    void ChooseStop() { emit StopChosen(); }
    void ClickNotice() { emit ShowChosen(); }

    std::optional<DesktopNotice> shown;
    std::vector<DesktopNotice> notices; // every notice shown, in order
};

} // namespace plimset
