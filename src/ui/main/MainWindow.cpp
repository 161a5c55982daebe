#include "ui/main/MainWindow.h"

#include "core/ModalScope.h"
#include "core/OptionSettings.h"
#include "core/TimeFieldKeys.h"
#include "core/TimeText.h"
#include "core/TimerEngine.h"
#include "core/WindowBorders.h"
#include "desktop/ScreenScale.h"
#include "desktop/WindowServices.h"
#include "text/Captions.h"
#include "ui/main/MainWindowNames.h"
#include "ui/widgets/FontChoice.h"
#include "ui/widgets/Icons.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QValidator>

namespace plimset {

namespace {

// A button of its designed size, in pixels at 96 DPI.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QSize designed,
                        ScreenScale scale) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->resize(Scaled(designed.width(), scale.X), Scaled(designed.height(), scale.Y));
    b->setAutoDefault(false);
    return b;
}

} // namespace

MainWindow::MainWindow(AppState& state, const OptionSettings& options, WindowServices& services,
                       QWidget* parent)
    : QMainWindow(parent), state_(state), options_(options), services_(services) {
    setObjectName(QLatin1String(MainWindowNames::Window));
    geometry_.SetScale(ScaleOf(screen()));
    CreateControls();
    CreateMenus();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::ActionButton() const {
    return actionButton_;
}

void MainWindow::CreateControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QLatin1String(MainWindowNames::ClientArea));
    setCentralWidget(client);

    // Keys that stand for buttons the design keeps out of sight. Shortcuts, not hidden
    // buttons, so that screen readers list no second action button.
    // Esc moves the focus out of the time field onto the action button, as a dialog's
    // cancel button would take it.
    focusKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    focusKey_->setObjectName(QLatin1String(MainWindowNames::FocusKey));
    // The picture action button's access key (Alt+G or Alt+S), which its picture cannot
    // show.
    accessKey_ = new QShortcut(this);
    accessKey_->setObjectName(QLatin1String(MainWindowNames::AccessKey));
    SetAccessKeyCaption(QStringLiteral("&G"));

    const ControlSizes designed;
    const ScreenScale scale = geometry_.Scale();
    minimizeButton_ = MakeButton(client, MainWindowNames::MinimizeButton, QString(),
                                 {designed.MinimizeWidth, designed.MinimizeHeight}, scale);
    clearButton_ = MakeButton(client, MainWindowNames::ClearButton, QString(),
                              {designed.ClearWidth, designed.ClearHeight}, scale);
    actionButton_ = MakeButton(client, MainWindowNames::ActionButton, QStringLiteral("+10"),
                               {designed.ActionWidth, designed.ActionHeight}, scale);
    UpdateActionAccessibleName();

    timeField_ = new QLineEdit(client);
    timeField_->setObjectName(QLatin1String(MainWindowNames::TimeField));
    timeField_->setFrame(false);
    timeField_->setAlignment(Qt::AlignCenter);
    timeField_->resize(Scaled(designed.TextWidth, scale.X), Scaled(designed.TextHeight, scale.Y));
    timeField_->installEventFilter(this);

    // The engine arms each tick for the moment the shown time changes or a step is due;
    // a precise timer comes at that millisecond rather than up to 5 % of the wait later.
    tick_ = new QTimer(this);
    tick_->setObjectName(QLatin1String(MainWindowNames::Tick));
    tick_->setSingleShot(true);
    tick_->setTimerType(Qt::PreciseTimer);

    // The menu bar's "&Set" and the action button's "&S" share Alt+S; the button's access
    // key wins, so Alt+S stops a running count (see ClickForAccessKey).
    actionButton_->installEventFilter(this);

    setTabOrder(timeField_, actionButton_);
    setTabOrder(actionButton_, minimizeButton_);
    setTabOrder(minimizeButton_, clearButton_);

    // Ctrl+A anywhere in the window selects the whole time field.
    auto* selectAll = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), this);
    connect(selectAll, &QShortcut::activated, this, &MainWindow::SelectWholeTimeText);
    // Pasted text obeys the typing limit too.
    timeField_->setValidator(MakeTypingLimit(typingLimit_, timeField_));
}

