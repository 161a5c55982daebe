#include "alerts/TrayIcon.h"

#include "alerts/TrayIconNames.h"
#include "desktop/Icons.h"
#include "text/LocalizeForm.h"
#include "text/StringTable.h"
#include "text/TextIds.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace plimset {

namespace {

// While the grace period runs a missing tray is looked for often, later seldom.
constexpr int EagerWatchMs = 500;
constexpr int CalmWatchMs = 2000;

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

TrayIcon::TrayIcon(AppState& state, QWidget* mainWindow, QObject* parent)
    : QObject(parent), state_(state), mainWindow_(mainWindow),
      probe_([] { return QSystemTrayIcon::isSystemTrayAvailable(); }) {
    form_ = new QWidget;
    form_->setObjectName(QLatin1String(TrayIconNames::OwnerWindow));
    form_->setWindowTitle(QLatin1String(TrayIconNames::OwnerWindow));
    menu_ = new QMenu(QStringLiteral("Popup"), form_);
    menu_->setObjectName(QLatin1String(TrayIconNames::Menu));
    hideAction_ = menu_->addAction(QStringLiteral("Mi&nimize"));
    hideAction_->setObjectName(QLatin1String(TrayIconNames::HideItem));
    menu_->addSeparator()->setObjectName(QLatin1String(TrayIconNames::Separator));
    exitAction_ = menu_->addAction(QStringLiteral("E&xit"));
    exitAction_->setObjectName(QLatin1String(TrayIconNames::ExitItem));
    connect(hideAction_, &QAction::triggered, this, &TrayIcon::HideClicked);
    connect(exitAction_, &QAction::triggered, this, &TrayIcon::ExitClicked);
    // The menu is closed however it ends: by an item, Escape or a click elsewhere.
    connect(menu_, &QMenu::aboutToHide, this, [this] { state_.TrayMenuOpen = false; });

    watch_ = new QTimer(this);
    connect(watch_, &QTimer::timeout, this, &TrayIcon::CheckTray);
    if (mainWindow_ != nullptr)
        mainWindow_->installEventFilter(this);
}

TrayIcon::~TrayIcon() {
    if (mainWindow_ != nullptr)
        mainWindow_->removeEventFilter(this);
    delete icon_;
    delete form_;
}

void TrayIcon::Load(const QString& tip, qint16 languageOffset) {
    if (loaded_)
        return;
    loaded_ = true;
    missingAnnounced_ = false;
    sinceLoad_.start();
    Localize(languageOffset);
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

void TrayIcon::Localize(qint16 languageOffset) {
    languageOffset_ = languageOffset;
    SetTextId(exitAction_, TextIds::Exit);
    UpdateHideCaption();
    LocalizeForm(form_, languageOffset);
}

qint16 TrayIcon::AddIcon(const QString& tip) {
    if (icon_ == nullptr) {
        icon_ = new QSystemTrayIcon(TrayIconPicture());
        connect(icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) { IconPressed(ClickOf(reason)); });
    }
    icon_->setToolTip(TrayTipText(tip));
    icon_->show();
    shown_ = probe_();
    return shown_ ? Done : Refused;
}

qint16 TrayIcon::ChangeTip(const QString& tip) {
    if (icon_ == nullptr)
        return Refused;
    if (const QString cut = TrayTipText(tip); cut != icon_->toolTip())
        icon_->setToolTip(cut);
    return shown_ ? Done : Refused;
}

void TrayIcon::RemoveIcon() {
    if (icon_ != nullptr) {
        icon_->hide();
        delete icon_;
        icon_ = nullptr;
    }
}

void TrayIcon::SetTrayTip(const QString& tip) {
    ChangeTip(tip);
}

QString TrayIcon::Tip() const {
    return icon_ != nullptr ? icon_->toolTip() : QString();
}

void TrayIcon::SetHideItemCaption(const QString& caption) {
    hideAction_->setText(caption);
}

bool TrayIcon::RefreshShown() {
    if (loaded_)
        SetShown(probe_());
    return shown_;
}

void TrayIcon::SetShown(bool shown) {
    if (shown == shown_)
        return;
    shown_ = shown;
    UpdateWatch();
    // A window hidden in a tray that went away would be out of reach.
    if (!shown_ && loaded_ && mainWindow_ != nullptr && !mainWindow_->isVisible())
        ShowMainWindow();
    emit ShownChanged(shown_);
}

void TrayIcon::CheckTray() {
    SetShown(loaded_ && probe_());
    if (loaded_ && !shown_ && !missingAnnounced_ && sinceLoad_.elapsed() >= graceMs_) {
        missingAnnounced_ = true;
        UpdateWatch();
        emit TrayMissing();
    }
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
    const int interval = !shown_ && !missingAnnounced_ ? EagerWatchMs : CalmWatchMs;
    if (!watch_->isActive() || watch_->interval() != interval)
        watch_->start(interval);
}

bool TrayIcon::MainWindowShown() const {
    return mainWindow_ != nullptr && mainWindow_->isVisible();
}

void TrayIcon::UpdateHideCaption() {
    const int id = MainWindowShown() ? TextIds::Minimize : TextIds::Restore;
    SetTextId(hideAction_, id);
    hideAction_->setText(LocalizedText(id, languageOffset_));
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
    state_.TrayMenuOpen = false;
}

void TrayIcon::HideMainWindow() {
    if (mainWindow_ != nullptr)
        mainWindow_->hide();
    state_.TrayMenuOpen = false;
}

void TrayIcon::IconPressed(TrayClick click) {
    switch (ChooseTrayClickAction(click, state_.OptionsOpen)) {
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
    state_.TrayMenuOpen = true;
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
    state_.TrayMenuOpen = false;
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
