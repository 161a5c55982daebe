#pragma once

#include "core/AppState.h"
#include "core/TrayRules.h"
#include "core/TrayTip.h"
#include "desktop/EmbeddingTray.h"
#include "tray/TrayMenuCaption.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QWidget;

namespace plimset {

class StatusNotifierItem;

// The notification-area icon with its tip and its menu (objectNames in TrayIconNames.h): a
// left press on the icon shows and activates the main window, a right press opens the menu,
// whose hide item hides or shows the main window and whose exit item ends the program. While
// the icon is really shown, minimizing the main window hides it to the tray.
//
// A tray may be missing (a desktop without one) or come and go (a panel restarted). The
// icon is then kept, so it appears as soon as a tray does. A tray still missing a short
// grace period after the icon was added is announced once (TrayMissing) and the main
// window shown; one that went away later is not, the window just comes back from it. The
// main window is never hidden to a tray that does not show the icon: IsShown says whether
// one does, ShownChanged when that changes.
//
// Panels reach the icon in one of two ways: an embedded window in an embedding tray
// (XEmbed), where a right press opens the program's own menu, or the program's own
// status-notifier item on the session bus, which carries the same menu for the panel to
// draw (then no menu loop of the program's runs and the tick goes on). The item serves
// while a status-notifier panel is there, the embedded icon otherwise; they follow panels
// that come and go, one icon at a time. Qt's tray icon is used only for the embedded
// window: Qt decides once, as its first icon is made, between embedding and an item of
// its own that never leaves the bus, so that icon is made only while no such panel is
// there, and nothing else asks Qt about trays before.
class TrayIcon : public QObject, public TrayTip, public TrayMenuCaption {
    Q_OBJECT
public:
    // What AddIcon and ChangeTip answer.
    static constexpr qint16 Done = 0;
    static constexpr qint16 Refused = -1;

    // The main window is the one the icon shows, hides and activates; the embedding tray
    // tells whether the embedded icon is shown.
    TrayIcon(AppState& state, QWidget* mainWindow,
             std::unique_ptr<EmbeddingTray> embeddingTray = MakeEmbeddingTray(),
             QObject* parent = nullptr);
    ~TrayIcon() override;

    // Adds the icon with this tip and captions the menu; Unload removes the icon again (the
    // main window stays).
    void Load(const QString& tip);
    void Unload();
    bool IsLoaded() const { return loaded_; }
    // Whether a tray shows the icon, as last seen; RefreshShown asks the desktop again.
    bool IsShown() const { return shown_; }
    bool RefreshShown();
    // Captions the menu in the language of the installed translators.
    void Localize();

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

    QWidget* MenuOwner() const { return menuOwner_; }
    QMenu* Menu() const { return menu_; }
    // The same items, handed to panels that draw the menu themselves.
    QMenu* PanelMenu() const { return panelMenu_; }
    // A status-notifier panel appeared or went; looked at after a moment, as a panel
    // registers in steps.
    void TrayHostChanged();
    // Whether the program's own status-notifier item is registered with a panel.
    bool OwnItemRegistered() const;

    // How long a missing tray is waited for before TrayMissing; for tests.
    void SetGracePeriod(int milliseconds) { graceMs_ = milliseconds; }

signals:
    void ShownChanged(bool shown);
    // No tray has shown the icon within the grace period after it was added; the main
    // window is shown. Once per load, never for a tray that showed the icon and went.
    void TrayMissing();
    // MNU_Exit was chosen; the icon is already gone, the main window is to close.
    void ExitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CheckHost();
    void UseOwnItem();
    void UseEmbeddedIcon();
    void OwnItemRegisteredChanged(bool registered);
    bool TrayShowsIcon() const;
    void OpenMenu();
    void CheckTray();
    void SetShown(bool shown);
    void AnnounceMissingTray();
    void UpdateWatch();
    void UpdateHideCaption();
    bool MainWindowShown() const;

    AppState& state_;
    QPointer<QWidget> mainWindow_;
    QWidget* menuOwner_ = nullptr; // the menu's owner, never shown
    QMenu* menu_ = nullptr;
    QMenu* panelMenu_ = nullptr; // the menu's items, for panels that draw it
    QAction* hideAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QSystemTrayIcon* icon_ = nullptr; // the embedded icon, made when first needed
    QTimer* watch_ = nullptr;         // looks for a tray while none shows the icon
    QTimer* hostCheck_ = nullptr;     // looks at the panels once a change has settled
    StatusNotifierItem* ownItem_ = nullptr;
    std::unique_ptr<EmbeddingTray> embeddingTray_;
    QString tip_; // as shown, cut to what a tray shows
    QElapsedTimer sinceLoad_;
    MissingTrayNotice missing_;
    int graceMs_ = 3000;
    bool loaded_ = false;
    bool added_ = false; // between AddIcon and RemoveIcon
    bool shown_ = false;
};

} // namespace plimset
