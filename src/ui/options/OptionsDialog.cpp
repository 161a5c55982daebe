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
#include "text/StringTable.h"
#include "text/TextIds.h"
#include "ui/options/BoxInput.h"
#include "ui/options/OptionsDialogDesign.h"
#include "ui/options/OptionsDialogNames.h"
#include "ui/widgets/Icons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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
    noHotkeyText_ = LocalizedText(TextIds::NoHotkey, context_.languageOffset);
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
    if (context_.noJapaneseFont) {
        findChild<QLabel*>(QLatin1String(names::LanguageLabel))->setEnabled(false);
        languageList_->setEnabled(false);
    }
}

OptionsDialog::~OptionsDialog() = default;

// ----- bindings and filling -----

void OptionsDialog::CreateBindings() {
    using enum BindingFormat;
    // The texts of the current language only.
    const bool japanese = context_.languageOffset == JapaneseOffset;
    bindings_ = {
        {&S::AddMinute, addMinute_, WholeNumberBox},
        {&S::CountDownRepeat, repeat_, CheckedWhenOne},
        {&S::SoundFlag, soundSource_, SoundSource},
        {&S::SoundFile, soundFile_, TextBox},
        {&S::SoundBeep, beepCount_, WholeNumberBox},
        {&S::SoundUntilEnd, untilEnd_, CheckedWhenOne},
        {&S::MessageBox, alertWindowShown_, CheckedUnlessZero},
        {&S::RingDuration, ringDuration_, TimeBox},
        {&S::DisplayDuration, displayDuration_, TimeBox},
        {&S::MessageBoxSize, alertSize_, FactorBox},
        {&S::TaskTray, trayIcon_, CheckedWhenOne},
        {&S::TaskBar, taskbarButton_, CheckedWhenOne},
        {&S::Progress, progress_, CheckedWhenOne},
        {&S::ShowAlways, showAlways_, CheckedWhenOne},
        {&S::MaxLength, lengthList_, ListChoice, FirstListedLength},
        {&S::Hotkey, hotkey_, HotkeyBox},
        {&S::Language, languageList_, ListChoice, 0},
        {japanese ? &S::MessageBoxTextA1_J : &S::MessageBoxTextA1_E, alarmText1_, MessageTextBox},
        {japanese ? &S::MessageBoxTextA2_J : &S::MessageBoxTextA2_E, alarmText2_, MessageTextBox},
        {japanese ? &S::MessageBoxTextC1_J : &S::MessageBoxTextC1_E, countDownText1_,
         MessageTextBox},
        {japanese ? &S::MessageBoxTextC2_J : &S::MessageBoxTextC2_E, countDownText2_,
         MessageTextBox},
    };
}

