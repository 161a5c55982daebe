// The Options dialog's actions: OK with its checks and the save, Cancel, Reflect, Restore
// Defaults, the hotkey capture, dropped files, the test beep and the sound file's test
// play and browsing.

#include "ui/options/OptionsDialog.h"

#include "core/HotkeyText.h"
#include "core/NumericText.h"
#include "desktop/KeyIdentity.h"
#include "settings/SaveOptionSettings.h"
#include "settings/SettingsFile.h"
#include "sound/Beeper.h"
#include "sound/SoundPlayer.h"
#include "text/Captions.h"
#include "ui/options/BoxInput.h"
#include "ui/options/OptionsDialogNames.h"
#include "ui/widgets/Icons.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace plimset {

namespace {

QString SaveFailedText(const QString& path) {
    return QCoreApplication::translate("OptionsDialog",
                                       "The settings could not be saved to %1. The new settings "
                                       "apply until the program ends.")
        .arg(QDir::toNativeSeparators(path));
}

QString HotkeyHeldText(const QString& hotkey) {
    return QCoreApplication::translate("OptionsDialog",
                                       "The hotkey %1 is already in use by another program. "
                                       "Choose another combination.")
        .arg(hotkey);
}

} // namespace

void OptionsDialog::Message(const QString& text, MessageStyle style) {
    if (context_.showMessage)
        context_.showMessage(this, text, style);
}

// ----- OK and Cancel -----

void OptionsDialog::Ok() {
    SetBoxText(soundFile_, soundFile_->text().trimmed());
    OptionsEntries entries;
    entries.minutesToAdd = addMinute_->text();
    if (soundSource_->checkedId() >= 0)
        entries.soundSource = static_cast<SoundSource>(soundSource_->checkedId());
    entries.soundFile = soundFile_->text();
    entries.beepCount = beepCount_->text();
    entries.ringDuration = ringDuration_->text();
    entries.displayDuration = displayDuration_->text();
    entries.alertWindowScale = alertSize_->text();
    const OptionsCheckResult check =
        FirstFailedCheck(entries, TimeFormatOf(options_),
                         [](const QString& path) { return QFileInfo(path).isFile(); });
    if (check.Box != OptionsBox::None) {
        if (check.Box == OptionsBox::SoundFile)
            Message(QCoreApplication::translate("OptionsDialog", "File not found."),
                    MessageStyle::Critical);
        else
            Message(QCoreApplication::translate("OptionsDialog", "Input %1 or more.")
                        .arg(check.Minimum),
                    MessageStyle::Critical);
        QLineEdit* focus = check.Box == OptionsBox::MinutesToAdd      ? addMinute_
                           : check.Box == OptionsBox::SoundFile       ? soundFile_
                           : check.Box == OptionsBox::BeepCount       ? beepCount_
                           : check.Box == OptionsBox::RingDuration    ? ringDuration_
                           : check.Box == OptionsBox::DisplayDuration ? displayDuration_
                                                                      : alertSize_;
        focus->setFocus(Qt::OtherFocusReason);
        return;
    }

    // The size and length in the boxes reach the main window before the question.
    if (ChosenLength() != options_.displayLength ||
        RoundToInt32(NumericValue(windowWidth_->text())) != main_.OuterWidthPixels() ||
        RoundToInt32(NumericValue(windowHeight_->text())) != main_.OuterHeightPixels())
        ReflectSizeAndLength();
    RevertIncompleteHotkey();
    // A combination another program holds would never reach this one: say so now, while
    // the user can still choose another.
    const qint16 hotkey = AskedHotkey();
    if (hotkey != 0 && context_.hotkeyHeldElsewhere && context_.hotkeyHeldElsewhere(hotkey)) {
        Message(HotkeyHeldText(HotkeyCodeToText(hotkey)), MessageStyle::Critical);
        hotkey_->setFocus(Qt::OtherFocusReason);
        return;
    }

    if (!context_.askYesNo ||
        !context_.askYesNo(
            this, QCoreApplication::translate("OptionsDialog", "Do you want to save changes?")))
        return;
    if (hotkey_->text() == noHotkeyText_)
        hotkey_->clear();
    saved_ = SaveOptionSettings(context_.settings, options_, Collect());
    if (!saved_)
        Message(SaveFailedText(context_.settings.path()), MessageStyle::Critical);
    done(QDialog::Accepted);
}

void OptionsDialog::Cancel() {
    main_.RestoreSnapshot(snapshot_);
    cancelled_ = true;
    done(QDialog::Rejected);
}

