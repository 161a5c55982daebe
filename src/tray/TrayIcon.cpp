#include "tray/TrayIcon.h"

#include "text/Captions.h"
#include "tray/StatusNotifierItem.h"
#include "tray/StatusNotifierWatch.h"
#include "tray/TrayIconNames.h"
#include "ui/widgets/Icons.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace plimset {

namespace {

// While a first tray is waited for it is looked for often, later seldom.
constexpr int EagerWatchMs = 500;
constexpr int CalmWatchMs = 2000;
// A panel takes the status-notifier service and then registers as its host; the panels
// are looked at once both have happened.
constexpr int HostCheckDelayMs = 300;

TrayClick ClickOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return TrayClick::Left;
    case QSystemTrayIcon::Context:
        return TrayClick::Right;
    default:
        return TrayClick::Other;
    }
}

} // namespace

TrayIcon::TrayIcon(AppState& state, QWidget* mainWindow,
                   std::unique_ptr<EmbeddingTray> embeddingTray, QObject* parent)
    : QObject(parent), state_(state), mainWindow_(mainWindow),
      embeddingTray_(std::move(embeddingTray)) {
    menuOwner_ = new QWidget;
    menuOwner_->setObjectName(QLatin1String(TrayIconNames::OwnerWindow));
    menuOwner_->setWindowTitle(QLatin1String(TrayIconNames::OwnerWindow));
    menu_ = new QMenu(QStringLiteral("Popup"), menuOwner_);
    menu_->setObjectName(QLatin1String(TrayIconNames::Menu));
    hideAction_ = menu_->addAction(QStringLiteral("Mi&nimize"));
    hideAction_->setObjectName(QLatin1String(TrayIconNames::HideItem));
    menu_->addSeparator()->setObjectName(QLatin1String(TrayIconNames::Separator));
    exitAction_ = menu_->addAction(QStringLiteral("E&xit"));
    exitAction_->setObjectName(QLatin1String(TrayIconNames::ExitItem));
    connect(hideAction_, &QAction::triggered, this, &TrayIcon::HideClicked);
    connect(exitAction_, &QAction::triggered, this, &TrayIcon::ExitClicked);
    // The menu is closed however it ends: by an item, Escape or a click elsewhere.
    connect(menu_, &QMenu::aboutToHide, this, [this] { state_.trayMenuOpen = false; });
    // The same actions, so captions and handlers are one; a panel that draws the menu
    // runs no loop of the program's, so this one touches no flag.
    panelMenu_ = new QMenu(menuOwner_);
    panelMenu_->addAction(hideAction_);
    panelMenu_->addSeparator();
    panelMenu_->addAction(exitAction_);
    connect(panelMenu_, &QMenu::aboutToShow, this, &TrayIcon::UpdateHideCaption);

    hostCheck_ = new QTimer(this);
    hostCheck_->setSingleShot(true);
    hostCheck_->setInterval(HostCheckDelayMs);
    connect(hostCheck_, &QTimer::timeout, this, &TrayIcon::CheckHost);
    connect(new StatusNotifierWatch(this), &StatusNotifierWatch::Changed, this,
            &TrayIcon::TrayHostChanged);

    watch_ = new QTimer(this);
    connect(watch_, &QTimer::timeout, this, &TrayIcon::CheckTray);
    if (mainWindow_ != nullptr)
        mainWindow_->installEventFilter(this);
}

TrayIcon::~TrayIcon() {
    if (mainWindow_ != nullptr)
        mainWindow_->removeEventFilter(this);
    delete icon_;
    delete menuOwner_;
}

void TrayIcon::Load(const QString& tip) {
    if (loaded_)
        return;
    loaded_ = true;
    missing_ = {};
    sinceLoad_.start();
    Localize();
    // A refused add leaves the icon in place, so it appears when a tray does; the watch
    // tells the user if none comes within the grace period.
    AddIcon(tip);
    UpdateWatch();
}

void TrayIcon::Unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    RemoveIcon();
    UpdateWatch();
    SetShown(false);
}

