// The Options dialog's window: its opening sequence, the bindings between the options and
// the controls, the filling and the enabling rules. The controls themselves are made and
// laid out in OptionsDialogControls.cpp.

#include "ui/options/OptionsDialog.h"

#include "core/HotkeyText.h"
#include "core/NumericText.h"
#include "core/Version.h"
#include "desktop/ScreenScale.h"
#include "text/Captions.h"
#include "text/LanguageChoice.h"
#include "ui/options/BoxInput.h"
#include "ui/options/OptionsDialogDesign.h"
#include "ui/options/OptionsDialogNames.h"
#include "ui/widgets/Icons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace plimset {

using namespace options_design;
namespace names = options_names;
using S = OptionSettings;

qint16 ListChoiceValue(int index, qint16 first, qint16 unlisted) {
    return index < 0 ? unlisted : static_cast<qint16>(first + index);
}

int ListChoiceIndex(qint16 value, qint16 first, int count) {
    return value >= first && value < first + count ? value - first : -1;
}

OptionsDialog::OptionsDialog(MainWindowPreview& main, OptionSettings& options,
                             OptionsDialogContext context)
    : QDialog(main.PreviewWindow()), main_(main), options_(options), context_(std::move(context)) {
    setObjectName(QLatin1String(names::Dialog));
    // A fixed dialog: a title and a close box, nothing to minimize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    const QScreen* screen = main.PreviewWindow()->screen();
    // The size boxes count the screen's pixels, of which a scaled screen has more than Qt's.
    screenPixelsPerPixel_ = screen != nullptr ? screen->devicePixelRatio() : 1;
    // The desktop's font, at least as large as the dialog's least size.
    QFont dialogFont = font();
    if (dialogFont.pointSize() < DialogFontPoints)
        dialogFont.setPointSize(DialogFontPoints);
    setFont(dialogFont);

    cancelled_ = false;
    testPlayMonitor_ = new QTimer(this);
    testPlayMonitor_->setObjectName(QLatin1String(names::TestPlayMonitor));
    testPlayMonitor_->setInterval(200);
    connect(testPlayMonitor_, &QTimer::timeout, this, &OptionsDialog::MonitorTestPlay);

    CreateControls();
    SetTabOrder();
    testPlayButton_->setIcon(ResourceIcon(IconId::Go));
    testBeepButton_->setIcon(ResourceIcon(IconId::Go));
    FillLists();
    CreateBindings();
    snapshot_ = main_.TakeSnapshot();
    // The version as `plimset --version` prints it.
    versionLabel_->setText(QStringLiteral("Ver. ") + QLatin1String(ProgramVersion));
    Caption();
    noHotkeyText_ = QCoreApplication::translate("OptionsDialog", "None");
    Fill(options_);
    ShowMainWindowSize();
    ShowHotkeyNote();
    AlignColumns();
    // Sized by its layout, and centred on the main window's screen.
    layout()->activate();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

OptionsDialog::~OptionsDialog() = default;

// ----- bindings and filling -----

void OptionsDialog::CreateBindings() {
    using enum BindingFormat;
    // The texts of the current language only.
    const bool japanese = EditsJapaneseTexts();
    bindings_ = {
        {&S::minutesToAdd, addMinute_, WholeNumberBox},
        {&S::repeatCountDown, repeat_, CheckBox},
        {&S::soundSource, soundSource_, SoundSource},
        {&S::soundFile, soundFile_, TextBox},
        {&S::beepCount, beepCount_, WholeNumberBox},
        {&S::playSoundToEnd, untilEnd_, CheckBox},
        {&S::showAlertWindow, alertWindowShown_, CheckBox},
        {&S::ringDuration, ringDuration_, TimeBox},
        {&S::displayDuration, displayDuration_, TimeBox},
        {&S::alertWindowScale, alertSize_, FactorBox},
        {&S::trayIcon, trayIcon_, CheckBox},
        {&S::taskbarButton, taskbarButton_, CheckBox},
        {&S::showProgress, progress_, CheckBox},
        {&S::progressAlways, showAlways_, CheckBox},
        {&S::displayLength, lengthList_, ListChoice, FirstListedLength},
        {&S::hotkey, hotkey_, HotkeyBox},
        {&S::language, languageList_, ListChoice, 0},
        {japanese ? &S::japaneseAlarmText1 : &S::englishAlarmText1, alarmText1_, MessageTextBox},
        {japanese ? &S::japaneseAlarmText2 : &S::englishAlarmText2, alarmText2_, MessageTextBox},
        {japanese ? &S::japaneseCountDownText1 : &S::englishCountDownText1, countDownText1_,
         MessageTextBox},
        {japanese ? &S::japaneseCountDownText2 : &S::englishCountDownText2, countDownText2_,
         MessageTextBox},
    };
}

namespace {

template <class... Visitor> struct Overloaded : Visitor... { using Visitor::operator()...; };
template <class... Visitor> Overloaded(Visitor...) -> Overloaded<Visitor...>;

// The whole number a field shows in a box or a list: a count, minutes, or a choice's
// position.
int wholeValue(const OptionSettings& o, const OptionField& field) {
    return std::visit(Overloaded{
                          [&](std::chrono::minutes S::*f) { return int((o.*f).count()); },
                          [&]<class T>(T S::*f) {
                              if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
                                  return static_cast<int>(o.*f);
                              else
                                  return 0;
                          },
                      },
                      field);
}

void setWholeValue(OptionSettings& o, const OptionField& field, int value) {
    std::visit(Overloaded{
                   [&](std::chrono::minutes S::*f) { o.*f = std::chrono::minutes(value); },
                   [&]<class T>(T S::*f) {
                       if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
                           o.*f = static_cast<T>(value);
                   },
               },
               field);
}

} // namespace

void OptionsDialog::Fill(const OptionSettings& values) {
    const TimeSeparator separator = values.timeSeparator;
    for (QLineEdit* b : alarmBoxes_)
        SetBoxText(b, QString());
    for (QLineEdit* b : countDownBoxes_)
        SetBoxText(b, QString());
    for (size_t i = 0; i < alarmBoxes_.size(); ++i) {
        if (i < values.alarmPresets.size())
            SetBoxText(alarmBoxes_[i],
                       FormatSettingNumber(static_cast<float>(values.alarmPresets[i].count()), 2,
                                           separator));
        if (i < values.countDownPresets.size())
            SetBoxText(
                countDownBoxes_[i],
                FormatSettingNumber(DurationTimeValue(values.countDownPresets[i]), 2, separator));
    }
    for (const OptionBinding& b : bindings_) {
        auto* box = qobject_cast<QLineEdit*>(b.control);
        switch (b.format) {
        case BindingFormat::WholeNumberBox:
            SetBoxText(box, FormatWholeNumber(wholeValue(values, b.field)));
            break;
        case BindingFormat::TimeBox:
            SetBoxText(
                box, FormatSettingNumber(DurationTimeValue(values.*std::get<Seconds S::*>(b.field)),
                                         2, separator));
            break;
        case BindingFormat::FactorBox:
            SetBoxText(
                box, FormatSettingNumber(static_cast<float>(values.*std::get<double S::*>(b.field)),
                                         1, TimeSeparator::Dot));
            break;
        case BindingFormat::TextBox:
            SetBoxText(box, values.*std::get<QString S::*>(b.field));
            break;
        case BindingFormat::MessageTextBox: {
            const QString& text = values.*std::get<QString S::*>(b.field);
            SetBoxText(box, EditsJapaneseTexts() ? text : ShownEnglishAlertText(text));
            break;
        }
        case BindingFormat::CheckBox:
            static_cast<QCheckBox*>(b.control)->setChecked(values.*std::get<bool S::*>(b.field));
            break;
        case BindingFormat::ListChoice: {
            auto* list = static_cast<QComboBox*>(b.control);
            // A hand-edited value outside the list selects nothing.
            list->setCurrentIndex(ListChoiceIndex(static_cast<qint16>(wholeValue(values, b.field)),
                                                  b.first, list->count()));
            break;
        }
        case BindingFormat::SoundSource:
            SelectSoundSource(
                static_cast<int>(values.*std::get<plimset::SoundSource S::*>(b.field)));
            break;
        case BindingFormat::HotkeyBox: {
            // Where the desktop decides the key, the box shows the one it reported; the
            // one asked for is named beside it.
            filledHotkey_ = values.*std::get<qint16 S::*>(b.field);
            const QString desktopKey = context_.hotkeyBinding.DesktopKey;
            desktopKeyShown_ = filledHotkey_ != 0 && !desktopKey.isEmpty();
            const QString hotkeyText =
                desktopKeyShown_ ? desktopKey : HotkeyCodeToText(filledHotkey_);
            hotkey_->setText(hotkeyText.isEmpty() ? noHotkeyText_ : hotkeyText);
            hotkey_->end(false);
            ShowHotkeyNote();
            break;
        }
        }
    }
    // The rules once more, now that every control they read holds its value.
    EnableRingDurationUnlessUntilEnd();
    EnableAlertWindowSettings();
    EnableProgressChecks();
}

OptionSettings OptionsDialog::Collect() const {
    OptionSettings edited = options_;
    const TimeFormat format = TimeFormatOf(options_);
    for (size_t j = 0; j < alarmBoxes_.size() && j < edited.alarmPresets.size(); ++j) {
        edited.alarmPresets[j] =
            std::chrono::minutes(RoundToInt16(NumericValue(alarmBoxes_[j]->text())));
        edited.countDownPresets[j] =
            TimeValueDuration(ParseTimeText(countDownBoxes_[j]->text(), format));
    }
    for (const OptionBinding& b : bindings_) {
        const auto boxText = [&] { return static_cast<const QLineEdit*>(b.control)->text(); };
        switch (b.format) {
        case BindingFormat::WholeNumberBox:
            setWholeValue(edited, b.field, RoundToInt16(NumericValue(boxText())));
            break;
        case BindingFormat::TimeBox:
            edited.*std::get<Seconds S::*>(b.field) =
                TimeValueDuration(ParseTimeText(boxText(), format));
            break;
        case BindingFormat::FactorBox:
            edited.*std::get<double S::*>(b.field) = static_cast<float>(NumericValue(boxText()));
            break;
        case BindingFormat::TextBox:
            edited.*std::get<QString S::*>(b.field) = boxText();
            break;
        case BindingFormat::MessageTextBox: {
            const QString text = boxText().trimmed();
            edited.*std::get<QString S::*>(b.field) =
                EditsJapaneseTexts() ? text : StoredEnglishAlertText(text);
            break;
        }
        case BindingFormat::CheckBox:
            edited.*std::get<bool S::*>(b.field) =
                static_cast<const QCheckBox*>(b.control)->isChecked();
            break;
        case BindingFormat::ListChoice:
            setWholeValue(edited, b.field,
                          ListChoiceValue(static_cast<const QComboBox*>(b.control)->currentIndex(),
                                          b.first,
                                          static_cast<qint16>(wholeValue(edited, b.field))));
            break;
        case BindingFormat::SoundSource:
            // With no source chosen the stored one stays.
            if (soundSource_->checkedId() >= 0)
                edited.*std::get<plimset::SoundSource S::*>(b.field) =
                    static_cast<plimset::SoundSource>(soundSource_->checkedId());
            break;
        case BindingFormat::HotkeyBox:
            edited.*std::get<qint16 S::*>(b.field) = AskedHotkey();
            break;
        }
    }
    // Line breaks never belong in a one-line text; the Japanese texts are the ones a
    // hand edit or an input method may have given one.
    const auto oneLine = [](QString& text) { text.remove(u'\r').remove(u'\n'); };
    oneLine(edited.japaneseAlarmText1);
    oneLine(edited.japaneseAlarmText2);
    oneLine(edited.japaneseCountDownText1);
    oneLine(edited.japaneseCountDownText2);
    return edited;
}

void OptionsDialog::ShowMainWindowSize() {
    SetBoxText(windowWidth_, FormatWholeNumber(main_.OuterWidthPixels()));
    SetBoxText(windowHeight_, FormatWholeNumber(main_.OuterHeightPixels()));
}

qint16 OptionsDialog::ChosenLength() const {
    return ListChoiceValue(lengthList_->currentIndex(), FirstListedLength,
                           static_cast<qint16>(options_.displayLength));
}

// ----- enabling rules -----

void OptionsDialog::EnableRingDurationUnlessUntilEnd() {
    const bool timed = !untilEnd_->isChecked();
    ringDuration_->setEnabled(timed);
    ringDurationUnit_->setEnabled(timed);
}

void OptionsDialog::EnableAlertWindowSettings() {
    const bool shown = alertWindowShown_->isChecked();
    alertSize_->setEnabled(shown);
    displayDuration_->setEnabled(shown);
    for (const char* name : {names::AlertSizeLabel, names::AlertSizeUnitLabel,
                             names::DisplayDurationLabel, names::DisplayDurationUnitLabel})
        findChild<QLabel*>(QLatin1String(name))->setEnabled(shown);
}

void OptionsDialog::EnableProgressChecks() {
    // The progress shows on the tray icon or the taskbar button, and can always show only
    // where it shows at all.
    if (!trayIcon_->isChecked() && !taskbarButton_->isChecked()) {
        progress_->setEnabled(false);
        showAlways_->setEnabled(false);
        return;
    }
    progress_->setEnabled(true);
    showAlways_->setEnabled(progress_->isChecked());
}

void OptionsDialog::SelectSoundSource(int source) {
    if (source < BeepSource || source > SilentSource) {
        // No such source: nothing is selected, the file row is offered.
        soundSource_->setExclusive(false);
        for (QAbstractButton* r : soundSource_->buttons())
            r->setChecked(false);
        soundSource_->setExclusive(true);
        beepRow_->hide();
        return;
    }
    soundSource_->button(source)->setChecked(true);
    ShowSoundSourceControls(source);
}

void OptionsDialog::ShowSoundSourceControls(int source) {
    const bool file = source == FileSource;
    if (!file)
        StopTestPlay();
    soundFile_->setEnabled(file);
    browseButton_->setEnabled(file);
    testPlayButton_->setEnabled(file);
    // The beep row takes the file row's place.
    const bool beep = source == BeepSource;
    beepRow_->setVisible(beep);
    for (QWidget* fileRow :
         std::initializer_list<QWidget*>{soundFile_, browseButton_, testPlayButton_})
        fileRow->setVisible(!beep);
    untilEnd_->setEnabled(file);
    if (file) {
        EnableRingDurationUnlessUntilEnd();
    } else {
        ringDuration_->setEnabled(true);
        ringDurationUnit_->setEnabled(true);
    }
}

} // namespace plimset
