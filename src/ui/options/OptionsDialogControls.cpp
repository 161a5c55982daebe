// The Options dialog's controls laid out from the design's twips: the strips of preset
// boxes, the group order, the tab order, the captions and the accessible names.

#include "ui/options/OptionsDialog.h"

#include "core/HotkeyText.h"
#include "core/NumericText.h"
#include "core/Version.h"
#include "desktop/Icons.h"
#include "desktop/Twips.h"
#include "text/LanguageChoice.h"
#include "text/LocalizeForm.h"
#include "text/StringTable.h"
#include "text/TextIds.h"
#include "ui/options/BoxInput.h"
#include "ui/options/OptionsDialogDesign.h"
#include "ui/options/SoundPreview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

namespace plimset {

using namespace options_design;

void OptionsDialog::CreateControls() {
    const auto place = [this](QWidget* w, double left, double top, double width, double height) {
        w->setGeometry(TwipsToPixels(left, tpp_.X), TwipsToPixels(top, tpp_.Y),
                       TwipsToPixels(width, tpp_.X), TwipsToPixels(height, tpp_.Y));
    };
    // A control of its kind under its design name, captioned by a text id (NoCaption: none),
    // placed in twips.
    constexpr int NoCaption = -1;
    const auto make = [&]<typename Control>(Control* control, const QString& name, int textId,
                                            double left, double top, double width, double height) {
        control->setObjectName(name);
        if (textId != NoCaption)
            SetTextId(control, textId);
        place(control, left, top, width, height);
        return control;
    };
    const auto frame = [&](int index, int textId, double left, double top, double width,
                           double height) {
        return make(new QGroupBox(this), Name("Frame1", index), textId, left, top, width, height);
    };
    const auto label = [&](QWidget* parent, const QString& name, int textId, double left,
                           double top, double width, double height) {
        return make(new QLabel(parent), name, textId, left, top, width, height);
    };
    const auto box = [&](QWidget* parent, const QString& name, double left, double top,
                         double width, double height, int maxLength, BoxFilter filter) {
        auto* b = make(new QLineEdit(parent), name, NoCaption, left, top, width, height);
        InstallBoxRule(b, filter, maxLength);
        return b;
    };
    const auto button = [&](QWidget* parent, const QString& name, int textId, double left,
                            double top, double width, double height) {
        auto* b = make(new QPushButton(parent), name, textId, left, top, width, height);
        b->setAutoDefault(false);
        return b;
    };
    const auto check = [&](QWidget* parent, const QString& name, int textId, double left,
                           double top, double width, double height) {
        return make(new QCheckBox(parent), name, textId, left, top, width, height);
    };
    const auto picture = [&](QWidget* parent, const QString& name, double left, double top,
                             double width, double height) {
        return make(new QWidget(parent), name, NoCaption, left, top, width, height);
    };
    const BoxFilter timeFilter = TimeBoxFilter(options_.TimeSeparator);
    frames_.resize(9, nullptr);

    // Alarm presets and the minutes the add action adds.
    frames_[0] = frame(0, 701, 240, 0, 3375, 975);
    CreatePresetStrip(0, frames_[0], alarmBoxes_, alarmStrip_, alarmScroll_, BoxFilter::Digits);
    label(frames_[0], Name("Label2", 10), 721, 120, 645, 255, 180);
    addMinute_ =
        box(frames_[0], QStringLiteral("Text3"), 1260, 600, 300, 270, 2, BoxFilter::Digits);
    label(frames_[0], Name("Label2", 11), 722, 1620, 645, 300, 180);

    // CountDown presets and the repeat.
    frames_[1] = frame(1, 702, 240, 1080, 3375, 975);
    CreatePresetStrip(1, frames_[1], countDownBoxes_, countDownStrip_, countDownScroll_,
                      timeFilter);
    repeat_ = check(frames_[1], QStringLiteral("Check4"), 726, 120, 600, 3075, 255);

    // Sound.
    frames_[2] = frame(2, 703, 240, 2160, 3375, 1695);
    QWidget* sourceRow = picture(frames_[2], QStringLiteral("Picture3"), 120, 240, 3135, 255);
    source_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(sourceRow);
        option->setObjectName(Name("Option1", i));
        SetTextId(option, 731 + i);
        place(option, 1080.0 * i, 0, 1095, 255);
        source_->addButton(option, i);
        sources_[i] = option;
    }
    soundFile_ = box(frames_[2], QStringLiteral("Text4"), 120, 600, 1830, 270, 0, BoxFilter::None);
    soundFile_->setAcceptDrops(false); // the dialog takes dropped files itself
    soundFile_->installEventFilter(this);
    soundFile_->setAttribute(Qt::WA_AcceptDrops, true);
    playButton_ = button(frames_[2], QStringLiteral("Command3"), 0, 2040, 600, 255, 255);
    browseButton_ = button(frames_[2], QStringLiteral("Command2"), 304, 2400, 600, 825, 255);
    beepRow_ = picture(frames_[2], QStringLiteral("Picture4"), 120, 600, 3135, 375);
    beepRow_->setAutoFillBackground(true); // it lies over the file row
    label(beepRow_, Name("Label2", 20), 734, 0, 45, 120, 180);
    beepCount_ = box(beepRow_, QStringLiteral("Text5"), 600, 0, 300, 270, 2, BoxFilter::Digits);
    label(beepRow_, Name("Label2", 21), 722, 960, 45, 300, 180);
    beepButton_ = button(beepRow_, QStringLiteral("Command4"), 0, 1560, 0, 255, 255);
    label(frames_[2], Name("Label2", 22), 735, 120, 1080, 240, 180);
    untilEnd_ = check(frames_[2], QStringLiteral("Check1"), 736, 1440, 1050, 1815, 255);
    durations_[0] = box(frames_[2], Name("Text6", 0), 120, 1320, 450, 270, 4, timeFilter);
    label(frames_[2], Name("Label2", 23), 737, 600, 1365, 270, 180);

