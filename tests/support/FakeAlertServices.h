#pragma once

#include "desktop/WindowActivation.h"
#include "sound/Beeper.h"
#include "tray/TrayMenuCaption.h"

#include <vector>

namespace plimset {

// A beep that remembers each row's count and how often it was readied.
struct FakeBeeper : Beeper {
    void Beep(int count) override { rows.push_back(count); }
    void Prepare() override { ++prepared; }
    std::vector<int> rows;
    int prepared = 0;
};

// Window activation that keeps one flag for "holds the foreground" and counts the times a
// window was brought to the front.
struct FakeActivation : WindowActivation {
    bool IsForeground(const QWidget*) const override { return foreground; }
    void BringToFront(QWidget*, bool keepOnTop) override {
        ++broughtToFront;
        lastKeepOnTop = keepOnTop;
        foreground = true;
    }
    bool foreground = true, lastKeepOnTop = false;
    int broughtToFront = 0;
};

struct FakeTrayMenu : TrayMenuCaption {
    void SetHideItemCaption(const QString& c) override { caption = c; }
    QString caption;
};

} // namespace plimset
