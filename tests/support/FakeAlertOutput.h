#pragma once

#include "core/AlertOutput.h"
#include "core/TrayTip.h"

#include <functional>

namespace plimset {

// An alert output that records the steps the engine asks for; the alert window is
// "shown" while the window part is pending.
class FakeAlertOutput : public AlertOutput {
public:
    void AlertStep(AlertParts p) override {
        ++steps;
        pending = p;
        windowVisible = p.testFlag(AlertPart::Window);
        if (onStep)
            onStep(p);
    }
    void StopSound(SoundStop) override {}
    bool IsAlertWindowVisible() const override { return windowVisible; }
    void HideAlertWindow() override { windowVisible = false; }
    void RingAtNextSoundStep() override {}
    void PrepareSound() override { ++prepareCount; }

    int steps = 0, prepareCount = 0;
    AlertParts pending;
    bool windowVisible = false;
    std::function<void(AlertParts)> onStep;
};

// A tray tip that remembers the last tip and counts the changes.
class FakeTrayTip : public TrayTip {
public:
    void SetTrayTip(const QString& t) override {
        tip = t;
        ++count;
    }
    QString tip;
    int count = 0;
};

} // namespace plimset