void MainWindow::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QLatin1String(MainWindowNames::MenuBar));
    bar->installEventFilter(this);

    exitAction_ = new QAction(QStringLiteral("E&xit"), bar);
    exitAction_->setObjectName(QLatin1String(MainWindowNames::ExitItem));
    bar->addAction(exitAction_);
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);

    presetMenu_ = new QMenu(QStringLiteral("&Set"), bar);
    presetMenu_->setObjectName(QLatin1String(MainWindowNames::PresetMenu));
    presetMenu_->menuAction()->setObjectName(QLatin1String(MainWindowNames::PresetMenuTitle));
    bar->addMenu(presetMenu_);
    auto* nullItem = new QAction(QStringLiteral("Null"), presetMenu_);
    nullItem->setObjectName(MainWindowNames::PresetItem(0));
    presetMenu_->addAction(nullItem);
    presetActions_.push_back(nullItem);

    modeMenu_ = new QMenu(QStringLiteral("&Mode"), bar);
    modeMenu_->setObjectName(QLatin1String(MainWindowNames::ModeMenu));
    modeMenu_->menuAction()->setObjectName(QLatin1String(MainWindowNames::ModeMenuTitle));
    bar->addMenu(modeMenu_);
    for (int k = 0; k < 3; ++k) {
        auto* item = new QAction(modeMenu_);
        item->setObjectName(MainWindowNames::ModeItem(k));
        modeMenu_->addAction(item);
        modeActions_[k] = item;
    }
    auto addSeparator = [this](const char* name) {
        QAction* s = modeMenu_->addSeparator();
        s->setObjectName(QLatin1String(name));
    };
    auto addItem = [this](const char* name, const QString& text) {
        auto* item = new QAction(text, modeMenu_);
        item->setObjectName(QLatin1String(name));
        modeMenu_->addAction(item);
        return item;
    };
    addSeparator(MainWindowNames::SeparatorAboveAlwaysOnTop);
    alwaysOnTopAction_ =
        addItem(MainWindowNames::AlwaysOnTopItem, QStringLiteral("&Always on Top"));
    alwaysOnTopAction_->setCheckable(true);
    if (!services_.CanKeepOnTop()) {
        // The saved choice is kept; the item says why it cannot be had here (ApplyCaptions).
        alwaysOnTopAction_->setEnabled(false);
        modeMenu_->setToolTipsVisible(true);
    }
    addSeparator(MainWindowNames::SeparatorAboveFont);
    fontAction_ = addItem(MainWindowNames::FontItem, QStringLiteral("&Font..."));
    backColorAction_ =
        addItem(MainWindowNames::BackColorItem, QStringLiteral("&Background Color..."));
    addSeparator(MainWindowNames::SeparatorAboveOptions);
    optionsAction_ = addItem(MainWindowNames::OptionsItem, QStringLiteral("&Options..."));
    connect(optionsAction_, &QAction::triggered, this, &MainWindow::OptionsRequested);
}

