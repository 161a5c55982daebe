#pragma once

#include "desktop/WindowServices.h"

#include <QHash>
#include <QObject>

namespace plimset {

// The window services Qt itself offers, for desktops without a richer back end: always on
// top through Qt's hint, minimize offered through the window's hints, the frame once the
// window is shown. There is no taskbar control here, so that wish is only kept.
class QtWindowServices : public QObject, public WindowServices {
    Q_OBJECT
public:
    // clientFrames: the program draws its windows' frames and title bars itself (a Wayland
    // client), so a window without a title goes without a frame.
    explicit QtWindowServices(bool clientFrames = false, QObject* parent = nullptr);
    ~QtWindowServices() override;

    void SetTaskbarButton(QWidget* window, bool shown) override;
    void SetAlwaysOnTop(QWidget* window, bool onTop) override;
    bool CanKeepOnTop() const override;
    bool CanPlaceWindows() const override;
    void SetMinimizeOffered(QWidget* window, bool offered) override;
    void SetUntitled(QWidget* window) override;
    QMargins FrameExtents(QWidget* window) override;

protected:
    // What the program wants of each window it was told about; kept across hide and show.
    struct Wishes {
        bool taskbarButton = true;
        bool onTop = false;
        bool minimizeOffered = true;
        bool untitled = false;
    };
    Wishes& Watch(QWidget* window);
    static bool IsMapped(const QWidget* window);
    // Called as a watched window is about to be mapped, so the wishes can be written where
    // the window manager reads them as it takes the window on.
    virtual void BeforeMap(QWidget*, const Wishes&) {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RestoreIfMinimizeWithheld(QWidget* window);

    QHash<QWidget*, Wishes> wishes_;
    bool clientFrames_;
};

} // namespace plimset