    // The alert window.
    frames_[3] = frame(3, 704, 240, 3960, 3375, 1215);
    display_ = check(frames_[3], QStringLiteral("Check2"), 741, 120, 240, 1215, 255);
    label(frames_[3], Name("Label2", 30), 742, 1560, 285, 105, 180);
    sizeFactor_ =
        box(frames_[3], QStringLiteral("Text7"), 2160, 240, 405, 270, 3, BoxFilter::Decimal);
    label(frames_[3], Name("Label2", 31), 743, 2595, 285, 420, 180);
    label(frames_[3], Name("Label2", 32), 744, 120, 600, 240, 180);
    durations_[1] = box(frames_[3], Name("Text6", 1), 120, 840, 450, 270, 4, timeFilter);
    label(frames_[3], Name("Label2", 33), 737, 600, 885, 270, 180);

    // The alert window's texts, one row per mode.
    frames_[8] = frame(8, 711, 240, 5280, 6975, 855);
    for (int row = 0; row < 2; ++row) {
        textRows_[row] =
            picture(frames_[8], Name("Picture8", row), 120, 240.0 + 240 * row, 6735, 300);
        label(textRows_[row], Name("Label2", 80 + row), 601 + row, 0, 45, 120 + 120 * row, 180);
        for (int line = 0; line < 2; ++line)
            texts_[row * 2 + line] = box(textRows_[row], Name("Text10", 10 * (row + 1) + line + 1),
                                         1320.0 + 2640 * line, 0, 2685, 270, 32, BoxFilter::None);
    }

    // Notification area and taskbar.
    frames_[4] = frame(4, 705, 3840, 0, 3375, 855);
    for (int i = 0; i < 4; ++i)
        tray_[i] = check(frames_[4], Name("Check3", i), 751 + i, i < 2 ? 120 : 1560,
                         i % 2 == 0 ? 240 : 480, i < 2 ? 1455 : 1695, 255);

    // The main window's size and display length.
    frames_[5] = frame(5, 706, 3840, 960, 3375, 615);
    label(frames_[5], Name("Label2", 50), 761, 120, 285, 135, 180);
    mainSize_[0] = box(frames_[5], Name("Text8", 0), 705, 240, 405, 270, 3, BoxFilter::Digits);
    label(frames_[5], Name("Label2", 51), 762, 1290, 285, 120, 180);
    mainSize_[1] = box(frames_[5], Name("Text8", 1), 1875, 240, 405, 270, 3, BoxFilter::Digits);
    reflect_[0] = button(frames_[5], Name("Command5", 0), 311, 2400, 240, 855, 255);
    frames_[6] = frame(6, 707, 3840, 1680, 3375, 615);
    maxLength_ = new QComboBox(frames_[6]);
    maxLength_->setObjectName(QStringLiteral("Combo1"));
    place(maxLength_, 120, 240, 2175, 300);
    reflect_[1] = button(frames_[6], Name("Command5", 1), 311, 2400, 240, 855, 255);