void OptionsDialog::Fill(const OptionSettings& values) {
    const qint16 separator = values.TimeSeparator;
    for (QLineEdit* b : alarmBoxes_)
        SetBoxText(b, QString());
    for (QLineEdit* b : countDownBoxes_)
        SetBoxText(b, QString());
    for (size_t i = 0; i < alarmBoxes_.size(); ++i) {
        if (i < values.AlarmPresets.size())
            SetBoxText(alarmBoxes_[i], FormatSettingNumber(values.AlarmPresets[i], 2, separator));
        if (i < values.CountDownPresets.size())
            SetBoxText(countDownBoxes_[i],
                       FormatSettingNumber(values.CountDownPresets[i], 2, separator));
    }
    for (const OptionBinding& b : bindings_) {
        const auto number = [&] { return values.*std::get<qint16 S::*>(b.field); };
        const auto decimal = [&] { return values.*std::get<float S::*>(b.field); };
        const auto text = [&] { return values.*std::get<QString S::*>(b.field); };
        switch (b.format) {
        case BindingFormat::WholeNumberBox:
            SetBoxText(static_cast<QLineEdit*>(b.control), FormatWholeNumber(number()));
            break;
        case BindingFormat::TimeBox:
            SetBoxText(static_cast<QLineEdit*>(b.control),
                       FormatSettingNumber(decimal(), 2, separator));
            break;
        case BindingFormat::FactorBox:
            SetBoxText(static_cast<QLineEdit*>(b.control), FormatSettingNumber(decimal(), 1, 0));
            break;
        case BindingFormat::TextBox:
        case BindingFormat::MessageTextBox:
            SetBoxText(static_cast<QLineEdit*>(b.control), text());
            break;
        case BindingFormat::CheckedWhenOne:
            static_cast<QCheckBox*>(b.control)->setChecked(number() == 1);
            break;
        case BindingFormat::CheckedUnlessZero:
            static_cast<QCheckBox*>(b.control)->setChecked(number() != 0);
            break;
        case BindingFormat::ListChoice: {
            auto* list = static_cast<QComboBox*>(b.control);
            // A hand-edited value outside the list selects nothing.
            list->setCurrentIndex(ListChoiceIndex(number(), b.first, list->count()));
            break;
        }
        case BindingFormat::SoundSource:
            SelectSoundSource(number());
            break;
        case BindingFormat::HotkeyBox: {
            // Where the desktop decides the key, the box shows the one it reported; the
            // one asked for is named beside it.
            filledHotkey_ = number();
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
    const TimeFormat format{options_.TimeSeparator, options_.MaxLength};
    for (size_t j = 0; j < alarmBoxes_.size() && j < edited.AlarmPresets.size(); ++j) {
        edited.AlarmPresets[j] = RoundToInt16(NumericValue(alarmBoxes_[j]->text()));
        edited.CountDownPresets[j] = ParseTimeText(countDownBoxes_[j]->text(), format);
    }
    for (const OptionBinding& b : bindings_) {
        const auto number = [&]() -> qint16& { return edited.*std::get<qint16 S::*>(b.field); };
        const auto decimal = [&]() -> float& { return edited.*std::get<float S::*>(b.field); };
        const auto text = [&]() -> QString& { return edited.*std::get<QString S::*>(b.field); };
        const auto boxText = [&] { return static_cast<const QLineEdit*>(b.control)->text(); };
        switch (b.format) {
        case BindingFormat::WholeNumberBox:
            number() = RoundToInt16(NumericValue(boxText()));
            break;
        case BindingFormat::TimeBox:
            decimal() = ParseTimeText(boxText(), format);
            break;
        case BindingFormat::FactorBox:
            decimal() = static_cast<float>(NumericValue(boxText()));
            break;
        case BindingFormat::TextBox:
            text() = boxText();
            break;
        case BindingFormat::MessageTextBox:
            text() = boxText().trimmed();
            break;
        case BindingFormat::CheckedWhenOne:
        case BindingFormat::CheckedUnlessZero:
            number() = static_cast<const QCheckBox*>(b.control)->isChecked() ? 1 : 0;
            break;
        case BindingFormat::ListChoice:
            number() = ListChoiceValue(static_cast<const QComboBox*>(b.control)->currentIndex(),
                                       b.first, number());
            break;
        case BindingFormat::SoundSource:
            // With no source chosen the stored one stays.
            if (soundSource_->checkedId() >= 0)
                number() = static_cast<qint16>(soundSource_->checkedId());
            break;
        case BindingFormat::HotkeyBox:
            number() = AskedHotkey();
            break;
        }
    }
    // Line breaks never belong in a one-line text; the Japanese texts are the ones a
    // hand edit or an input method may have given one.
    const auto oneLine = [](QString& text) { text.remove(u'\r').remove(u'\n'); };
    oneLine(edited.MessageBoxTextA1_J);
    oneLine(edited.MessageBoxTextA2_J);
    oneLine(edited.MessageBoxTextC1_J);
    oneLine(edited.MessageBoxTextC2_J);
    return edited;
}

OptionSettings OptionsDialog::Defaults() const {
    OptionSettings defaults = options_;
    const qint16 offset = context_.languageOffset;
    std::fill(defaults.AlarmPresets.begin(), defaults.AlarmPresets.end(), qint16(0));
    std::fill(defaults.CountDownPresets.begin(), defaults.CountDownPresets.end(), 0.0f);
    const qint16 alarms[] = {10, 30, 60};
    const float countDowns[] = {3, 4, 5};
    for (size_t i = 0; i < 3 && i < alarmBoxes_.size(); ++i) {
        if (i < defaults.AlarmPresets.size())
            defaults.AlarmPresets[i] = alarms[i];
        if (i < defaults.CountDownPresets.size())
            defaults.CountDownPresets[i] = countDowns[i];
    }
    defaults.AddMinute = 10;
    defaults.CountDownRepeat = 0;
    defaults.SoundFlag = context_.defaultSoundFile.isEmpty() ? 0 : 1;
    defaults.SoundFile = context_.defaultSoundFile;
    defaults.SoundBeep = 10;
    defaults.SoundUntilEnd = 0;
    defaults.MessageBox = 1;
    defaults.RingDuration = 0.03f;
    defaults.DisplayDuration = 1.0f;
    defaults.MessageBoxSize = 1.0f;
    defaults.TaskTray = 0;
    defaults.TaskBar = 1;
    defaults.Progress = 0;
    defaults.ShowAlways = 0;
    defaults.MaxLength = 6;
    defaults.Hotkey = 0;
    defaults.Language = 0;
    const bool japanese = offset == JapaneseOffset;
    (japanese ? defaults.MessageBoxTextA1_J : defaults.MessageBoxTextA1_E) =
        LocalizedText(TextIds::SetTimeCome, offset);
    (japanese ? defaults.MessageBoxTextA2_J : defaults.MessageBoxTextA2_E) = QString();
    (japanese ? defaults.MessageBoxTextC1_J : defaults.MessageBoxTextC1_E) =
        LocalizedText(TextIds::CountDownEnded, offset);
    (japanese ? defaults.MessageBoxTextC2_J : defaults.MessageBoxTextC2_E) =
        LocalizedText(TextIds::ClickStop, offset);
    return defaults;
}

void OptionsDialog::ShowMainWindowSize() {
    SetBoxText(windowWidth_, FormatWholeNumber(main_.OuterWidthPixels()));
    SetBoxText(windowHeight_, FormatWholeNumber(main_.OuterHeightPixels()));
}

qint16 OptionsDialog::ChosenLength() const {
    return ListChoiceValue(lengthList_->currentIndex(), FirstListedLength, options_.MaxLength);
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
