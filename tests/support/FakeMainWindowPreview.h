#pragma once

#include "ui/options/MainWindowPreview.h"

#include <QStringList>
#include <QWidget>

namespace plimset {

// A main window for the Options dialog alone: a plain widget to open over, an outer size
// the test sets, and a record of every preview call.
class FakeMainWindowPreview : public MainWindowPreview {
public:
    QWidget* PreviewWindow() override { return &window; }
    MainWindowSnapshot TakeSnapshot() const override {
        MainWindowSnapshot snapshot;
        snapshot.WidthPixels = widthPixels;
        snapshot.HeightPixels = heightPixels;
        return snapshot;
    }
    void RestoreSnapshot(const MainWindowSnapshot& snapshot) override {
        calls
            << QStringLiteral("restore %1x%2").arg(snapshot.WidthPixels).arg(snapshot.HeightPixels);
    }
    void SizeTimeFieldForLength(int characters) override {
        calls << QStringLiteral("size field for %1").arg(characters);
    }
    void PlaceControls() override { calls << QStringLiteral("place controls"); }
    void ReflectOuterSize(int widthPixels, int heightPixels) override {
        calls << QStringLiteral("outer size %1x%2").arg(widthPixels).arg(heightPixels);
    }
    void ApplyTextLook(const WindowSettings& look) override {
        calls << QStringLiteral("look %1").arg(look.FontName);
    }
    int OuterWidthPixels() const override { return widthPixels; }
    int OuterHeightPixels() const override { return heightPixels; }

    QWidget window;
    int widthPixels = 300;
    int heightPixels = 100;
    QStringList calls;
};

} // namespace plimset
