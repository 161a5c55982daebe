#pragma once

#include "core/MessageStyle.h"
#include "text/LanguageChoice.h"

#include <QList>
#include <QLocale>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace plimset {

class Beeper;
class Clock;
class DesktopNotifier;
class FontProbe;
class WindowActivation;
class GlobalHotkey;
class SoundPlayer;
class WindowServices;

// What the program needs from outside: the clock, the desktop's services, where its
// settings live, its arguments and how a message reaches the user. main() passes the real
// ones, tests fakes. Every service is required: where the desktop lacks one, its plain
// back end does nothing.
struct AppContext {
    Clock& clock;
    const FontProbe& fontProbe;
    WindowServices& windowServices;
    // The alert's services: bringing the window to the front, the beep, and the sound file
    // (which the Options dialog's test play shares).
    WindowActivation& windowActivation;
    Beeper& beeper;
    SoundPlayer& soundPlayer;
    GlobalHotkey& globalHotkey;
    // The desktop notification that accompanies each alert.
    DesktopNotifier& desktopNotifier;
    QString settingsFilePath;
    QLocale locale;
    // The session's language (SessionLanguage), which the System Default option follows.
    InterfaceLanguage sessionLanguage = InterfaceLanguage::English;
    QStringList arguments; // without the program name
    QString executableBaseName = QStringLiteral("plimset");
    // Shows a message with the application's title and waits until it is closed.
    std::function<void(QWidget* parent, const QString& text, MessageStyle style)> showMessage;
    // Writes a line for the user on standard error, where a program started from a terminal
    // or by the session says what went wrong without holding anything up.
    std::function<void(const QString& line)> sayOnStandardError;
    // Asks a question with Yes and No buttons and the application's title; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> askYesNo;
    // Where the windows of the other Plimsets of the desktop session are (each outer
    // window's top-left corner in pixels): a new window opens beside them, not on top.
    QList<QPoint> otherWindowPlaces = {};
};

} // namespace plimset
