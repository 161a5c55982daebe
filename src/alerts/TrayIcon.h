#pragma once

#include "alerts/TrayMenuCaption.h"
#include "core/AppState.h"
#include "core/TrayRules.h"
#include "core/TrayTip.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QWidget;

namespace plimset {

// The notification-area icon with its tip and its menu (objectNames in TrayIconNames.h): a
// left press on the icon shows and activates the main window, a right press opens the menu,
// whose hide item hides or shows the main window and whose exit item ends the program. While
// the icon is really shown, minimizing the main window hides it to the tray.
//
// A tray may be missing (a desktop without one) or come and go (a panel restarted). The
// icon is then kept, so it appears as soon as a tray does; after a short grace period a
// missing tray is announced once (TrayMissing), and the main window is never hidden to a
// tray that does not show the icon: IsShown says whether it does, ShownChanged when that
// changes, and a window hidden in a tray that goes away is shown again.
class TrayIcon : public QObject, public TrayTip, public TrayMenuCaption {
    Q_OBJECT
public:
    // What AddIcon and ChangeTip answer.
    static constexpr qint16 Done = 0;
    static constexpr qint16 Refused = -1;

    // The main window is the one the icon shows, hides and activates.
    TrayIcon(AppState& state, QWidget* mainWindow, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Adds the icon with this tip and captions the menu; Unload removes the icon again (the
    // main window stays).
    void Load(const QString& tip, qint16 languageOffset);
    void Unload();
    bool IsLoaded() const { return loaded_; }
    // Whether a tray shows the icon, as last seen; RefreshShown asks the desktop again.
    bool IsShown() const { return shown_; }
    bool RefreshShown();
    // Captions the menu in the language the offset selects.
    void Localize(qint16 languageOffset);

    // Add the icon with its tip, change the tip of the icon, remove the icon. Done, or
    // Refused where no tray shows it. None waits: a tray that is not there yet is watched
    // for by a timer instead.
    qint16 AddIcon(const QString& tip);
    qint16 ChangeTip(const QString& tip);
    void RemoveIcon();
    // TrayTip: the tip, cut to what the tray shows.
    void SetTrayTip(const QString& tip) override;
    QString Tip() const;
    // TrayMenuCaption: MNU_Hide's caption. It also follows the main window by itself
    // whenever the window is shown or hidden.
    void SetHideItemCaption(const QString& caption) override;

    // The main window shown and activated, or hidden with its icon left in the tray; the
    // menu's MNU_Hide follows either way.
    void ShowMainWindow();
    void HideMainWindow();

    // The handlers: a press on the icon, and the menu's two items.
    void IconPressed(TrayClick click);
    void HideClicked();
    void ExitClicked();

    QWidget* Form() const { return form_; }
    QMenu* Menu() const { return menu_; }

    // How the presence of a tray is found out, and how long a missing one is waited for
    // before TrayMissing; for tests.
    void SetTrayProbe(std::function<bool()> probe) { probe_ = std::move(probe); }
    void SetGracePeriod(int milliseconds) { graceMs_ = milliseconds; }

signals:
    void ShownChanged(bool shown);
    // No tray has shown the icon within the grace period after it was added. Once per load.
    void TrayMissing();
    // MNU_Exit was chosen; the icon is already gone, the main window is to close.
    void ExitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenMenu();
    void CheckTray();
    void SetShown(bool shown);
    void UpdateWatch();
    void UpdateHideCaption();
    bool MainWindowShown() const;

    AppState& state_;
    QPointer<QWidget> mainWindow_;
    QWidget* form_ = nullptr; // the menu's owner, never shown
    QMenu* menu_ = nullptr;
    QAction* hideAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QSystemTrayIcon* icon_ = nullptr;
    QTimer* watch_ = nullptr; // looks for a tray while none shows the icon
    QElapsedTimer sinceLoad_;
    std::function<bool()> probe_;
    qint16 languageOffset_ = 0;
    int graceMs_ = 3000;
    bool loaded_ = false;
    bool shown_ = false;
    bool missingAnnounced_ = false;
};

} // namespace plimset
