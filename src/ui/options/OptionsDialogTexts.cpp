// The Options dialog's texts once its controls are made: the lists' items, the captions
// in the current language and the accessible names.

#include "ui/options/OptionsDialog.h"

#include "text/Captions.h"
#include "text/LanguageChoice.h"
#include "ui/options/OptionsDialogDesign.h"
#include "ui/options/OptionsDialogNames.h"
#include "ui/widgets/ControlFit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

namespace plimset {

using namespace options_design;
namespace names = options_names;

void OptionsDialog::FillLists() {
    const QString maxWord = QCoreApplication::translate("OptionsDialog", "Max");
    const QString minutesWord = QCoreApplication::translate("OptionsDialog", "min");
    for (qint16 length = FirstListedLength; length <= LastListedLength; ++length)
        lengthList_->addItem(MaxLengthItemText(length, options_.timeSeparator, context_.locale,
                                               maxWord, minutesWord));
    // The language choices in the order of LanguageSetting: the first three in the
    // interface's language, the others each in its own.
    for (const char* language : {QT_TRANSLATE_NOOP("OptionsDialog", "System Default"),
                                 QT_TRANSLATE_NOOP("OptionsDialog", "English"),
                                 QT_TRANSLATE_NOOP("OptionsDialog", "Japanese")})
        languageList_->addItem(QCoreApplication::translate("OptionsDialog", language));
    for (const CatalogueLanguage& language : InterfaceLanguages()) {
        if (language.option > LanguageSetting::Japanese)
            languageList_->addItem(QString::fromUtf16(language.ownName));
    }
    // Without a font that can show it, Japanese is not to be chosen.
    if (context_.noJapaneseFont) {
        auto* items = static_cast<QStandardItemModel*>(languageList_->model());
        items->item(static_cast<int>(LanguageSetting::Japanese))->setEnabled(false);
    }
}

void OptionsDialog::Caption() {
    SetCaptionSource(this, "OptionsDialog", QT_TRANSLATE_NOOP("OptionsDialog", "Options"));
    CaptionWindow(this);
    // The two-line caption: a screen reader reads it as one line.
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
    testPlayButton_->setAccessibleName(QCoreApplication::translate("OptionsDialog", "Test play"));
    testBeepButton_->setAccessibleName(QCoreApplication::translate("OptionsDialog", "Test beep"));
    versionLabel_->setAccessibleName(versionLabel_->text());
}

} // namespace plimset
