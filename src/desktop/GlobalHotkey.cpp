#include "desktop/GlobalHotkey.h"

#include "core/HotkeyText.h"

#include <cstdio>

#ifdef PLIMSET_HAVE_XCB
#include "desktop/x11/X11GlobalHotkey.h"
#endif

namespace plimset {

void GlobalHotkey::ReportOnce(const QString& line) {
    if (line.isEmpty() || reported_.contains(line))
        return;
    reported_.insert(line);
    std::fprintf(stderr, "plimset: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

QString HotkeyProblemText(HotkeyRegistration result, qint16 code) {
    const QString text = HotkeyCodeToText(code);
    switch (result) {
    case HotkeyRegistration::HeldElsewhere:
        return QStringLiteral("the hotkey %1 is already held by another program; "
                              "it does nothing here until that program lets it go")
            .arg(text);
    case HotkeyRegistration::NoKey:
        return text.isEmpty()
                   ? QStringLiteral("the hotkey setting %1 is not a key combination; "
                                    "no hotkey is registered")
                         .arg(code)
                   : QStringLiteral("the keyboard has no key for the hotkey %1; bind a desktop "
                                    "shortcut to `plimset --toggle` instead")
                         .arg(text);
    case HotkeyRegistration::Unavailable:
        return QStringLiteral("global hotkeys are not available on this display (they need "
                              "X11); the hotkey %1 does nothing; bind a desktop shortcut to "
                              "`plimset --toggle` instead")
            .arg(text.isEmpty() ? QString::number(code) : text);
    case HotkeyRegistration::None:
    case HotkeyRegistration::Registered:
        break;
    }
    return {};
}

HotkeyRegistration NoGlobalHotkey::RegisterAppHotkey(qint16 code) {
    const HotkeyRegistration result = ProbeHotkey(code);
    ReportOnce(HotkeyProblemText(result, code));
    return Remember(result);
}

HotkeyRegistration NoGlobalHotkey::ProbeHotkey(qint16 code) {
    if (code == 0)
        return HotkeyRegistration::None;
    return SplitHotkeyCode(code) ? HotkeyRegistration::Unavailable : HotkeyRegistration::NoKey;
}

std::unique_ptr<GlobalHotkey> CreateGlobalHotkey(QObject* parent) {
#ifdef PLIMSET_HAVE_XCB
    if (std::unique_ptr<GlobalHotkey> x11 = X11GlobalHotkey::Create(parent))
        return x11;
#endif
    return std::make_unique<NoGlobalHotkey>(parent);
}

} // namespace plimset
