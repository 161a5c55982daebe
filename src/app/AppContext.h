#pragma once

#include "core/MessageStyle.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace plimset {

class Clock;
class FontProbe;
class GlobalHotkey;
class PreviewBeeper;
class SoundPreview;
class WindowServices;

// What the program needs from outside: the clock, the desktop's services, where its
// settings live, its arguments and how a message reaches the user. main() passes the real
// ones, tests fakes. Every service is required: where the desktop lacks one, its plain
// back end does nothing.
struct AppContext {
    Clock& clock;
    const FontProbe& fontProbe;
    WindowServices& windowServices;
    GlobalHotkey& globalHotkey;
    QString settingsFilePath;
    QLocale locale;
    QStringList arguments; // without the program name
    QString executableBaseName = QStringLiteral("plimset");
    // Shows a message with the application's title and waits until it is closed.
    std::function<void(QWidget* parent, const QString& text, MessageStyle style)> showMessage;
    // Asks a question with Yes and No buttons and the application's title; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> askYesNo;
    // The Options dialog's test play and test beep; the program's own when not given.
    SoundPreview* soundPreview = nullptr;
    PreviewBeeper* previewBeeper = nullptr;
};

} // namespace plimset
