// The Options dialog's controls laid out from the design's twips, one group at a time:
// the strips of preset boxes, the labels' buddies, the connections, the group order and
// the tab order.

#include "ui/options/OptionsDialog.h"

#include "core/AppState.h"
#include "core/HotkeyText.h"
#include "desktop/Twips.h"
#include "text/LanguageChoice.h"
#include "text/LocalizeForm.h"
#include "text/StringTable.h"
#include "text/TextIds.h"
#include "ui/options/BoxInput.h"
#include "ui/options/OptionsDialogDesign.h"
#include "ui/options/OptionsDialogNames.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <tuple>

namespace plimset {

using namespace options_design;
namespace names = options_names;

// A control's place in its parent, twips.
struct TwipsRect {
    double left;
    double top;
    double width;
    double height;
};

// Makes the dialog's controls under their objectNames, captioned by a string-table id and
// placed in twips.
class ControlMaker {
public:
    ControlMaker(QWidget* dialog, TwipsPerPixel tpp) : dialog_(dialog), tpp_(tpp) {}

    void Place(QWidget* control, const TwipsRect& at) const {
        control->setGeometry(TwipsToPixels(at.left, tpp_.X), TwipsToPixels(at.top, tpp_.Y),
                             TwipsToPixels(at.width, tpp_.X), TwipsToPixels(at.height, tpp_.Y));
    }
    template <typename Control>
    Control* Make(Control* control, const QString& name, int textId, const TwipsRect& at) const {
        control->setObjectName(name);
        if (textId != NoCaption)
            SetTextId(control, textId);
        Place(control, at);
        return control;
    }
    QGroupBox* Group(const char* name, int textId, const TwipsRect& at) const {
        return Make(new QGroupBox(dialog_), QLatin1String(name), textId, at);
    }
    QLabel* Label(QWidget* parent, const char* name, int textId, const TwipsRect& at) const {
        return Make(new QLabel(parent), QLatin1String(name), textId, at);
    }
    QLineEdit* Box(QWidget* parent, const QString& name, const TwipsRect& at, int maxLength,
                   BoxFilter filter) const {
        auto* box = Make(new QLineEdit(parent), name, NoCaption, at);
        InstallBoxRule(box, filter, maxLength);
        return box;
    }
    QLineEdit* Box(QWidget* parent, const char* name, const TwipsRect& at, int maxLength,
                   BoxFilter filter) const {
        return Box(parent, QLatin1String(name), at, maxLength, filter);
    }
    QPushButton* Button(QWidget* parent, const char* name, int textId, const TwipsRect& at) const {
        auto* button = Make(new QPushButton(parent), QLatin1String(name), textId, at);
        button->setAutoDefault(false);
        return button;
    }
    QCheckBox* Check(QWidget* parent, const char* name, int textId, const TwipsRect& at) const {
        return Make(new QCheckBox(parent), QLatin1String(name), textId, at);
    }
    // A plain panel that holds other controls.
    QWidget* Panel(QWidget* parent, const char* name, const TwipsRect& at) const {
        return Make(new QWidget(parent), QLatin1String(name), NoCaption, at);
    }
    QComboBox* List(QWidget* parent, const char* name, const TwipsRect& at) const {
        return Make(new QComboBox(parent), QLatin1String(name), NoCaption, at);
    }

