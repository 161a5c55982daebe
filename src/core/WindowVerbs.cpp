#include "core/WindowVerbs.h"

namespace plimset {

std::optional<WindowVerb> WindowVerbOfSwitch(const QString& argument) {
    for (WindowVerb verb : {WindowVerb::Toggle, WindowVerb::Show, WindowVerb::Hide}) {
        if (argument == SwitchOfWindowVerb(verb))
            return verb;
    }
    return std::nullopt;
}

QString SwitchOfWindowVerb(WindowVerb verb) {
    switch (verb) {
    case WindowVerb::Toggle:
        return QStringLiteral("--toggle");
    case WindowVerb::Show:
        return QStringLiteral("--show");
    case WindowVerb::Hide:
        return QStringLiteral("--hide");
    }
    return {};
}

HotkeyAction ChooseWindowVerbAction(WindowVerb verb, const WindowReach& reach, bool windowVisible,
                                    bool windowMinimized) {
    switch (verb) {
    case WindowVerb::Toggle:
        return ChooseHotkeyAction(reach, windowVisible, windowMinimized);
    case WindowVerb::Show:
        if (!windowVisible)
            return reach.Tray ? HotkeyAction::ShowFromTray : HotkeyAction::Restore;
        return windowMinimized ? HotkeyAction::Restore : HotkeyAction::BringToFront;
    case WindowVerb::Hide:
        if (!windowVisible)
            return HotkeyAction::Nothing;
        if (reach.Tray)
            return HotkeyAction::HideToTray;
        return reach.Taskbar && !windowMinimized ? HotkeyAction::Minimize : HotkeyAction::Nothing;
    }
    return HotkeyAction::Nothing;
}

std::optional<WindowVerb> CombineWindowVerbs(std::optional<WindowVerb> pending, WindowVerb next) {
    if (next != WindowVerb::Toggle || !pending)
        return next;
    switch (*pending) {
    case WindowVerb::Toggle:
        return std::nullopt;
    case WindowVerb::Show:
        return WindowVerb::Hide;
    case WindowVerb::Hide:
        return WindowVerb::Show;
    }
    return next;
}

} // namespace plimset