    // Hotkey and language.
    label(this, Name("Label1", 0), 708, 3840, 2565, 225, 180);
    hotkey_ = new QLineEdit(this);
    hotkey_->setObjectName(QStringLiteral("Text9"));
    place(hotkey_, 4800, 2520, 2415, 270);
    // Nothing can be typed, pasted or dropped: the box shows the keys pressed.
    hotkey_->setReadOnly(true);
    hotkey_->setAcceptDrops(false);
    hotkey_->setContextMenuPolicy(Qt::NoContextMenu);
    hotkey_->setAttribute(Qt::WA_InputMethodEnabled, false);
    hotkey_->setFocusPolicy(Qt::StrongFocus);
    hotkey_->installEventFilter(this);
    label(this, Name("Label1", 1), 709, 3840, 3045, 90, 180);
    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("Combo2"));
    place(language_, 4800, 3000, 2415, 300);

    // Restore Defaults.
    frames_[7] = frame(7, 710, 3840, 3480, 3375, 1335);
    restore_[0] = button(frames_[7], Name("Command6", 0), 771, 120, 240, 3135, 495);
    restore_[1] = button(frames_[7], Name("Command6", 1), 772, 120, 720, 3135, 495);

    endButtons_[0] = button(this, Name("Command1", 0), 301, 2160, 6240, 1455, 375);
    endButtons_[1] = button(this, Name("Command1", 1), 302, 3840, 6240, 1455, 375);
    version_ = new QLabel(this);
    version_->setObjectName(QStringLiteral("LBL_Version"));
    place(version_, 6720, 6510, 630, 180);

    // Buddies: a label's caption names its box for a screen reader and passes its key.
    const auto buddy = [this](const char* labelName, QWidget* target) {
        findChild<QLabel*>(QLatin1String(labelName))->setBuddy(target);
    };
    buddy("Label2_10", addMinute_);
    buddy("Label2_20", beepCount_);
    buddy("Label2_22", durations_[0]);
    buddy("Label2_30", sizeFactor_);
    buddy("Label2_32", durations_[1]);
    buddy("Label2_50", mainSize_[0]);
    buddy("Label2_51", mainSize_[1]);
    buddy("Label1_0", hotkey_);
    buddy("Label1_1", language_);
    buddy("Label2_80", texts_[0]);
    buddy("Label2_81", texts_[2]);

    // The rules and actions.
    connect(untilEnd_, &QCheckBox::toggled, this, &OptionsDialog::CheckRule1);
    connect(display_, &QCheckBox::toggled, this, &OptionsDialog::CheckRule2);
    for (QCheckBox* c : tray_)
        connect(c, &QCheckBox::toggled, this, &OptionsDialog::CheckRule3);
    connect(source_, &QButtonGroup::idClicked, this, &OptionsDialog::SoundSourceRule);
    connect(beepButton_, &QPushButton::clicked, this, &OptionsDialog::TestBeep);
    connect(playButton_, &QPushButton::clicked, this, &OptionsDialog::TestPlay);
    connect(browseButton_, &QPushButton::clicked, this, &OptionsDialog::Browse);
    for (int i = 0; i < 2; ++i) {
        connect(reflect_[i], &QPushButton::clicked, this, [this, i] { Reflect(i); });
        connect(restore_[i], &QPushButton::clicked, this, [this, i] { RestoreDefaults(i); });
    }
    connect(endButtons_[0], &QPushButton::clicked, this, &OptionsDialog::Ok);
    connect(endButtons_[1], &QPushButton::clicked, this, &OptionsDialog::Cancel);
}