    static constexpr int NoCaption = -1;

private:
    QWidget* dialog_;
    TwipsPerPixel tpp_;
};

void OptionsDialog::CreateControls() {
    ControlMaker make(this, tpp_);
    CreateAlarmGroup(make);
    CreateCountDownGroup(make);
    CreateSoundGroup(make);
    CreateAlertWindowGroup(make);
    CreateMessageTextsGroup(make);
    CreateTrayGroup(make);
    CreateWindowSizeGroups(make);
    CreateHotkeyAndLanguage(make);
    CreateRestoreAndEndButtons(make);
    SetBuddies();
    ConnectControls();
}

// Alarm presets and the minutes the add action adds.
void OptionsDialog::CreateAlarmGroup(ControlMaker& make) {
    alarmGroup_ = make.Group(names::AlarmGroup, TextIds::AlarmGroupCaption, {240, 0, 3375, 975});
    CreatePresetStrip(true, alarmGroup_, BoxFilter::Digits);
    make.Label(alarmGroup_, names::AddMinuteLabel, TextIds::AddMinuteCaption, {120, 645, 255, 180});
    addMinute_ =
        make.Box(alarmGroup_, names::AddMinuteBox, {1260, 600, 300, 270}, 2, BoxFilter::Digits);
    make.Label(alarmGroup_, names::AddMinuteRangeLabel, TextIds::OneToNinetyNineCaption,
               {1620, 645, 300, 180});
}

// CountDown presets and the repeat.
void OptionsDialog::CreateCountDownGroup(ControlMaker& make) {
    countDownGroup_ =
        make.Group(names::CountDownGroup, TextIds::CountDownGroupCaption, {240, 1080, 3375, 975});
    CreatePresetStrip(false, countDownGroup_, TimeBoxFilter(options_.timeSeparator));
    repeat_ = make.Check(countDownGroup_, names::RepeatCheck, TextIds::RepeatCaption,
                         {120, 600, 3075, 255});
}

void OptionsDialog::CreateSoundGroup(ControlMaker& make) {
    QGroupBox* group =
        make.Group(names::SoundGroup, TextIds::SoundGroupCaption, {240, 2160, 3375, 1695});
    QWidget* sourceRow = make.Panel(group, names::SoundSourceRow, {120, 240, 3135, 255});
    soundSource_ = new QButtonGroup(this);
    const auto source = [&](const char* name, int textId, SoundSourceId id) {
        auto* option = make.Make(new QRadioButton(sourceRow), QLatin1String(name), textId,
                                 {1080.0 * static_cast<int>(id), 0, 1095, 255});
        soundSource_->addButton(option, id);
        return option;
    };
    beepSource_ = source(names::BeepSourceOption, TextIds::BeepSourceCaption, BeepSource);
    fileSource_ = source(names::FileSourceOption, TextIds::FileSourceCaption, FileSource);
    silentSource_ = source(names::SilentSourceOption, TextIds::SilentSourceCaption, SilentSource);
    soundFile_ = make.Box(group, names::SoundFileBox, {120, 600, 1830, 270}, 0, BoxFilter::None);
    soundFile_->setAcceptDrops(false); // the dialog takes dropped files itself
    soundFile_->installEventFilter(this);
    soundFile_->setAttribute(Qt::WA_AcceptDrops, true);
    testPlayButton_ =
        make.Button(group, names::TestPlayButton, ControlMaker::NoCaption, {2040, 600, 255, 255});
    browseButton_ =
        make.Button(group, names::BrowseButton, TextIds::BrowseCaption, {2400, 600, 825, 255});
    beepRow_ = make.Panel(group, names::BeepRow, {120, 600, 3135, 375});
    beepRow_->setAutoFillBackground(true); // it lies over the file row
    make.Label(beepRow_, names::BeepCountLabel, TextIds::BeepCountCaption, {0, 45, 120, 180});
    beepCount_ = make.Box(beepRow_, names::BeepCountBox, {600, 0, 300, 270}, 2, BoxFilter::Digits);
    make.Label(beepRow_, names::BeepCountRangeLabel, TextIds::OneToNinetyNineCaption,
               {960, 45, 300, 180});
    testBeepButton_ =
        make.Button(beepRow_, names::TestBeepButton, ControlMaker::NoCaption, {1560, 0, 255, 255});
    make.Label(group, names::RingDurationLabel, TextIds::RingDurationCaption,
               {120, 1080, 240, 180});
    untilEnd_ =
        make.Check(group, names::UntilEndCheck, TextIds::UntilEndCaption, {1440, 1050, 1815, 255});
    ringDuration_ = make.Box(group, names::RingDurationBox, {120, 1320, 450, 270}, 4,
                             TimeBoxFilter(options_.timeSeparator));
    ringDurationUnit_ = make.Label(group, names::RingDurationUnitLabel,
                                   TextIds::DurationUnitCaption, {600, 1365, 270, 180});
}

// The alert window.
void OptionsDialog::CreateAlertWindowGroup(ControlMaker& make) {
    QGroupBox* group = make.Group(names::AlertWindowGroup, TextIds::AlertWindowGroupCaption,
                                  {240, 3960, 3375, 1215});
    alertWindowShown_ = make.Check(group, names::AlertWindowCheck, TextIds::AlertWindowCaption,
                                   {120, 240, 1215, 255});
    make.Label(group, names::AlertSizeLabel, TextIds::AlertSizeCaption, {1560, 285, 105, 180});
    alertSize_ = make.Box(group, names::AlertSizeBox, {2160, 240, 405, 270}, 3, BoxFilter::Decimal);
    make.Label(group, names::AlertSizeUnitLabel, TextIds::TimesCaption, {2595, 285, 420, 180});
    make.Label(group, names::DisplayDurationLabel, TextIds::DisplayDurationCaption,
               {120, 600, 240, 180});
    displayDuration_ = make.Box(group, names::DisplayDurationBox, {120, 840, 450, 270}, 4,
                                TimeBoxFilter(options_.timeSeparator));
    make.Label(group, names::DisplayDurationUnitLabel, TextIds::DurationUnitCaption,
               {600, 885, 270, 180});
}

// The alert window's texts, one row per mode.
void OptionsDialog::CreateMessageTextsGroup(ControlMaker& make) {
    QGroupBox* group = make.Group(names::MessageTextsGroup, TextIds::MessageTextsGroupCaption,
                                  {240, 5280, 6975, 855});
    const auto row = [&](int at, const char* rowName, const char* labelName, qint16 mode,
                         const char* line1, const char* line2) {
        // One box high, the second row just below the first.
        QWidget* panel =
            make.Panel(group, rowName, {120, 240.0 + PresetBoxHeight * at, 6735, PresetBoxHeight});
        make.Label(panel, labelName, TextIds::ModeName(mode), {0, 45, 120 + 120.0 * at, 180});
        QLineEdit* first = make.Box(panel, line1, {1320, 0, 2685, 270}, 32, BoxFilter::None);
        QLineEdit* second = make.Box(panel, line2, {3960, 0, 2685, 270}, 32, BoxFilter::None);
        return std::tuple{panel, first, second};
    };
    std::tie(alarmTextsRow_, alarmText1_, alarmText2_) =
        row(0, names::AlarmTextsRow, names::AlarmTextsLabel, Alarm, names::AlarmText1Box,
            names::AlarmText2Box);
    std::tie(countDownTextsRow_, countDownText1_, countDownText2_) =
        row(1, names::CountDownTextsRow, names::CountDownTextsLabel, CountDown,
            names::CountDownText1Box, names::CountDownText2Box);
}

// Notification area and taskbar.
void OptionsDialog::CreateTrayGroup(ControlMaker& make) {
    QGroupBox* group =
        make.Group(names::TrayGroup, TextIds::TrayGroupCaption, {3840, 0, 3375, 855});
    trayIcon_ =
        make.Check(group, names::TrayIconCheck, TextIds::TrayIconCaption, {120, 240, 1455, 255});
    taskbarButton_ = make.Check(group, names::TaskbarButtonCheck, TextIds::TaskbarButtonCaption,
                                {120, 480, 1455, 255});
    progress_ =
        make.Check(group, names::ProgressCheck, TextIds::ProgressCaption, {1560, 240, 1695, 255});
    showAlways_ = make.Check(group, names::ShowAlwaysCheck, TextIds::ShowAlwaysCaption,
                             {1560, 480, 1695, 255});
}

// The main window's size and display length.
void OptionsDialog::CreateWindowSizeGroups(ControlMaker& make) {
    QGroupBox* size =
        make.Group(names::WindowSizeGroup, TextIds::WindowSizeGroupCaption, {3840, 960, 3375, 615});
    make.Label(size, names::WidthLabel, TextIds::WidthCaption, {120, 285, 135, 180});
    windowWidth_ = make.Box(size, names::WidthBox, {705, 240, 405, 270}, 3, BoxFilter::Digits);
    make.Label(size, names::HeightLabel, TextIds::HeightCaption, {1290, 285, 120, 180});
    windowHeight_ = make.Box(size, names::HeightBox, {1875, 240, 405, 270}, 3, BoxFilter::Digits);
    reflectSize_ =
        make.Button(size, names::ReflectSizeButton, TextIds::ReflectCaption, {2400, 240, 855, 255});
    QGroupBox* length = make.Group(names::DisplayLengthGroup, TextIds::DisplayLengthGroupCaption,
                                   {3840, 1680, 3375, 615});
    lengthList_ = make.List(length, names::LengthList, {120, 240, 2175, 300});
    reflectLength_ = make.Button(length, names::ReflectLengthButton, TextIds::ReflectCaption,
                                 {2400, 240, 855, 255});
}

void OptionsDialog::CreateHotkeyAndLanguage(ControlMaker& make) {
    make.Label(this, names::HotkeyLabel, TextIds::HotkeyCaption, {3840, 2565, 225, 180});
    hotkey_ = make.Make(new QLineEdit(this), QLatin1String(names::HotkeyBox),
                        ControlMaker::NoCaption, {4800, 2520, 2415, 270});
    // Nothing can be typed, pasted or dropped: the box shows the keys pressed.
    hotkey_->setReadOnly(true);
    hotkey_->setAcceptDrops(false);
    hotkey_->setContextMenuPolicy(Qt::NoContextMenu);
    hotkey_->setAttribute(Qt::WA_InputMethodEnabled, false);
    hotkey_->setFocusPolicy(Qt::StrongFocus);
    hotkey_->installEventFilter(this);
    hotkeyNote_ = make.Make(new QLabel(this), QLatin1String(names::HotkeyNote),
                            ControlMaker::NoCaption, {3840, 2820, 3375, 180});
    hotkeyNote_->setWordWrap(true);
    hotkeyNote_->hide(); // shown where a desktop decides the key, once the rest is fitted
    shortcutSettings_ = make.Button(this, names::ShortcutSettingsButton,
                                    TextIds::ShortcutSettingsCaption, {6480, 2520, 735, 270});
    make.Label(this, names::LanguageLabel, TextIds::LanguageCaption, {3840, 3045, 90, 180});
    languageList_ = make.List(this, names::LanguageList, {4800, 3000, 2415, 300});
}

void OptionsDialog::PlaceShortcutSettingsButton() {
    const bool offered = context_.hotkeyBinding.CanOpenSettings;
    shortcutSettings_->setVisible(offered);
    if (offered)
        hotkey_->resize(shortcutSettings_->x() - TwipsToPixels(60, tpp_.X) - hotkey_->x(),
                        hotkey_->height());
}

void OptionsDialog::PlaceHotkeyNote() {
    const HotkeyBinding& binding = context_.hotkeyBinding;
    if (!binding.ByDesktop && !binding.NoneOffered)
        return;
    // Below the hotkey's row, as wide as it; the longest note it may show decides the room.
    const QWidget* label = findChild<QLabel*>(QLatin1String(names::HotkeyLabel));
    const QWidget* rowEnd =
        shortcutSettings_->isHidden() ? static_cast<QWidget*>(hotkey_) : shortcutSettings_;
    const int gap = TwipsToPixels(60, tpp_.Y);
    const int top = std::max(hotkey_->geometry().bottom(), label->geometry().bottom()) + gap;
    hotkeyNote_->setText(
        binding.NoneOffered ? LocalizedText(TextIds::NoGlobalShortcutsNote, context_.languageOffset)
                            : LocalizedText(TextIds::DesktopHotkeyNote, context_.languageOffset)
                                  .arg(HotkeyCodeToText(790)));
    const int noteWidth = rowEnd->geometry().right() + 1 - label->x();
    hotkeyNote_->setGeometry(label->x(), top, noteWidth, hotkeyNote_->heightForWidth(noteWidth));
    hotkeyNote_->show();

    // What stands below it in the right column moves down to make room; the rows across
    // the whole dialog below the columns move only as far as the column then needs.
    auto* across = findChild<QGroupBox*>(QLatin1String(names::MessageTextsGroup));
    const int acrossTop = across->y();
    const int room = hotkeyNote_->geometry().bottom() + gap - top + 1;
    int columnBottom = 0;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != hotkeyNote_ && !w->isHidden() && w->y() >= top - gap &&
            w->geometry().right() >= label->x() && w->y() < acrossTop && w != hotkey_ &&
            w != label && w != shortcutSettings_) {
            w->move(w->x(), w->y() + room);
            columnBottom = std::max(columnBottom, w->geometry().bottom());
        }
    }
    const int acrossShift = std::max(0, columnBottom + 2 * gap - acrossTop);
    if (acrossShift == 0)
        return;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->y() >= acrossTop)
            w->move(w->x(), w->y() + acrossShift);
    }
    setFixedSize(width(), height() + acrossShift);
    move(x(), y() - acrossShift / 2);
}

