#pragma once

#include "settings/WindowSettings.h"

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <utility>
#include <vector>

namespace plimset {

// What the Options dialog may change on the main window before OK, taken when it opens so
// that Cancel can put it back: the outer size, every control's place and size, and the
// time field's font and colours.
struct MainWindowSnapshot {
    int WidthPixels = 0;
    int HeightPixels = 0;
    std::vector<std::pair<QPointer<QWidget>, QRect>> Layout;
    WindowSettings Look;
};

// The part of the main window the Options dialog previews its size, length and look on.
class MainWindowPreview {
public:
    virtual ~MainWindowPreview() = default;

    // The window the dialog opens over and centres on the screen of.
    virtual QWidget* PreviewWindow() = 0;

    virtual MainWindowSnapshot TakeSnapshot() const = 0;
    // Puts the size and layout back where they differ, and always the font and colours.
    virtual void RestoreSnapshot(const MainWindowSnapshot& snapshot) = 0;

    // Sizes the time field for this many characters (0: the character limit) and the
    // window around it, then places the controls.
    virtual void SizeTimeFieldForLength(int characters) = 0;
    // Centres the controls in the client area.
    virtual void PlaceControls() = 0;
    // Gives the window an outer size in Qt's pixels, never smaller than its controls need.
    virtual void ReflectOuterSize(int widthPixels, int heightPixels) = 0;
    // The time field's font and colours from a window settings record.
    virtual void ApplyTextLook(const WindowSettings& look) = 0;

    // The window's outer size in the screen's pixels.
    virtual int OuterWidthPixels() const = 0;
    virtual int OuterHeightPixels() const = 0;
};

} // namespace plimset