void OptionsDialog::CreatePresetStrip(int group, QGroupBox* frame, std::vector<QLineEdit*>& boxes,
                                      QWidget*& strip, QScrollBar*& scroll, BoxFilter filter) {
    const char* pictures = group == 0 ? "Picture1" : "Picture2";
    const char* texts = group == 0 ? "Text1" : "Text2";
    const int maxLength = group == 0 ? 3 : 5;
    const int count = qMax<int>(1, options_.MaxCol);
    const PresetStripLayout layout =
        LayoutPresetBoxes(count, ViewportLeft, ViewportWidth, PresetBoxWidth, ViewportWidth);

    auto* viewport = new QWidget(frame);
    viewport->setObjectName(Name(pictures, 0));
    viewport->setGeometry(TwipsToPixels(ViewportLeft, tpp_.X), TwipsToPixels(240, tpp_.Y),
                          TwipsToPixels(ViewportWidth, tpp_.X), TwipsToPixels(330, tpp_.Y));
    (group == 0 ? alarmViewport_ : countDownViewport_) = viewport;
    strip = new QWidget(viewport);
    strip->setObjectName(Name(pictures, 1));
    strip->setGeometry(0, 0, TwipsToPixels(layout.StripWidth, tpp_.X), TwipsToPixels(330, tpp_.Y));
    for (int i = 0; i < count; ++i) {
        auto* b = new QLineEdit(strip);
        b->setObjectName(Name(texts, i));
        b->setGeometry(TwipsToPixels(layout.Lefts[i], tpp_.X), 0,
                       TwipsToPixels(PresetBoxWidth, tpp_.X),
                       TwipsToPixels(PresetBoxHeight, tpp_.Y));
        InstallBoxRule(b, filter, maxLength);
        b->installEventFilter(this);
        boxes.push_back(b);
    }

    scroll = new QScrollBar(Qt::Horizontal, frame);
    scroll->setObjectName(group == 0 ? QStringLiteral("HScroll1") : QStringLiteral("HScroll2"));
    scroll->setGeometry(TwipsToPixels(ViewportLeft, tpp_.X), TwipsToPixels(480, tpp_.Y),
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
    QWidget* moved = strip;
    connect(scroll, &QScrollBar::valueChanged, this,
            [this, moved](int value) { moved->move(-TwipsToPixels(value, tpp_.X), 0); });
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
    const qsizetype alarmAt = options_.ModeOrder.indexOf(u'1');
    const qsizetype countDownAt = options_.ModeOrder.indexOf(u'2');
    if (alarmAt <= countDownAt)
        return;
    // CountDown first: the groups change places, and so do the rows of alert texts.
    QGroupBox* alarm = frames_[0];
    QGroupBox* countDown = frames_[1];
    const int t = countDown->y();
    countDown->move(countDown->x(), alarm->y());
    alarm->move(alarm->x(), t + countDown->height() - alarm->height());
    const int rowTop = textRows_[1]->y();
    textRows_[1]->move(textRows_[1]->x(), textRows_[0]->y());
    textRows_[0]->move(textRows_[0]->x(), rowTop);
    textRows_[0]->raise();
}

void OptionsDialog::SetTabOrder() {
    const bool countDownFirst = options_.ModeOrder.indexOf(u'1') > options_.ModeOrder.indexOf(u'2');
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
    for (QWidget* w : std::initializer_list<QWidget*>{
             sources_[0],   sources_[1],   sources_[2], beepCount_,    beepButton_, soundFile_,
             playButton_,   browseButton_, untilEnd_,   durations_[0], display_,    sizeFactor_,
             durations_[1], tray_[0],      tray_[1],    tray_[2],      tray_[3],    mainSize_[0],
             mainSize_[1],  reflect_[0],   maxLength_,  reflect_[1],   hotkey_,     language_,
             restore_[0],   restore_[1]})
        order.push_back(w);
    if (countDownFirst)
        order.insert(order.end(), {texts_[2], texts_[3], texts_[0], texts_[1]});
    else
        order.insert(order.end(), {texts_[0], texts_[1], texts_[2], texts_[3]});
    order.insert(order.end(), {endButtons_[0], endButtons_[1]});
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void OptionsDialog::FillCombos() {
    const qint16 offset = context_.languageOffset;
    const QLocale& locale = context_.locale;
    for (int length = 5; length <= 8; ++length)
        maxLength_->addItem(MaxLengthItemText(length, options_.TimeSeparator, locale,
                                              LocalizedText(811, offset),
                                              LocalizedText(812, offset)));
    for (int id = 831; id <= 833; ++id)
        language_->addItem(LocalizedText(id, offset));
}

void OptionsDialog::Caption() {
    SetTextId(this, TextIds::OptionsTitle);
    LocalizeForm(this, context_.languageOffset);
    // The two-line caption keeps one line break; a screen reader reads it as one line.
    restore_[0]->setText(restore_[0]->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    restore_[0]->setAccessibleName(WithoutMnemonic(restore_[0]->text()).simplified());
    if (options_.TimeSeparator == 1) {
        const auto clockStyle = [](QString text) {
            return text.replace(u'.', u':').replace(u'．', u'：');
        };
        frames_[1]->setTitle(clockStyle(frames_[1]->title()));
        for (const char* name : {"Label2_23", "Label2_33"}) {
            auto* l = findChild<QLabel*>(QLatin1String(name));
            l->setText(clockStyle(l->text()));
        }
    }
    GrowLabels();
    SetAccessibleNames();
}

void OptionsDialog::GrowLabels() {
    for (QLabel* l : findChildren<QLabel*>()) {
        const QSize hint = l->sizeHint();
        l->resize(qMax(l->width(), hint.width()), qMax(l->height(), hint.height()));
    }
    // The version stands in the corner: it grows to the left.
    version_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int right = TwipsToPixels(DialogWidth, tpp_.X) - 2;
    if (version_->geometry().right() > right)
        version_->move(right - version_->width(), version_->y());
}

void OptionsDialog::SetAccessibleNames() {
    const auto caption = [this](const char* name) {
        const QObject* o = findChild<QObject*>(QLatin1String(name));
        if (const auto* l = qobject_cast<const QLabel*>(o))
            return WithoutMnemonic(l->text());
        if (const auto* g = qobject_cast<const QGroupBox*>(o))
            return WithoutMnemonic(g->title());
        if (const auto* b = qobject_cast<const QAbstractButton*>(o))
            return WithoutMnemonic(b->text());
        return QString();
    };
    for (size_t i = 0; i < alarmBoxes_.size(); ++i)
        alarmBoxes_[i]->setAccessibleName(caption("Frame1_0") + QStringLiteral(" %1").arg(i + 1));
    for (size_t i = 0; i < countDownBoxes_.size(); ++i)
        countDownBoxes_[i]->setAccessibleName(caption("Frame1_1") +
                                              QStringLiteral(" %1").arg(i + 1));
    alarmScroll_->setAccessibleName(caption("Frame1_0"));
    countDownScroll_->setAccessibleName(caption("Frame1_1"));
    addMinute_->setAccessibleName(caption("Label2_10"));
    beepCount_->setAccessibleName(caption("Label2_20"));
    soundFile_->setAccessibleName(caption("Option1_1"));
    durations_[0]->setAccessibleName(caption("Label2_22"));
    durations_[1]->setAccessibleName(caption("Label2_32"));
    sizeFactor_->setAccessibleName(caption("Label2_30"));
    mainSize_[0]->setAccessibleName(caption("Label2_50"));
    mainSize_[1]->setAccessibleName(caption("Label2_51"));
    maxLength_->setAccessibleName(caption("Frame1_6"));
    hotkey_->setAccessibleName(caption("Label1_0"));
    language_->setAccessibleName(caption("Label1_1"));
    texts_[0]->setAccessibleName(caption("Label2_80") + QStringLiteral(" 1"));
    texts_[1]->setAccessibleName(caption("Label2_80") + QStringLiteral(" 2"));
    texts_[2]->setAccessibleName(caption("Label2_81") + QStringLiteral(" 1"));
    texts_[3]->setAccessibleName(caption("Label2_81") + QStringLiteral(" 2"));
    reflect_[0]->setAccessibleName(caption("Command5_0") + QStringLiteral(" ") +
                                   caption("Frame1_5"));
    reflect_[1]->setAccessibleName(caption("Command5_1") + QStringLiteral(" ") +
                                   caption("Frame1_6"));
    playButton_->setAccessibleName(QStringLiteral("Test play"));
    beepButton_->setAccessibleName(QStringLiteral("Test beep"));
    version_->setAccessibleName(version_->text());
}

} // namespace plimset
