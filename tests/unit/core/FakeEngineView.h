#pragma once

#include "core/EngineView.h"

#include <functional>
#include <optional>

namespace plimset {

// An EngineView that keeps what the engine last set and counts what it asked for. Cheap
// enough to run hundreds of thousands of ticks.
class FakeEngineView : public EngineView {
public:
    QString TimeText() const override { return text; }
    void SetTimeText(const QString& t) override {
        text = t;
        ++setTextCount;
    }
    void SetTimeTextLimit(int characters) override { textLimit = characters; }

    QString Caption() const override { return caption; }
    void SetCaption(const QString& c) override {
        caption = c;
        ++setCaptionCount;
    }

    bool IsWindowVisible() const override { return visible; }
    bool IsWindowMinimized() const override { return minimized; }
    void MinimizeWindow() override { minimized = true; }

    void SetActionCaption(const QString& c) override { actionCaption = c; }
    void SetActionBold(bool bold) override { actionBold = bold; }
    void SetActionIcon(int iconId) override { actionIcon = iconId; }
    void SetAccessKeyCaption(const QString& c) override { accessKeyCaption = c; }

    void SetTickEnabled(bool enabled) override { tickEnabled = enabled; }
    void FocusActionButton() override { focus = QStringLiteral("Command2"); }
    void FocusTimeText() override { focus = QStringLiteral("Text1"); }

    void RebuildPresetMenu() override { ++presetMenuBuilds; }

    bool IsAlertWindowVisible() const override { return alertWindowVisible; }
    void HideAlertWindow() override { alertWindowVisible = false; }
    void AlertStep(int p) override {
        ++alertSteps;
        pending = p;
        alertWindowVisible = (p & 2) != 0;
        if (onAlertStep) {
            onAlertStep(p);
        }
    }
    void StopSound(int) override { ++stopSoundCount; }

    void SetTrayTip(const QString& tip) override {
        trayTip = tip;
        ++trayTipCount;
    }
    void SetTaskbarButton(bool shown) override { taskbarButton = shown; }

    QString text;
    int textLimit = 0;
    int setTextCount = 0;
    QString caption;
    int setCaptionCount = 0;
    bool visible = true;
    bool minimized = false;
    QString actionCaption;
    std::optional<bool> actionBold;
    int actionIcon = -1;
    QString accessKeyCaption;
    bool tickEnabled = false;
    QString focus;
    int presetMenuBuilds = 0;
    bool alertWindowVisible = false;
    int alertSteps = 0;
    int pending = 0;
    int stopSoundCount = 0;
    QString trayTip;
    int trayTipCount = 0;
    std::optional<bool> taskbarButton;
    std::function<void(int)> onAlertStep;
};

} // namespace plimset