void OptionsDialog::reject() {
    // Esc, like the Cancel button.
    Cancel();
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    // The close box keeps what Reflect and Restore Defaults did and saves nothing.
    event->accept();
    done(QDialog::Rejected);
}

void OptionsDialog::done(int result) {
    // However the dialog ends, a test play ends with it.
    StopTestPlay();
    QDialog::done(result);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ----- Reflect and Restore Defaults -----

void OptionsDialog::ReflectSizeAndLength() {
    // The screen's pixels in Qt's, a half upwards so that the window is not smaller than
    // the size given.
    const auto pixels = [this](const QLineEdit* box) {
        return RoundToInt32(std::floor(NumericValue(box->text()) / screenPixelsPerPixel_ + 0.5));
    };
    const int width = pixels(windowWidth_);
    const int height = pixels(windowHeight_);
    main_.SizeTimeFieldForLength(ChosenLength());
    main_.ReflectOuterSize(width, height);
    main_.PlaceControls();
    ShowMainWindowSize();
}

void OptionsDialog::ReflectLength() {
    main_.SizeTimeFieldForLength(ChosenLength());
    main_.PlaceControls();
    ShowMainWindowSize();
}

void OptionsDialog::RestoreLook() {
    main_.ApplyTextLook(context_.defaultLook);
    main_.SizeTimeFieldForLength(ChosenLength());
    ShowMainWindowSize();
}

void OptionsDialog::RestoreAllDefaults() {
    StopTestPlay();
    Fill(RestoredDefaults(options_, context_.defaultSoundFile));
    RestoreLook();
}

// ----- keys, focus and drops -----

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hotkey_) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // A combination pressed in the box is captured, even one that is an access key
            // elsewhere in the dialog (Alt+O gives Ctrl + Alt + O, it does not press OK).
            if (static_cast<QKeyEvent*>(event)->modifiers() &
                (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers held = key->modifiers();
            // Tab and Shift+Tab move on, and Esc cancels, as everywhere in the dialog.
            const bool navigation = (key->key() == Qt::Key_Tab && held == Qt::NoModifier) ||
                                    (key->key() == Qt::Key_Backtab &&
                                     (held == Qt::NoModifier || held == Qt::ShiftModifier)) ||
                                    (key->key() == Qt::Key_Escape && held == Qt::NoModifier);
            if (navigation)
                return false;
            CaptureHotkey(key);
            return true;
        }
        case QEvent::KeyRelease:
            RevertIncompleteHotkey();
            return true;
        case QEvent::FocusOut:
            RevertIncompleteHotkey();
            break;
        default:
            break;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (watched == soundFile_) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (drag->mimeData()->hasUrls() && soundFile_->isEnabled()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QList<QUrl> urls = drop->mimeData()->urls();
            if (!urls.isEmpty() && urls.first().isLocalFile()) {
                SetBoxText(soundFile_, urls.first().toLocalFile());
                drop->acceptProposedAction();
            }
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            ScrollIntoView(box);
    }
    return QDialog::eventFilter(watched, event);
}

qint16 OptionsDialog::AskedHotkey() const {
    if (desktopKeyShown_)
        return filledHotkey_;
    return hotkey_->text() == noHotkeyText_ ? qint16(0) : HotkeyTextToCode(hotkey_->text());
}

void OptionsDialog::ShowHotkeyNote() {
    const HotkeyBinding& binding = context_.hotkeyBinding;
    if (hotkeyNote_ == nullptr || (!binding.ByDesktop && !binding.NoneOffered))
        return;
    const QString asked = HotkeyCodeToText(AskedHotkey());
    hotkeyNote_->setText(
        binding.ByDesktop
            ? QCoreApplication::translate(
                  "OptionsDialog",
                  "The desktop's shortcut settings choose the key that works (asked for: %1).")
                  .arg(asked.isEmpty() ? noHotkeyText_ : asked)
            : QCoreApplication::translate("OptionsDialog",
                                          "This desktop gives programs no global shortcut: bind a "
                                          "key to \"plimset --toggle\" in its keyboard settings."));
    hotkeyNote_->show();
}

void OptionsDialog::CaptureHotkey(QKeyEvent* event) {
    // A combination pressed here is the one asked for from now on.
    desktopKeyShown_ = false;
    const Qt::KeyboardModifiers held = event->modifiers();
    const int key = event->key();
    const bool shift = held.testFlag(Qt::ShiftModifier) || key == Qt::Key_Shift;
    const bool ctrl = held.testFlag(Qt::ControlModifier) || key == Qt::Key_Control;
    const bool alt = held.testFlag(Qt::AltModifier) || key == Qt::Key_Alt;
    if (shift || ctrl || alt) {
        const bool modifierKey =
            key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt;
        hotkey_->setText(
            CaptureHotkeyText(shift, ctrl, alt, modifierKey ? 0 : DigitOrLetterKey(event)));
        hotkey_->end(false);
    } else if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        hotkey_->setText(noHotkeyText_);
        hotkey_->end(false);
    }
    ShowHotkeyNote();
}