void MainWindow::ConnectEngine(TimerEngine& engine) {
    engine_ = &engine;
    connect(tick_, &QTimer::timeout, this, [this] { engine_->Tick(); });
    connect(minimizeButton_, &QPushButton::clicked, this, [this] { engine_->MinimizeWindow(); });
    connect(clearButton_, &QPushButton::clicked, this, [this] { engine_->ClearTime(); });
    connect(actionButton_, &QPushButton::clicked, this, [this] { engine_->PressActionButton(); });
    // Alt+S is also the menu's; a shortcut that shares its key is activated ambiguously.
    connect(accessKey_, &QShortcut::activated, this, [this] { engine_->PressActionAccessKey(); });
    connect(accessKey_, &QShortcut::activatedAmbiguously, this,
            [this] { engine_->PressActionAccessKey(); });
    connect(focusKey_, &QShortcut::activated, this, [this] { engine_->FocusActionButton(); });
    // Only the user's edits: the engine handles the texts it sets itself.
    connect(timeField_, &QLineEdit::textEdited, this, [this] { engine_->TextChanged(); });
    connect(presetActions_[0], &QAction::triggered, this, [this] { engine_->PresetChosen(0); });
    for (int k = 0; k < 3; ++k) {
        connect(modeActions_[k], &QAction::triggered, this,
                [this, k] { engine_->SetMode(modeMenuMap_[k]); });
    }
    connect(alwaysOnTopAction_, &QAction::toggled, this,
            [this](bool on) { services_.SetAlwaysOnTop(this, on); });
    connect(fontAction_, &QAction::triggered, this, &MainWindow::ChooseTextFont);
    connect(backColorAction_, &QAction::triggered, this, &MainWindow::ChooseBackColor);
}

// ----- menus and desktop -----

void MainWindow::SetTaskbarButton(bool shown) {
    services_.SetTaskbarButton(this, shown || keepTaskbarButton_);
}

void MainWindow::KeepTaskbarButton(bool keep) {
    keepTaskbarButton_ = keep;
}

void MainWindow::SetMinimizeOffered(bool offered) {
    services_.SetMinimizeOffered(this, offered);
    minimizeButton_->setEnabled(offered);
}

void MainWindow::SetAlwaysOnTopChecked(bool on) {
    const QSignalBlocker block(alwaysOnTopAction_);
    alwaysOnTopAction_->setChecked(on);
    services_.SetAlwaysOnTop(this, on);
}

bool MainWindow::IsAlwaysOnTopChecked() const {
    return alwaysOnTopAction_->isChecked();
}

void MainWindow::ChooseTextFont() {
    const ModalScope dialog = ModalScope::ForDialog(state_, *engine_);
    QFont font = timeField_->font();
    FontDescription description;
    TransferFont(font, description, FontTransfer::FromFont);
    description.Color = foreColor_;
    if (ChooseFontDialog(this, description) == 0) {
        TransferFont(font, description, FontTransfer::ToFont);
        timeField_->setFont(font);
        ApplyTextColors(description.Color, backColor_);
        SizeTimeFieldForLength(0);
    }
}

void MainWindow::ChooseBackColor() {
    const ModalScope dialog = ModalScope::ForDialog(state_, *engine_);
    const qint32 chosen = ChooseColorDialog(this, backColor_);
    if (chosen != -1)
        ApplyTextColors(foreColor_, chosen);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        ResetProgressCaption();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ResetProgressCaption();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (engine_ != nullptr)
        engine_->RefreshProgress();
}

void MainWindow::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (engine_ != nullptr)
        engine_->RefreshProgress();
}

void MainWindow::ResetProgressCaption() {
    // With the running time shown in the taskbar caption, a restored window shows its mode
    // again, and the running time where it is still wanted.
    if (engine_ == nullptr)
        return;
    if (isVisible() && options_.showProgress && options_.taskbarButton) {
        const QString modeCaption = engine_->ModeCaption(state_.mode);
        if (windowTitle() != modeCaption)
            setWindowTitle(modeCaption);
    }
    engine_->RefreshProgress();
}

// ----- TimerView -----

QString MainWindow::TimeText() const {
    return timeField_->text();
}

void MainWindow::SetTimeText(const QString& text) {
    timeField_->setText(text);
}

void MainWindow::SetTimeTextLimit(int characters) {
    typingLimit_ = qMax(1, characters);
}

QString MainWindow::Caption() const {
    return windowTitle();
}

void MainWindow::SetCaption(const QString& caption) {
    setWindowTitle(caption);
}

bool MainWindow::IsWindowVisible() const {
    return isVisible();
}