void OptionsDialog::CreateRestoreAndEndButtons(ControlMaker& make) {
    QGroupBox* group = make.Group(names::RestoreDefaultsGroup, TextIds::RestoreDefaultsGroupCaption,
                                  {3840, 3480, 3375, 1335});
    restoreLook_ = make.Button(group, names::RestoreLookButton, TextIds::RestoreLookCaption,
                               {120, 240, 3135, 495});
    restoreAll_ = make.Button(group, names::RestoreAllButton, TextIds::RestoreAllCaption,
                              {120, 720, 3135, 495});
    okButton_ = make.Button(this, names::OkButton, TextIds::OkCaption, {2160, 6240, 1455, 375});
    cancelButton_ =
        make.Button(this, names::CancelButton, TextIds::CancelCaption, {3840, 6240, 1455, 375});
    versionLabel_ = make.Make(new QLabel(this), QLatin1String(names::VersionLabel),
                              ControlMaker::NoCaption, {6720, 6510, 630, 180});
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

void OptionsDialog::CreatePresetStrip(bool alarm, QGroupBox* group, BoxFilter filter) {
    const int maxLength = alarm ? 3 : 5;
    const int count = qMax<int>(1, options_.presetSlots);
    const PresetStripLayout layout =
        LayoutPresetBoxes(count, ViewportLeft, ViewportWidth, PresetBoxWidth, ViewportWidth);

    auto* viewport = new QWidget(group);
    viewport->setObjectName(QLatin1String(alarm ? names::AlarmViewport : names::CountDownViewport));
    // One box high, so that the scroll bar below covers none of it.
    viewport->setGeometry(TwipsToPixels(ViewportLeft, tpp_.X), TwipsToPixels(240, tpp_.Y),
                          TwipsToPixels(ViewportWidth, tpp_.X),
                          TwipsToPixels(PresetBoxHeight, tpp_.Y));
    auto* strip = new QWidget(viewport);
    strip->setObjectName(QLatin1String(alarm ? names::AlarmStrip : names::CountDownStrip));
    strip->setGeometry(0, 0, TwipsToPixels(layout.StripWidth, tpp_.X),
                       TwipsToPixels(PresetBoxHeight, tpp_.Y));
    std::vector<QLineEdit*>& boxes = alarm ? alarmBoxes_ : countDownBoxes_;
    for (int i = 0; i < count; ++i) {
        auto* b = new QLineEdit(strip);
        b->setObjectName(alarm ? names::AlarmPresetBox(i) : names::CountDownPresetBox(i));
        b->setGeometry(TwipsToPixels(layout.Lefts[i], tpp_.X), 0,
                       TwipsToPixels(PresetBoxWidth, tpp_.X),
                       TwipsToPixels(PresetBoxHeight, tpp_.Y));
        InstallBoxRule(b, filter, maxLength);
        b->installEventFilter(this);
        boxes.push_back(b);
    }

    auto* scroll = new QScrollBar(Qt::Horizontal, group);
    scroll->setObjectName(QLatin1String(alarm ? names::AlarmScroll : names::CountDownScroll));
    scroll->setGeometry(TwipsToPixels(ViewportLeft, tpp_.X),
                        TwipsToPixels(240 + PresetBoxHeight, tpp_.Y),
                        TwipsToPixels(ViewportWidth, tpp_.X), TwipsToPixels(120, tpp_.Y));
    // The keyboard reaches every box by Tab; the strip follows the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    if (layout.ScrollShown) {
        scroll->setRange(layout.ScrollMin, layout.ScrollMax);
        scroll->setSingleStep(layout.SmallChange);
        scroll->setPageStep(layout.LargeChange);
        scroll->setValue(0);
    } else {
        scroll->hide();
    }
    connect(scroll, &QScrollBar::valueChanged, this,
            [this, strip](int value) { strip->move(-TwipsToPixels(value, tpp_.X), 0); });
    (alarm ? alarmStrip_ : countDownStrip_) = strip;
    (alarm ? alarmScroll_ : countDownScroll_) = scroll;
}