void TrayIcon::Localize() {
    SetCaptionSource(exitAction_, "TrayIcon", QT_TRANSLATE_NOOP("TrayIcon", "E&xit"));
    UpdateHideCaption();
    CaptionWindow(menuOwner_);
}

qint16 TrayIcon::AddIcon(const QString& tip) {
    const bool adding = !added_;
    added_ = true;
    ChangeTip(tip);
    if (adding) {
        // Asks and waits, as Qt would: the icon's first place is known before it is shown.
        if (StatusNotifierHostRegistered())
            UseOwnItem();
        else
            UseEmbeddedIcon();
    }
    return RefreshShown() ? Done : Refused;
}

qint16 TrayIcon::ChangeTip(const QString& tip) {
    if (!added_)
        return Refused;
    if (const QString cut = TrayTipText(tip); cut != tip_) {
        tip_ = cut;
        if (icon_ != nullptr)
            icon_->setToolTip(cut);
        if (ownItem_ != nullptr)
            ownItem_->SetToolTip(cut);
    }
    return shown_ ? Done : Refused;
}

void TrayIcon::RemoveIcon() {
    added_ = false;
    tip_.clear();
    if (ownItem_ != nullptr)
        ownItem_->Withdraw();
    if (icon_ != nullptr) {
        icon_->hide();
        // Exit may come from the panel's menu, in a call to the icon itself.
        icon_->deleteLater();
        icon_ = nullptr;
    }
}

void TrayIcon::TrayHostChanged() {
    if (added_)
        hostCheck_->start();
}

void TrayIcon::CheckHost() {
    AskStatusNotifierHostRegistered(this, [this](bool registered) {
        if (!added_)
            return;
        if (registered)
            UseOwnItem();
        else
            UseEmbeddedIcon();
        RefreshShown();
    });
}

void TrayIcon::UseOwnItem() {
    if (ownItem_ == nullptr) {
        ownItem_ = new StatusNotifierItem(panelMenu_, TrayIconPicture(), this);
        connect(ownItem_, &StatusNotifierItem::Activated, this,
                [this] { IconPressed(TrayClick::Left); });
        connect(ownItem_, &StatusNotifierItem::ContextMenuRequested, this,
                [this] { IconPressed(TrayClick::Right); });
        connect(ownItem_, &StatusNotifierItem::RegisteredChanged, this,
                &TrayIcon::OwnItemRegisteredChanged);
    }
    ownItem_->SetToolTip(tip_);
    // Also again after the registry changed hands; the embedded icon steps aside once the
    // item is registered.
    ownItem_->Register();
}

void TrayIcon::UseEmbeddedIcon() {
    if (icon_ == nullptr) {
        // Made only now that no status-notifier panel is there, so Qt embeds it.
        icon_ = new QSystemTrayIcon(TrayIconPicture());
        connect(icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) { IconPressed(ClickOf(reason)); });
        icon_->setToolTip(tip_);
    }
    icon_->show();
    if (ownItem_ != nullptr)
        ownItem_->Withdraw();
}

void TrayIcon::OwnItemRegisteredChanged(bool registered) {
    if (!added_)
        return;
    // One icon at a time: the embedded one steps aside while the panel shows the item. An
    // item that drops out with no embedded icon to fall back on has the panels looked at
    // again.
    if (icon_ != nullptr)
        icon_->setVisible(!registered);
    else if (!registered)
        hostCheck_->start();
    RefreshShown();
}

bool TrayIcon::OwnItemRegistered() const {
    return ownItem_ != nullptr && ownItem_->IsRegistered();
}

bool TrayIcon::TrayShowsIcon() const {
    if (OwnItemRegistered())
        return true;
    return icon_ != nullptr && icon_->isVisible() && embeddingTray_->IsPresent();
}

void TrayIcon::SetTrayTip(const QString& tip) {
    ChangeTip(tip);
}

QString TrayIcon::Tip() const {
    return tip_;
}

void TrayIcon::SetHideItemCaption(const QString& caption) {
    hideAction_->setText(caption);
}

bool TrayIcon::RefreshShown() {
    if (loaded_)
        SetShown(TrayShowsIcon());
    return shown_;
}