bool MainWindow::IsWindowMinimized() const {
    return isMinimized();
}

void MainWindow::MinimizeWindow() {
    showMinimized();
}

void MainWindow::SetActionCaption(const QString& caption) {
    actionButton_->setText(caption);
    UpdateActionAccessibleName();
}

void MainWindow::SetActionBold(bool bold) {
    QFont f = actionButton_->font();
    f.setBold(bold);
    actionButton_->setFont(f);
}

void MainWindow::SetActionIcon(IconId icon) {
    actionIcon_ = icon;
    actionButton_->setIcon(ResourceIcon(icon));
    UpdateActionAccessibleName();
}

void MainWindow::ApplyButtonIcons() {
    minimizeButton_->setIcon(ResourceIcon(IconId::Minimize));
    clearButton_->setIcon(ResourceIcon(IconId::Clear));
}

void MainWindow::SetAccessKeyCaption(const QString& caption) {
    accessKey_->setKey(QKeySequence::mnemonic(caption));
}

void MainWindow::UpdateActionAccessibleName() {
    const QString caption = WithoutMnemonic(actionButton_->text());
    QString name;
    if (caption.startsWith(QLatin1Char('+')))
        name = QCoreApplication::translate("MainWindow", "Add %1 minutes").arg(caption.mid(1));
    else if (!caption.isEmpty())
        name = caption;
    else if (actionIcon_ == IconId::Stop)
        name = QCoreApplication::translate("MainWindow", "Stop");
    else
        name = QCoreApplication::translate("MainWindow", "Start");
    actionButton_->setAccessibleName(name);
}

void MainWindow::ArmTick(int milliseconds) {
    tick_->start(milliseconds);
}

void MainWindow::StopTick() {
    tick_->stop();
}

void MainWindow::FocusActionButton() {
    actionButton_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::FocusTimeText() {
    timeField_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::RebuildPresetMenu() {
    const TimerMode mode = state_.mode;
    if (mode == TimerMode::StopWatch) {
        presetMenu_->menuAction()->setEnabled(false);
        return;
    }
    const int count = mode == TimerMode::Alarm ? options_.alarmCount : options_.countDownCount;
    const int n = qBound(0, count, options_.presetSlots);
    const int wanted = qMax(n, 1);
    while (static_cast<int>(presetActions_.size()) > wanted) {
        delete presetActions_.back();
        presetActions_.pop_back();
    }
    while (static_cast<int>(presetActions_.size()) < wanted) {
        const int i = static_cast<int>(presetActions_.size());
        auto* item = new QAction(presetMenu_);
        item->setObjectName(MainWindowNames::PresetItem(i));
        presetMenu_->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { engine_->PresetChosen(i); });
        presetActions_.push_back(item);
    }
    // The "Null" placeholder is disabled as well as its menu, so that a screen reader, which
    // reaches the items of a disabled menu, does not offer it.
    for (QAction* item : presetActions_)
        item->setEnabled(n > 0);
    if (n == 0) {
        presetActions_[0]->setText(QCoreApplication::translate("MainWindow", "Null"));
        presetMenu_->menuAction()->setEnabled(false);
        return;
    }
    presetMenu_->menuAction()->setEnabled(true);
    const QString minText = QCoreApplication::translate("MainWindow", "min");
    const QString secText = QCoreApplication::translate("MainWindow", "sec");
    for (int i = 0; i < n; ++i) {
        float preset = 0;
        if (mode == TimerMode::Alarm) {
            if (i >= static_cast<int>(options_.alarmPresets.size()))
                break;
            preset = static_cast<float>(options_.alarmPresets[i].count());
        } else {
            if (i >= static_cast<int>(options_.countDownPresets.size()))
                break;
            preset = DurationTimeValue(options_.countDownPresets[i]);
        }
        presetActions_[i]->setText(PresetLabel(mode, preset, minText, secText));
    }
}

} // namespace plimset