void OptionsDialog::ScrollIntoView(QLineEdit* box) {
    const bool alarm = box->parentWidget() == alarmStrip_;
    QScrollBar* scroll = alarm ? alarmScroll_ : countDownScroll_;
    if (scroll->isHidden())
        return;
    const std::vector<QLineEdit*>& boxes = alarm ? alarmBoxes_ : countDownBoxes_;
    const auto at = std::find(boxes.begin(), boxes.end(), box);
    if (at == boxes.end())
        return;
    const int step = static_cast<int>(ViewportLeft + PresetBoxWidth);
    const int left = step * static_cast<int>(at - boxes.begin());
    if (left < scroll->value())
        scroll->setValue(left);
    else if (left + PresetBoxWidth > scroll->value() + ViewportWidth)
        scroll->setValue(static_cast<int>(left + PresetBoxWidth + 30 - ViewportWidth));
}

void OptionsDialog::ArrangeGroups() {
    if (!CountDownFirst(options_.modeOrder))
        return;
    // CountDown first: the groups change places, and so do the rows of alert texts.
    const int countDownTop = countDownGroup_->y();
    countDownGroup_->move(countDownGroup_->x(), alarmGroup_->y());
    alarmGroup_->move(alarmGroup_->x(),
                      countDownTop + countDownGroup_->height() - alarmGroup_->height());
    const int rowTop = countDownTextsRow_->y();
    countDownTextsRow_->move(countDownTextsRow_->x(), alarmTextsRow_->y());
    alarmTextsRow_->move(alarmTextsRow_->x(), rowTop);
    alarmTextsRow_->raise();
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
