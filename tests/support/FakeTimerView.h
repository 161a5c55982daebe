#pragma once

#include "core/TimerView.h"

#include <optional>

namespace plimset {

// A timer window that keeps what the engine last set and counts what it asked for. Cheap
// enough to run hundreds of thousands of ticks.
class FakeTimerView : public TimerView {
public:
    QString TimeText() const override { return text; }
    void SetTimeText(const QString& t) override {
        text = t;
        ++setTextCount;
    }
    void SetTimeTextLimit(int) override {}

    QString Caption() const override { return caption; }
    void SetCaption(const QString& c) override {
        caption = c;
        ++setCaptionCount;
    }

    bool IsWindowVisible() const override { return visible; }
    bool IsWindowMinimized() const override { return minimized; }
    void MinimizeWindow() override { minimized = true; }
    void SetTaskbarButton(bool shown) override { taskbarButton = shown; }

    void SetActionCaption(const QString& c) override { actionCaption = c; }
    void SetActionBold(bool) override {}
    void SetActionIcon(IconId) override {}
    void SetAccessKeyCaption(const QString&) override {}

    void ArmTick(int milliseconds) override {
        tickEnabled = true;
        tickMs = milliseconds;
    }
    void StopTick() override { tickEnabled = false; }
    void FocusActionButton() override { focus = QStringLiteral("Command2"); }
    void FocusTimeText() override { focus = QStringLiteral("Text1"); }

    void RebuildPresetMenu() override {}

    QString text, caption, actionCaption, focus;
    int setTextCount = 0, setCaptionCount = 0, tickMs = 0;
    bool visible = true, minimized = false, tickEnabled = false;
    std::optional<bool> taskbarButton;
};

} // namespace plimset
