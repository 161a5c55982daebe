#pragma once

#include "settings/WindowSettings.h"

#include <QList>
#include <QPoint>
#include <QString>

namespace plimset {

class MainWindow;

// The main window's saved state: read at start-up and applied to the window, written back
// when the window closes or the desktop session ends, key by key and only what changed.
class MainWindowState {
public:
    MainWindowState(MainWindow& window, QString settingsFilePath);

    // Reads the saved state over the window's designed look and puts the window there: its
    // position (centred when none was saved, a step aside from the windows of other Plimsets
    // at that place, `otherWindows` as their outer top-left corners in pixels, and always on
    // a screen), always-on-top, and the time field's font and colours.
    void Load(const WindowSettings& designLook, const QList<QPoint>& otherWindows = {});
    const WindowSettings& Loaded() const { return loaded_; }
    // Gives the window its saved size, never below what its controls need.
    void ApplySize();
    // The window system may have placed the shown window elsewhere; that is what a save
    // compares against.
    void NoteShownPosition();
    // Writes what changed since the last save; a later save writes only what changed since.
    void Save();
    // Puts a minimized or maximized window back to its normal place and size, which is what
    // the settings keep.
    void RestoreNormalGeometry();

private:
    MainWindow& window_;
    QString path_;
    WindowSettings loaded_;
};

} // namespace plimset
