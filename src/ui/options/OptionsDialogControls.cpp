// The Options dialog's controls and the layouts that place them: two columns of groups,
// the alert texts across the dialog below them, and the end buttons at the bottom; the
// labels' buddies, the connections and the tab order.

#include "ui/options/OptionsDialog.h"

#include "core/AppState.h"
#include "core/HotkeyText.h"
#include "text/Captions.h"
#include "text/LanguageChoice.h"
#include "ui/options/BoxInput.h"
#include "ui/options/OptionsDialogControlMakers.h"
#include "ui/options/OptionsDialogDesign.h"
#include "ui/options/OptionsDialogNames.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <array>

namespace plimset {

using namespace options_design;
namespace names = options_names;
using namespace options_controls;

namespace {

// The room between the rows of the dialog and around the controls inside a group, pixels.
constexpr int CompactSpacing = 4;
constexpr QMargins CompactMargins{8, 2, 8, 6};

} // namespace

void OptionsDialog::CreateControls() {
    QGroupBox* alarm = CreateAlarmGroup();
    QGroupBox* countDown = CreateCountDownGroup();
    const bool countDownFirst = CountDownFirst(options_.modeOrder);
    auto* left = new QVBoxLayout;
    left->addWidget(countDownFirst ? countDown : alarm);
    left->addWidget(countDownFirst ? alarm : countDown);
    left->addWidget(CreateSoundGroup());
    left->addWidget(CreateAlertWindowGroup());
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(CreateTrayGroup());
    for (QGroupBox* group : CreateWindowSizeGroups())
        right->addWidget(group);
    right->addLayout(CreateHotkeyAndLanguage());
    right->addWidget(CreateRestoreGroup());
    right->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    // The groups start at the top edge: their titles keep them clear of it.
    QMargins margins = grid->contentsMargins();
    margins.setTop(0);
    grid->setContentsMargins(margins);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(CreateMessageTextsGroup(countDownFirst), 1, 0, 1, 2);
    CreateEndButtons(grid, 2);
    // Closer than the style's spacing, as the dialog holds many groups.
    grid->setVerticalSpacing(CompactSpacing);
    left->setSpacing(CompactSpacing);
    right->setSpacing(CompactSpacing);
    for (QGroupBox* group : findChildren<QGroupBox*>()) {
        group->layout()->setContentsMargins(CompactMargins);
        group->layout()->setSpacing(CompactSpacing);
    }
    SetBuddies();
    ConnectControls();
}

// Alarm presets and the minutes the add action adds.
QGroupBox* OptionsDialog::CreateAlarmGroup() {
    alarmGroup_ = Named(new QGroupBox(this), names::AlarmGroup,
                        QT_TRANSLATE_NOOP("OptionsDialog", "Alarm (min)"));
    auto* layout = new QVBoxLayout(alarmGroup_);
    CreatePresetStrip(true, layout, BoxFilter::Digits);
    addMinute_ = Box(alarmGroup_, names::AddMinuteBox, 2, BoxFilter::Digits);
    layout->addLayout(Row({Label(alarmGroup_, names::AddMinuteLabel,
                                 QT_TRANSLATE_NOOP("OptionsDialog", "Add Minutes")),
                           addMinute_,
                           Label(alarmGroup_, names::AddMinuteRangeLabel,
                                 QT_TRANSLATE_NOOP("OptionsDialog", "(1-99)")),
                           nullptr}));
    return alarmGroup_;
}

// CountDown presets and the repeat.
QGroupBox* OptionsDialog::CreateCountDownGroup() {
    countDownGroup_ = Named(new QGroupBox(this), names::CountDownGroup,
                            QT_TRANSLATE_NOOP("OptionsDialog", "CountDown (min) or (min.sec)"));
    auto* layout = new QVBoxLayout(countDownGroup_);
    CreatePresetStrip(false, layout, TimeBoxFilter(options_.timeSeparator));
    repeat_ = Check(countDownGroup_, names::RepeatCheck,
                    QT_TRANSLATE_NOOP("OptionsDialog", "Repeat at the end"));
    layout->addWidget(repeat_);
    return countDownGroup_;
}

QGroupBox* OptionsDialog::CreateSoundGroup() {
    auto* group =
        Named(new QGroupBox(this), names::SoundGroup, QT_TRANSLATE_NOOP("OptionsDialog", "Sound"));
    auto* sourceRow = Named(new QWidget(group), names::SoundSourceRow);
    auto* sources = new QHBoxLayout(sourceRow);
    sources->setContentsMargins({});
    soundSource_ = new QButtonGroup(this);
    const auto source = [&](const char* name, const char* caption, SoundSourceId id) {
        auto* option = Named(new QRadioButton(sourceRow), name, caption);
        soundSource_->addButton(option, id);
        sources->addWidget(option, 1);
        return option;
    };
    beepSource_ =
        source(names::BeepSourceOption, QT_TRANSLATE_NOOP("OptionsDialog", "System"), BeepSource);
    fileSource_ =
        source(names::FileSourceOption, QT_TRANSLATE_NOOP("OptionsDialog", "File"), FileSource);
    silentSource_ = source(names::SilentSourceOption, QT_TRANSLATE_NOOP("OptionsDialog", "Nothing"),
                           SilentSource);

    soundFile_ = TextBox(group, names::SoundFileBox, 0);
    soundFile_->setAcceptDrops(false); // the dialog takes dropped files itself
    soundFile_->installEventFilter(this);
    soundFile_->setAttribute(Qt::WA_AcceptDrops, true);
    testPlayButton_ = PictureButton(group, names::TestPlayButton, soundFile_);
    browseButton_ =
        Button(group, names::BrowseButton, QT_TRANSLATE_NOOP("OptionsDialog", "&Browse"));
    beepRow_ = Named(new QWidget(group), names::BeepRow);
    beepCount_ = Box(beepRow_, names::BeepCountBox, 2, BoxFilter::Digits);
    testBeepButton_ = PictureButton(beepRow_, names::TestBeepButton, beepCount_);
    QHBoxLayout* beep = Row(
        {Label(beepRow_, names::BeepCountLabel, QT_TRANSLATE_NOOP("OptionsDialog", "Beep")),
         beepCount_,
         Label(beepRow_, names::BeepCountRangeLabel, QT_TRANSLATE_NOOP("OptionsDialog", "(1-99)")),
         testBeepButton_, nullptr});
    beep->setContentsMargins({});
    beepRow_->setLayout(beep);
    // The beep row takes the file row's place: one of them is shown at a time.
    auto* fileOrBeep = new QGridLayout;
    fileOrBeep->addLayout(Row({soundFile_, testPlayButton_, browseButton_}), 0, 0);
    fileOrBeep->addWidget(beepRow_, 0, 0);
    for (QWidget* w :
         std::initializer_list<QWidget*>{soundFile_, testPlayButton_, browseButton_, beepRow_})
        KeepRoom(w);

    untilEnd_ =
        Check(group, names::UntilEndCheck, QT_TRANSLATE_NOOP("OptionsDialog", "Until end of play"));
    ringDuration_ = Box(group, names::RingDurationBox, 4, TimeBoxFilter(options_.timeSeparator));
    ringDurationUnit_ =
        Label(group, names::RingDurationUnitLabel,
              QT_TRANSLATE_NOOP("OptionsDialog", "(min) or (min.sec) [0:Indefinite]"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(sourceRow);
    layout->addLayout(fileOrBeep);
    layout->addLayout(Row({Label(group, names::RingDurationLabel,
                                 QT_TRANSLATE_NOOP("OptionsDialog", "Ring Duration")),
                           untilEnd_, nullptr}));
    layout->addLayout(Row({ringDuration_, ringDurationUnit_, nullptr}));
    return group;
}

// The alert window.
QGroupBox* OptionsDialog::CreateAlertWindowGroup() {
    auto* group = Named(new QGroupBox(this), names::AlertWindowGroup,
                        QT_TRANSLATE_NOOP("OptionsDialog", "Message Box"));
    alertWindowShown_ =
        Check(group, names::AlertWindowCheck, QT_TRANSLATE_NOOP("OptionsDialog", "Display"));
    alertSize_ = Box(group, names::AlertSizeBox, 3, BoxFilter::Decimal);
    displayDuration_ =
        Box(group, names::DisplayDurationBox, 4, TimeBoxFilter(options_.timeSeparator));
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(Row(
        {alertWindowShown_, nullptr,
         Label(group, names::AlertSizeLabel, QT_TRANSLATE_NOOP("OptionsDialog", "Size")),
         alertSize_,
         Label(group, names::AlertSizeUnitLabel, QT_TRANSLATE_NOOP("OptionsDialog", "times"))}));
    layout->addWidget(Label(group, names::DisplayDurationLabel,
                            QT_TRANSLATE_NOOP("OptionsDialog", "Display Duration")));
    layout->addLayout(
        Row({displayDuration_,
             Label(group, names::DisplayDurationUnitLabel,
                   QT_TRANSLATE_NOOP("OptionsDialog", "(min) or (min.sec) [0:Indefinite]")),
             nullptr}));
    return group;
}

// The alert window's texts, one row per mode, in the modes' order.
QGroupBox* OptionsDialog::CreateMessageTextsGroup(bool countDownFirst) {
    auto* group = Named(new QGroupBox(this), names::MessageTextsGroup,
                        QT_TRANSLATE_NOOP("OptionsDialog", "MessageBox Text"));
    const auto row = [&](const char* rowName, const char* labelName, TimerMode mode,
                         const char* line1, const char* line2, QLineEdit*& first,
                         QLineEdit*& second) {
        auto* panel = Named(new QWidget(group), rowName);
        first = TextBox(panel, line1, 32);
        second = TextBox(panel, line2, 32);
        auto* layout = new QHBoxLayout(panel);
        layout->setContentsMargins({});
        layout->addWidget(Label(panel, labelName,
                                mode == TimerMode::Alarm
                                    ? QT_TRANSLATE_NOOP("OptionsDialog", "Alarm")
                                    : QT_TRANSLATE_NOOP("OptionsDialog", "CountDown")));
        layout->addWidget(first, 1);
        layout->addWidget(second, 1);
        return panel;
    };
    alarmTextsRow_ = row(names::AlarmTextsRow, names::AlarmTextsLabel, TimerMode::Alarm,
                         names::AlarmText1Box, names::AlarmText2Box, alarmText1_, alarmText2_);
    countDownTextsRow_ =
        row(names::CountDownTextsRow, names::CountDownTextsLabel, TimerMode::CountDown,
            names::CountDownText1Box, names::CountDownText2Box, countDownText1_, countDownText2_);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(countDownFirst ? countDownTextsRow_ : alarmTextsRow_);
    layout->addWidget(countDownFirst ? alarmTextsRow_ : countDownTextsRow_);
    // The file keeps texts for English and Japanese only; another language edits the
    // English ones, and says so under them.
    if (context_.language != InterfaceLanguage::English && !EditsJapaneseTexts())
        layout->addWidget(Label(group, names::MessageTextsNote,
                                QT_TRANSLATE_NOOP("OptionsDialog", "Saved as the English texts")));
    return group;
}

// Notification area and taskbar.
QGroupBox* OptionsDialog::CreateTrayGroup() {
    auto* group = Named(new QGroupBox(this), names::TrayGroup,
                        QT_TRANSLATE_NOOP("OptionsDialog", "TaskTray && TaskBar"));
    trayIcon_ = Check(group, names::TrayIconCheck, QT_TRANSLATE_NOOP("OptionsDialog", "TaskTray"));
    taskbarButton_ =
        Check(group, names::TaskbarButtonCheck, QT_TRANSLATE_NOOP("OptionsDialog", "TaskBar"));
    progress_ = Check(group, names::ProgressCheck, QT_TRANSLATE_NOOP("OptionsDialog", "Progress"));
    showAlways_ =
        Check(group, names::ShowAlwaysCheck, QT_TRANSLATE_NOOP("OptionsDialog", "Show Always"));
    auto* layout = new QGridLayout(group);
    layout->addWidget(trayIcon_, 0, 0);
    layout->addWidget(taskbarButton_, 1, 0);
    layout->addWidget(progress_, 0, 1);
    layout->addWidget(showAlways_, 1, 1);
    return group;
}

// The main window's size and display length.
std::array<QGroupBox*, 2> OptionsDialog::CreateWindowSizeGroups() {
    auto* size = Named(new QGroupBox(this), names::WindowSizeGroup,
                       QT_TRANSLATE_NOOP("OptionsDialog", "Window Size (Pixel)"));
    windowWidth_ = Box(size, names::WidthBox, 3, BoxFilter::Digits);
    windowHeight_ = Box(size, names::HeightBox, 3, BoxFilter::Digits);
    reflectSize_ =
        Button(size, names::ReflectSizeButton, QT_TRANSLATE_NOOP("OptionsDialog", "&Reflect"));
    QHBoxLayout* sizeRow = Row(
        {Label(size, names::WidthLabel, QT_TRANSLATE_NOOP("OptionsDialog", "Width")), windowWidth_,
         Label(size, names::HeightLabel, QT_TRANSLATE_NOOP("OptionsDialog", "Height")),
         windowHeight_, nullptr, reflectSize_});
    size->setLayout(sizeRow);

    auto* length = Named(new QGroupBox(this), names::DisplayLengthGroup,
                         QT_TRANSLATE_NOOP("OptionsDialog", "Maximum String Length"));
    lengthList_ = Named(new QComboBox(length), names::LengthList);
    reflectLength_ =
        Button(length, names::ReflectLengthButton, QT_TRANSLATE_NOOP("OptionsDialog", "&Reflect"));
    auto* lengthRow = new QHBoxLayout(length);
    lengthRow->addWidget(lengthList_, 1);
    lengthRow->addWidget(reflectLength_);
    return {size, length};
}

QGridLayout* OptionsDialog::CreateHotkeyAndLanguage() {
    hotkey_ = Named(new QLineEdit(this), names::HotkeyBox);
    // Nothing can be typed, pasted or dropped: the box shows the keys pressed.
    hotkey_->setReadOnly(true);
    hotkey_->setAcceptDrops(false);
    hotkey_->setContextMenuPolicy(Qt::NoContextMenu);
    hotkey_->setAttribute(Qt::WA_InputMethodEnabled, false);
    hotkey_->setFocusPolicy(Qt::StrongFocus);
    hotkey_->installEventFilter(this);
    // Shown where a desktop decides the key, as wide as the column and as high as it needs.
    hotkeyNote_ = Named(new QLabel(this), names::HotkeyNote);
    hotkeyNote_->setWordWrap(true);
    hotkeyNote_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
    hotkeyNote_->hide();
    shortcutSettings_ = Button(this, names::ShortcutSettingsButton,
                               QT_TRANSLATE_NOOP("OptionsDialog", "&Change..."));
    // Offered beside the box where the desktop's shortcut settings can be opened.
    shortcutSettings_->setVisible(context_.hotkeyBinding.CanOpenSettings);
    languageList_ = Named(new QComboBox(this), names::LanguageList);

    auto* layout = new QGridLayout;
    layout->addWidget(Label(this, names::HotkeyLabel, QT_TRANSLATE_NOOP("OptionsDialog", "Hotkey")),
                      0, 0);
    layout->addLayout(Row({hotkey_, shortcutSettings_}), 0, 1);
    layout->addWidget(hotkeyNote_, 1, 0, 1, 2);
    layout->addWidget(
        Label(this, names::LanguageLabel, QT_TRANSLATE_NOOP("OptionsDialog", "Language")), 2, 0);
    layout->addWidget(languageList_, 2, 1);
    return layout;
}

QGroupBox* OptionsDialog::CreateRestoreGroup() {
    auto* group = Named(new QGroupBox(this), names::RestoreDefaultsGroup,
                        QT_TRANSLATE_NOOP("OptionsDialog", "Restore Defaults"));
    restoreLook_ =
        Button(group, names::RestoreLookButton,
               QT_TRANSLATE_NOOP("OptionsDialog", "Window Size, Font, \nand Background Color"));
    restoreAll_ =
        Button(group, names::RestoreAllButton,
               QT_TRANSLATE_NOOP("OptionsDialog", "All (Window position is not included.)"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(restoreLook_);
    layout->addWidget(restoreAll_);
    return group;
}

// OK at the end of the left column, Cancel at the start of the right one, the version in
// the corner.
void OptionsDialog::CreateEndButtons(QGridLayout* grid, int row) {
    okButton_ = Button(this, names::OkButton, QT_TRANSLATE_NOOP("OptionsDialog", "&OK"));
    cancelButton_ =
        Button(this, names::CancelButton, QT_TRANSLATE_NOOP("OptionsDialog", "&Cancel"));
    versionLabel_ = Named(new QLabel(this), names::VersionLabel);
    grid->addWidget(okButton_, row, 0, Qt::AlignRight);
    QHBoxLayout* right = Row({cancelButton_, nullptr, versionLabel_});
    right->setAlignment(versionLabel_, Qt::AlignBottom);
    grid->addLayout(right, row, 1);
}

// The two columns of groups as wide as each other, and the rows of alert texts with their
// boxes in columns; run once the captions are in.
void OptionsDialog::AlignColumns() {
    auto* grid = static_cast<QGridLayout*>(layout());
    const int column = std::max(grid->itemAtPosition(0, 0)->sizeHint().width(),
                                grid->itemAtPosition(0, 1)->sizeHint().width());
    grid->setColumnMinimumWidth(0, column);
    grid->setColumnMinimumWidth(1, column);
    auto* alarmLabel = findChild<QLabel*>(QLatin1String(names::AlarmTextsLabel));
    auto* countDownLabel = findChild<QLabel*>(QLatin1String(names::CountDownTextsLabel));
    const int labels = std::max(alarmLabel->sizeHint().width(), countDownLabel->sizeHint().width());
    alarmLabel->setMinimumWidth(labels);
    countDownLabel->setMinimumWidth(labels);
}

// A label's caption names its box for a screen reader and passes its access key on.
void OptionsDialog::SetBuddies() {
    const auto buddy = [this](const char* labelName, QWidget* target) {
        findChild<QLabel*>(QLatin1String(labelName))->setBuddy(target);
    };
    buddy(names::AddMinuteLabel, addMinute_);
    buddy(names::BeepCountLabel, beepCount_);
    buddy(names::RingDurationLabel, ringDuration_);
    buddy(names::AlertSizeLabel, alertSize_);
    buddy(names::DisplayDurationLabel, displayDuration_);
    buddy(names::WidthLabel, windowWidth_);
    buddy(names::HeightLabel, windowHeight_);
    buddy(names::HotkeyLabel, hotkey_);
    buddy(names::LanguageLabel, languageList_);
    buddy(names::AlarmTextsLabel, alarmText1_);
    buddy(names::CountDownTextsLabel, countDownText1_);
}

void OptionsDialog::ConnectControls() {
    connect(shortcutSettings_, &QPushButton::clicked, this, [this] {
        if (context_.openShortcutSettings)
            context_.openShortcutSettings();
    });
    connect(untilEnd_, &QCheckBox::toggled, this, &OptionsDialog::EnableRingDurationUnlessUntilEnd);
    connect(alertWindowShown_, &QCheckBox::toggled, this,
            &OptionsDialog::EnableAlertWindowSettings);
    for (QCheckBox* c : {trayIcon_, taskbarButton_, progress_, showAlways_})
        connect(c, &QCheckBox::toggled, this, &OptionsDialog::EnableProgressChecks);
    // The state, however it changes (mouse, keyboard, a screen reader's action, a refill),
    // decides what the source offers.
    connect(soundSource_, &QButtonGroup::idToggled, this, [this](int source, bool checked) {
        if (checked)
            ShowSoundSourceControls(source);
    });
    // A path longer than its box can be read whole in the tip.
    connect(soundFile_, &QLineEdit::textChanged, soundFile_, &QLineEdit::setToolTip);
    connect(testBeepButton_, &QPushButton::clicked, this, &OptionsDialog::TestBeep);
    connect(testPlayButton_, &QPushButton::clicked, this, &OptionsDialog::TestPlay);
    connect(browseButton_, &QPushButton::clicked, this, &OptionsDialog::Browse);
    connect(reflectSize_, &QPushButton::clicked, this, &OptionsDialog::ReflectSizeAndLength);
    connect(reflectLength_, &QPushButton::clicked, this, &OptionsDialog::ReflectLength);
    connect(restoreLook_, &QPushButton::clicked, this, &OptionsDialog::RestoreLook);
    connect(restoreAll_, &QPushButton::clicked, this, &OptionsDialog::RestoreAllDefaults);
    connect(okButton_, &QPushButton::clicked, this, &OptionsDialog::Ok);
    connect(cancelButton_, &QPushButton::clicked, this, &OptionsDialog::Cancel);
}

void OptionsDialog::SetTabOrder() {
    const bool countDownFirst = CountDownFirst(options_.modeOrder);
    std::vector<QWidget*> order;
    const auto alarmGroup = [&] {
        order.insert(order.end(), alarmBoxes_.begin(), alarmBoxes_.end());
        order.push_back(addMinute_);
    };
    const auto countDownGroup = [&] {
        order.insert(order.end(), countDownBoxes_.begin(), countDownBoxes_.end());
        order.push_back(repeat_);
    };
    if (countDownFirst) {
        countDownGroup();
        alarmGroup();
    } else {
        alarmGroup();
        countDownGroup();
    }
    order.insert(order.end(),
                 {beepSource_,      fileSource_,    silentSource_,     beepCount_,
                  testBeepButton_,  soundFile_,     testPlayButton_,   browseButton_,
                  untilEnd_,        ringDuration_,  alertWindowShown_, alertSize_,
                  displayDuration_, trayIcon_,      taskbarButton_,    progress_,
                  showAlways_,      windowWidth_,   windowHeight_,     reflectSize_,
                  lengthList_,      reflectLength_, hotkey_,           shortcutSettings_,
                  languageList_,    restoreLook_,   restoreAll_});
    if (countDownFirst)
        order.insert(order.end(), {countDownText1_, countDownText2_, alarmText1_, alarmText2_});
    else
        order.insert(order.end(), {alarmText1_, alarmText2_, countDownText1_, countDownText2_});
    order.insert(order.end(), {okButton_, cancelButton_});
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace plimset
