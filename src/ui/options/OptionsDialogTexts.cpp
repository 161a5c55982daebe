// The Options dialog's texts once its controls are made: the lists' items, the captions
// in the current language, the accessible names, and the controls grown to the room their
// texts need.

#include "ui/options/OptionsDialog.h"

#include "desktop/ControlFit.h"
#include "text/LocalizeForm.h"
#include "text/StringTable.h"
#include "text/TextIds.h"
#include "ui/options/OptionsDialogDesign.h"
#include "ui/options/OptionsDialogNames.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace plimset {

using namespace options_design;
namespace names = options_names;

void OptionsDialog::FillLists() {
    const qint16 offset = context_.languageOffset;
    for (qint16 length = FirstListedLength; length <= LastListedLength; ++length)
        lengthList_->addItem(MaxLengthItemText(length, options_.timeSeparator, context_.locale,
                                               LocalizedText(TextIds::LengthMaxWord, offset),
                                               LocalizedText(TextIds::LengthMinutesWord, offset)));
    // System default, English, Japanese: the language choices in their order.
    for (int language = 0; language < 3; ++language)
        languageList_->addItem(LocalizedText(TextIds::SystemLanguage + language, offset));
}

void OptionsDialog::Caption() {
    SetTextId(this, TextIds::OptionsTitle);
    LocalizeForm(this, context_.languageOffset);
    // The two-line caption keeps one line break; a screen reader reads it as one line.
    restoreLook_->setText(
        restoreLook_->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    restoreLook_->setAccessibleName(WithoutMnemonic(restoreLook_->text()).simplified());
    if (options_.timeSeparator == TimeSeparator::Colon) {
        const auto clockStyle = [](QString text) {
            return text.replace(u'.', u':').replace(u'．', u'：');
        };
        SetCaption(countDownGroup_, clockStyle(countDownGroup_->title()));
        for (const char* name : {names::RingDurationUnitLabel, names::DisplayDurationUnitLabel}) {
            auto* l = findChild<QLabel*>(QLatin1String(name));
            SetCaption(l, clockStyle(l->text()));
        }
    }
    SetAccessibleNames();
}

void OptionsDialog::FitControls() {
    // The two rows of alert texts keep their boxes in columns: their labels take the
    // same room, and so do the boxes of each line.
    auto* alarmLabel = findChild<QLabel*>(QLatin1String(names::AlarmTextsLabel));
    auto* countDownLabel = findChild<QLabel*>(QLatin1String(names::CountDownTextsLabel));
    const int labelWidth = std::max({alarmLabel->width(), alarmLabel->sizeHint().width(),
                                     countDownLabel->width(), countDownLabel->sizeHint().width()});
    alarmLabel->resize(labelWidth, alarmLabel->height());
    countDownLabel->resize(labelWidth, countDownLabel->height());
    for (const auto& [alarmBox, countDownBox] :
         {std::pair{alarmText1_, countDownText1_}, std::pair{alarmText2_, countDownText2_}}) {
        const int width = std::max(
            {alarmBox->width(), TextRoom(alarmBox).width(), TextRoom(countDownBox).width()});
        alarmBox->resize(width, alarmBox->height());
        countDownBox->resize(width, countDownBox->height());
    }
    // The version stands in the corner: it grows to the left.
    versionLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int versionWidth = std::max(versionLabel_->width(), versionLabel_->sizeHint().width());
    versionLabel_->setGeometry(versionLabel_->geometry().right() + 1 - versionWidth,
                               versionLabel_->y(), versionWidth, versionLabel_->height());

    FitExceptions exceptions;
    // The preset strips scroll, and the sound file box scrolls its path (shown from its
    // start, whole in its tool tip).
    exceptions.keepsSize = [this](const QWidget* w) {
        return w == alarmStrip_->parentWidget() || w == countDownStrip_->parentWidget() ||
               w == soundFile_ || w == hotkeyNote_;
    };
    // A strip's scroll bar hidden now stays hidden while the dialog is open.
    exceptions.takesNoRoom = [this](const QWidget* w) {
        return (w == alarmScroll_ || w == countDownScroll_ || w == hotkeyNote_ ||
                w == shortcutSettings_) &&
               w->isHidden();
    };
    const QSize fitted = FitControlsToText(this, exceptions);
    // The alert texts span both columns, however wide they grew.
    auto* texts = findChild<QGroupBox*>(QLatin1String(names::MessageTextsGroup));
    const int columnsRight =
        findChild<QGroupBox*>(QLatin1String(names::TrayGroup))->geometry().right();
    if (columnsRight > texts->geometry().right())
        texts->resize(columnsRight - texts->x() + 1, texts->height());
    setFixedSize(fitted);
    // Centred again at its new size.
    if (const QScreen* screen = main_.PreviewWindow()->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
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
    const auto numbered = [](const QString& text, size_t number) {
        return text + QStringLiteral(" %1").arg(number);
    };
    for (size_t i = 0; i < alarmBoxes_.size(); ++i)
        alarmBoxes_[i]->setAccessibleName(numbered(caption(names::AlarmGroup), i + 1));
    for (size_t i = 0; i < countDownBoxes_.size(); ++i)
        countDownBoxes_[i]->setAccessibleName(numbered(caption(names::CountDownGroup), i + 1));
    alarmScroll_->setAccessibleName(caption(names::AlarmGroup));
    countDownScroll_->setAccessibleName(caption(names::CountDownGroup));
    addMinute_->setAccessibleName(caption(names::AddMinuteLabel));
    beepCount_->setAccessibleName(caption(names::BeepCountLabel));
    soundFile_->setAccessibleName(caption(names::FileSourceOption));
    ringDuration_->setAccessibleName(caption(names::RingDurationLabel));
    displayDuration_->setAccessibleName(caption(names::DisplayDurationLabel));
    alertSize_->setAccessibleName(caption(names::AlertSizeLabel));
    windowWidth_->setAccessibleName(caption(names::WidthLabel));
    windowHeight_->setAccessibleName(caption(names::HeightLabel));
    lengthList_->setAccessibleName(caption(names::DisplayLengthGroup));
    hotkey_->setAccessibleName(caption(names::HotkeyLabel));
    languageList_->setAccessibleName(caption(names::LanguageLabel));
    alarmText1_->setAccessibleName(numbered(caption(names::AlarmTextsLabel), 1));
    alarmText2_->setAccessibleName(numbered(caption(names::AlarmTextsLabel), 2));
    countDownText1_->setAccessibleName(numbered(caption(names::CountDownTextsLabel), 1));
    countDownText2_->setAccessibleName(numbered(caption(names::CountDownTextsLabel), 2));
    reflectSize_->setAccessibleName(caption(names::ReflectSizeButton) + QStringLiteral(" ") +
                                    caption(names::WindowSizeGroup));
    reflectLength_->setAccessibleName(caption(names::ReflectLengthButton) + QStringLiteral(" ") +
                                      caption(names::DisplayLengthGroup));
    testPlayButton_->setAccessibleName(QStringLiteral("Test play"));
    testBeepButton_->setAccessibleName(QStringLiteral("Test beep"));
    versionLabel_->setAccessibleName(versionLabel_->text());
}

} // namespace plimset
