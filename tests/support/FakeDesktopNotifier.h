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
    void Withdraw() override {
        if (shown)
            ++withdrawals;
        shown.reset();
    }
    void Inform(const QString& text) override { news.push_back(text); }
    // The user chooses the notice's stop action, or clicks the notice itself.
    void ChooseStop() { emit StopChosen(); }
    void ClickNotice() { emit ShowChosen(); }

    std::optional<DesktopNotice> shown;
    std::vector<DesktopNotice> notices; // every notice shown, in order
    int withdrawals = 0;
    std::vector<QString> news; // every piece of news passed on, in order
};

} // namespace plimset