void OptionsDialog::RevertIncompleteHotkey() {
    if (IsIncompleteHotkeyText(hotkey_->text())) {
        hotkey_->setText(noHotkeyText_);
        hotkey_->end(false);
    }
}

// ----- sound -----

void OptionsDialog::TestBeep() {
    context_.beeper.Beep(RoundToInt16(NumericValue(beepCount_->text())));
}

bool OptionsDialog::TestPlayRunning() const {
    return testPlaying_;
}

void OptionsDialog::TestPlay() {
    SetBoxText(soundFile_, soundFile_->text().trimmed());
    const QString path = soundFile_->text();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        Message(QCoreApplication::translate("OptionsDialog", "File not found."),
                MessageStyle::Critical);
        soundFile_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (testPlaying_) {
        StopTestPlay();
        return;
    }
    // Opening the file closes the one open, the alarm's included: the chosen file is heard.
    switch (context_.sound.Open(path)) {
    case SoundOpenResult::Opened:
        break;
    case SoundOpenResult::NotFound:
        Message(QCoreApplication::translate("OptionsDialog", "File not found."),
                MessageStyle::Critical);
        return;
    case SoundOpenResult::CannotPlay:
        Message(QCoreApplication::translate("OptionsDialog", "Cannot play the file."),
                MessageStyle::Critical);
        return;
    case SoundOpenResult::NoOutput:
        Message(QCoreApplication::translate(
                    "OptionsDialog",
                    "No sound can be played: the sound module (plimset_sound.so) was not found."),
                MessageStyle::Critical);
        return;
    }
    context_.sound.PlayFromStart();
    testPlayButton_->setIcon(ResourceIcon(IconId::Stop));
    testPlayButton_->setAccessibleName(
        QCoreApplication::translate("OptionsDialog", "Stop test play"));
    testPlaying_ = true;
    testPlayMonitor_->start();
}

void OptionsDialog::MonitorTestPlay() {
    if (context_.sound.State() != SoundState::Stopped)
        return;
    context_.sound.Close();
    testPlayMonitor_->stop();
    testPlaying_ = false;
    testPlayButton_->setIcon(ResourceIcon(IconId::Go));
    testPlayButton_->setAccessibleName(QCoreApplication::translate("OptionsDialog", "Test play"));
}

void OptionsDialog::StopTestPlay() {
    if (!testPlaying_)
        return;
    testPlayMonitor_->stop();
    testPlaying_ = false;
    context_.sound.Close();
    testPlayButton_->setIcon(ResourceIcon(IconId::Go));
    testPlayButton_->setAccessibleName(QCoreApplication::translate("OptionsDialog", "Test play"));
}

QStringList OptionsDialog::FileFilters(const QStringList& extensions) {
    QStringList filters;
    if (!extensions.isEmpty()) {
        QStringList patterns;
        for (const QString& e : extensions)
            patterns << QStringLiteral("*.") + e;
        filters << QCoreApplication::translate("OptionsDialog", "Media files (all types)") +
                       QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    filters << QCoreApplication::translate("OptionsDialog", "All Files") + QStringLiteral(" (*)");
    return filters;
}

void OptionsDialog::Browse() {
    StopTestPlay();
    SetBoxText(soundFile_, soundFile_->text().trimmed());
    const QString path = soundFile_->text();
    const QStringList extensions = PlayableExtensions();
    const QStringList filters = FileFilters(extensions);
    int filter = filters.size() - 1; // All Files
    QString folder = QDir::currentPath();
    const QFileInfo file(path);
    if (file.isFile()) {
        if (path.contains(u'/'))
            folder = path.left(path.lastIndexOf(u'/') + 1);
        const qsizetype dot = path.lastIndexOf(u'.');
        if (dot >= 1 && filters.join(QString()).toLower().contains(path.mid(dot + 1).toLower()))
            filter = 0;
    } else {
        filter = 0;
    }
    QFileDialog chooser(this);
    chooser.setObjectName(QLatin1String(options_names::BrowseDialog));
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setNameFilters(filters);
    chooser.selectNameFilter(filters.value(filter));
    chooser.setDirectory(folder);
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        SetBoxText(soundFile_, chooser.selectedFiles().first());
}

} // namespace plimset
