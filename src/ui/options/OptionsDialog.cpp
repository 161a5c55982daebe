// The Options dialog's window: its opening sequence, the filling from the options and the
// enabling rules. The controls themselves are made in OptionsDialogControls.cpp.

#include "ui/options/OptionsDialog.h"

#include "core/HotkeyText.h"
#include "core/NumericText.h"
#include "core/Version.h"
#include "desktop/Icons.h"
#include "desktop/Twips.h"
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

OptionsDialog::OptionsDialog(MainWindow& main, OptionSettings& options,
                             OptionsDialogContext context)
    : QDialog(&main), main_(main), options_(options), context_(std::move(context)) {
    setObjectName(QStringLiteral("Form2"));
    // A fixed dialog: a title and a close box, nothing to minimize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    tpp_ = {TwipsPerPixelX(main.screen()), TwipsPerPixelY(main.screen())};
    QFont dialogFont = font();
    dialogFont.setPointSize(DialogFontPoints);
    setFont(dialogFont);
    setFixedSize(TwipsToPixels(DialogWidth, tpp_.X), TwipsToPixels(DialogHeight, tpp_.Y));

    cancelled_ = false;
    // Centred on the main window's screen.
    if (const QScreen* screen = main.screen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    monitor_ = new QTimer(this);
    monitor_->setObjectName(QStringLiteral("Timer1"));
    monitor_->setInterval(200);
    connect(monitor_, &QTimer::timeout, this, &OptionsDialog::MonitorTestPlay);

    CreateControls();
    ArrangeGroups();
    SetTabOrder();
    playButton_->setIcon(ResourceIcon(IconId::Go));
    beepButton_->setIcon(ResourceIcon(IconId::Go));
    FillCombos();
    snapshot_ = main_.TakeSnapshot();
    const QStringList version = QString::fromLatin1(ProgramVersion).split(u'.');
    version_->setText(VersionLabelText(version.value(0).toInt(), version.value(1).toInt()));
    Caption();
    FillFromSettings();
    if (context_.noJapaneseFont) {
        findChild<QLabel*>(QStringLiteral("Label1_1"))->setEnabled(false);
        language_->setEnabled(false);
    }
}

OptionsDialog::~OptionsDialog() = default;

// ----- filling -----

void OptionsDialog::ClearPresetBoxes() {
    for (QLineEdit* b : alarmBoxes_)
        SetBoxText(b, QString());
    for (QLineEdit* b : countDownBoxes_)
        SetBoxText(b, QString());
    for (QCheckBox* c : tray_)
        c->setChecked(false);
    tray_[2]->setEnabled(false);
    tray_[3]->setEnabled(false);
}

void OptionsDialog::FillFromSettings() {
    const qint16 separator = options_.TimeSeparator;
    ClearPresetBoxes();
    for (size_t i = 0; i < alarmBoxes_.size(); ++i) {
        if (i < options_.AlarmPresets.size())
            SetBoxText(alarmBoxes_[i], FormatSettingNumber(options_.AlarmPresets[i], 2, separator));
        if (i < options_.CountDownPresets.size())
            SetBoxText(countDownBoxes_[i],
                       FormatSettingNumber(options_.CountDownPresets[i], 2, separator));
    }
    SetBoxText(addMinute_, FormatWholeNumber(options_.AddMinute));
    repeat_->setChecked(options_.CountDownRepeat == 1);
    SelectSoundSource(options_.SoundFlag);
    SetBoxText(soundFile_, options_.SoundFile);
    SetBoxText(beepCount_, FormatWholeNumber(options_.SoundBeep));
    untilEnd_->setChecked(options_.SoundUntilEnd == 1);
    CheckRule1();
    display_->setChecked(options_.MessageBox != 0);
    CheckRule2();
    SetBoxText(durations_[0], FormatSettingNumber(options_.RingDuration, 2, separator));
    SetBoxText(durations_[1], FormatSettingNumber(options_.DisplayDuration, 2, separator));
    SetBoxText(sizeFactor_, FormatSettingNumber(options_.MessageBoxSize, 1, 0));
    tray_[0]->setChecked(options_.TaskTray == 1);
    tray_[1]->setChecked(options_.TaskBar == 1);
    tray_[2]->setChecked(options_.Progress == 1);
    tray_[3]->setChecked(options_.ShowAlways == 1);
    CheckRule3();
    ShowMainWindowSize();
    // A hand-edited value outside the lists selects nothing.
    maxLength_->setCurrentIndex(
        options_.MaxLength >= 5 && options_.MaxLength <= 8 ? options_.MaxLength - 5 : -1);
    noHotkeyText_ = LocalizedText(TextIds::NoHotkey, context_.languageOffset);
    const QString hotkeyText = HotkeyCodeToText(options_.Hotkey);
    hotkey_->setText(hotkeyText.isEmpty() ? noHotkeyText_ : hotkeyText);
    hotkey_->end(false);
    language_->setCurrentIndex(options_.Language >= 0 && options_.Language <= 2 ? options_.Language
                                                                                : -1);
    const bool japanese = context_.languageOffset == JapaneseOffset;
    SetBoxText(texts_[0], japanese ? options_.MessageBoxTextA1_J : options_.MessageBoxTextA1_E);
    SetBoxText(texts_[1], japanese ? options_.MessageBoxTextA2_J : options_.MessageBoxTextA2_E);
    SetBoxText(texts_[2], japanese ? options_.MessageBoxTextC1_J : options_.MessageBoxTextC1_E);
    SetBoxText(texts_[3], japanese ? options_.MessageBoxTextC2_J : options_.MessageBoxTextC2_E);
}

void OptionsDialog::FillWithDefaults() {
    const qint16 separator = options_.TimeSeparator;
    ClearPresetBoxes();
    const QString alarms = QStringLiteral("010030060");
    const QString countDowns = QStringLiteral("03.0004.0005.00");
    for (size_t i = 0; i < alarmBoxes_.size(); ++i) {
        const int at = static_cast<int>(i);
        SetBoxText(alarmBoxes_[i],
                   FormatSettingNumber(static_cast<float>(NumericValue(alarms.mid(3 * at, 3))), 2,
                                       separator));
        SetBoxText(countDownBoxes_[i],
                   FormatSettingNumber(static_cast<float>(NumericValue(countDowns.mid(5 * at, 5))),
                                       2, separator));
    }
    SetBoxText(addMinute_, QStringLiteral("10"));
    repeat_->setChecked(false);
    const bool haveSound = !context_.defaultSoundFile.isEmpty();
    SelectSoundSource(haveSound ? 1 : 0);
    SetBoxText(soundFile_, haveSound ? context_.defaultSoundFile : QString());
    SetBoxText(beepCount_, QStringLiteral("10"));
    untilEnd_->setChecked(false);
    display_->setChecked(true);
    SetBoxText(durations_[0], FormatSettingNumber(0.03f, 2, separator));
    SetBoxText(durations_[1], FormatSettingNumber(1.0f, 2, separator));
    SetBoxText(sizeFactor_, FormatSettingNumber(1.0f, 1, 0));
    tray_[0]->setChecked(false);
    tray_[1]->setChecked(true);
    tray_[2]->setChecked(false);
    tray_[3]->setChecked(false);
    maxLength_->setCurrentIndex(1);
    hotkey_->setText(noHotkeyText_);
    hotkey_->end(false);
    language_->setCurrentIndex(0);
    const qint16 offset = context_.languageOffset;
    SetBoxText(texts_[0], LocalizedText(TextIds::SetTimeCome, offset));
    SetBoxText(texts_[1], QString());
    SetBoxText(texts_[2], LocalizedText(TextIds::CountDownEnded, offset));
    SetBoxText(texts_[3], LocalizedText(TextIds::ClickStop, offset));
}

void OptionsDialog::ShowMainWindowSize() {
    SetBoxText(mainSize_[0], FormatWholeNumber(main_.OuterWidthPixels()));
    SetBoxText(mainSize_[1], FormatWholeNumber(main_.OuterHeightPixels()));
}

// ----- enabling rules -----

void OptionsDialog::CheckRule1() {
    const bool timed = !untilEnd_->isChecked();
    durations_[0]->setEnabled(timed);
    findChild<QLabel*>(QStringLiteral("Label2_23"))->setEnabled(timed);
}

void OptionsDialog::CheckRule2() {
    const bool shown = display_->isChecked();
    sizeFactor_->setEnabled(shown);
    durations_[1]->setEnabled(shown);
    for (int i = 30; i <= 33; ++i)
        findChild<QLabel*>(Name("Label2", i))->setEnabled(shown);
}

void OptionsDialog::CheckRule3() {
    if (!tray_[0]->isChecked() && !tray_[1]->isChecked()) {
        tray_[2]->setEnabled(false);
        tray_[3]->setEnabled(false);
        return;
    }
    tray_[2]->setEnabled(true);
    tray_[3]->setEnabled(tray_[2]->isChecked());
}

void OptionsDialog::SelectSoundSource(int index) {
    if (index < 0 || index > 2) {
        // No such source: nothing is selected, the file row is offered.
        source_->setExclusive(false);
        for (QRadioButton* r : sources_)
            r->setChecked(false);
        source_->setExclusive(true);
        beepRow_->hide();
        return;
    }
    sources_[index]->setChecked(true);
    SoundSourceRule(index);
}

void OptionsDialog::SoundSourceRule(int index) {
    if (index != 1)
        StopTestPlay();
    const bool file = index == 1;
    soundFile_->setEnabled(file);
    browseButton_->setEnabled(file);
    playButton_->setEnabled(file);
    beepRow_->setVisible(index == 0);
    untilEnd_->setEnabled(file);
    if (file) {
        CheckRule1();
    } else {
        durations_[0]->setEnabled(true);
        findChild<QLabel*>(QStringLiteral("Label2_23"))->setEnabled(true);
    }
}

} // namespace plimset