void TrayIcon::SetShown(bool shown) {
    const bool changed = shown != shown_;
    shown_ = shown;
    if (loaded_ && missing_.Look(shown_, sinceLoad_.elapsed(), graceMs_))
        AnnounceMissingTray();
    if (!changed)
        return;
    UpdateWatch();
    // A window hidden in a tray that went away would be out of reach.
    if (!shown_ && loaded_ && mainWindow_ != nullptr && !mainWindow_->isVisible())
        ShowMainWindow();
    emit ShownChanged(shown_);
}

void TrayIcon::CheckTray() {
    // An item the panel did not take, with no embedded icon to fall back on, is offered
    // again or replaced.
    if (added_ && icon_ == nullptr && !OwnItemRegistered() && !hostCheck_->isActive())
        hostCheck_->start();
    SetShown(loaded_ && TrayShowsIcon());
}

void TrayIcon::AnnounceMissingTray() {
    UpdateWatch();
    // Nothing is left hidden in a tray that has never been there.
    if (!MainWindowShown())
        ShowMainWindow();
    emit TrayMissing();
}

void TrayIcon::UpdateWatch() {
    // Watched while no tray shows the icon, and while the main window is hidden in the tray
    // (should the tray go away, the window is shown again). A shown window with its icon
    // costs nothing.
    const bool needed = loaded_ && (!shown_ || !MainWindowShown());
    if (!needed) {
        watch_->stop();
        return;
    }
    const int interval = !shown_ && missing_.Waiting() ? EagerWatchMs : CalmWatchMs;
    if (!watch_->isActive() || watch_->interval() != interval)
        watch_->start(interval);
}

bool TrayIcon::MainWindowShown() const {
    return mainWindow_ != nullptr && mainWindow_->isVisible();
}

void TrayIcon::UpdateHideCaption() {
    const char* source = MainWindowShown() ? QT_TRANSLATE_NOOP("TrayIcon", "Mi&nimize")
                                           : QT_TRANSLATE_NOOP("TrayIcon", "&Restore");
    SetCaptionSource(hideAction_, "TrayIcon", source);
    hideAction_->setText(QCoreApplication::translate("TrayIcon", source));
}

void TrayIcon::ShowMainWindow() {
    if (mainWindow_ != nullptr) {
        if (mainWindow_->isMinimized())
            mainWindow_->showNormal();
        else
            mainWindow_->show();
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
    state_.trayMenuOpen = false;
}

void TrayIcon::HideMainWindow() {
    if (mainWindow_ != nullptr)
        mainWindow_->hide();
    state_.trayMenuOpen = false;
}

void TrayIcon::IconPressed(TrayClick click) {
    switch (ChooseTrayClickAction(click, state_.optionsOpen)) {
    case TrayClickAction::ShowWindow:
        ShowMainWindow();
        break;
    case TrayClickAction::OpenMenu:
        OpenMenu();
        break;
    case TrayClickAction::Nothing:
        break;
    }
}

void TrayIcon::OpenMenu() {
    // A shown window comes to the front first; a hidden one stays hidden, the menu is a
    // window of its own that takes the keyboard while it is open.
    if (MainWindowShown()) {
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
    UpdateHideCaption();
    state_.trayMenuOpen = true;
    menu_->popup(QCursor::pos());
    menu_->activateWindow();
}

void TrayIcon::HideClicked() {
    if (MainWindowShown())
        HideMainWindow();
    else
        ShowMainWindow();
}

void TrayIcon::ExitClicked() {
    state_.trayMenuOpen = false;
    Unload();
    emit ExitRequested();
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mainWindow_)
        return false;
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        // The menu item follows the window, whoever shows or hides it.
        UpdateHideCaption();
        UpdateWatch();
        break;
    case QEvent::WindowStateChange:
        // Minimized with its icon really in a tray, the window goes there instead. It
        // comes back in its normal state (ShowMainWindow); changing the state of the
        // hidden window now would map it again on X11.
        if (loaded_ && mainWindow_->isMinimized() && RefreshShown()) {
            QTimer::singleShot(0, this, [this] {
                if (mainWindow_ != nullptr && mainWindow_->isMinimized() && shown_)
                    HideMainWindow();
            });
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace plimset
