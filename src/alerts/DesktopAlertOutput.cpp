#include "alerts/DesktopAlertOutput.h"

#include "alerts/AlertWindow.h"
#include "alerts/AlertWindowLayout.h"
#include "core/OptionSettings.h"
#include "core/TimerEngine.h"
#include "desktop/DesktopNotifier.h"
#include "desktop/WindowActivation.h"
#include "desktop/WindowServices.h"
#include "sound/Beeper.h"
#include "sound/SoundFilePlayer.h"
#include "tray/TrayMenuCaption.h"

#include <QCoreApplication>
#include <QWidget>

namespace plimset {

namespace {

// The caption of the notification's action, which does what the stop button does.
QString StopActionCaption() {
    return QCoreApplication::translate("AlertNotification", "Stop");
}

// The caption of a click on the notification, which brings the main window forward.
QString ShowActionCaption() {
    return QCoreApplication::translate("AlertNotification", "Show Plimset");
}

} // namespace

DesktopAlertOutput::DesktopAlertOutput(AlertOutputContext context) : c_(std::move(context)) {
    if (!c_.fileExists) {
        c_.fileExists = FileExistsWithin;
    }
    if (!c_.alwaysOnTopChecked) {
        c_.alwaysOnTopChecked = [] { return false; };
    }
}

DesktopAlertOutput::~DesktopAlertOutput() {
    EndAlert();
}

void DesktopAlertOutput::BeginAlert() {
    if (alertActive_) {
        return;
    }
    alertActive_ = true;
    if (c_.notifier == nullptr || !c_.options->desktopNotification) {
        return;
    }
    const AlertLines lines = AlertLinesFor(*c_.options, c_.state->mode, language_);
    // A notice needs a first line; with the texts emptied the program's name stands there.
    c_.notifier->Show(DesktopNotice{
        .summary = lines.line1.isEmpty() ? QStringLiteral("Plimset") : lines.line1,
        .body = lines.line2,
        .stopCaption = StopActionCaption(),
        .showCaption = ShowActionCaption(),
    });
}

void DesktopAlertOutput::EndAlert() {
    if (!alertActive_) {
        return;
    }
    alertActive_ = false;
    if (c_.notifier != nullptr) {
        c_.notifier->Withdraw();
    }
}

void DesktopAlertOutput::LoadAlertWindow() {
    if (!window_) {
        window_ = std::make_unique<AlertWindow>(*c_.options, *c_.state, language_, c_.mainWindow,
                                                c_.stopButton);
        if (c_.windowServices != nullptr) {
            c_.windowServices->SetUntitled(window_.get());
        }
    }
}

void DesktopAlertOutput::SetLanguage(InterfaceLanguage language) {
    language_ = language;
    if (window_) {
        window_->SetLanguage(language);
    }
}

void DesktopAlertOutput::UnloadAlertWindow() {
    window_.reset();
}

void DesktopAlertOutput::ReloadAlertWindow() {
    const bool visible = IsAlertWindowVisible();
    UnloadAlertWindow();
    LoadAlertWindow();
    if (visible) {
        window_->show();
    }
}

bool DesktopAlertOutput::IsAlertWindowVisible() const {
    return window_ && window_->isVisible();
}

void DesktopAlertOutput::HideAlertWindow() {
    if (window_) {
        window_->hide();
    }
}

void DesktopAlertOutput::BringBackMainWindow() {
    QWidget* main = c_.mainWindow;
    if (main == nullptr) {
        return;
    }
    if (main->isMinimized()) {
        main->showNormal();
    }
    if (!main->isVisible()) {
        // Hidden to the tray: the tray menu's item now minimizes again.
        if (c_.trayMenu != nullptr) {
            c_.trayMenu->SetHideItemCaption(QCoreApplication::translate("TrayIcon", "Mi&nimize"));
        }
        main->show();
    }
    if (c_.activation != nullptr && !c_.activation->IsForeground(main)) {
        c_.activation->BringToFront(main, c_.alwaysOnTopChecked());
    }
}

// The main window has just been raised (and may lie over the alert window's place):
// the alert window goes back on top of it.
void DesktopAlertOutput::KeepAlertWindowAbove() {
    if (IsAlertWindowVisible()) {
        window_->raise();
    }
}

void DesktopAlertOutput::RingAtNextSoundStep() {
    stepsSinceRing_ = ringEverySteps - 1;
    PrepareSound();
}

void DesktopAlertOutput::PrepareSound() {
    if (c_.beeper != nullptr && c_.options != nullptr &&
        c_.options->soundSource != SoundSource::None) {
        c_.beeper->Prepare();
    }
}

void DesktopAlertOutput::AlertStep(AlertParts pending) {
    if (inSoundAction_) {
        return;
    }
    BeginAlert();
    BringBackMainWindow();

    if (pending.testFlag(AlertPart::Window)) {
        if (!IsAlertWindowVisible() && window_) {
            window_->show();
        } else {
            KeepAlertWindowAbove();
        }
    } else if (IsAlertWindowVisible()) {
        HideAlertWindow();
    }

    if (!pending.testFlag(AlertPart::Sound)) {
        // The sound is over, the alert is not.
        StopSoundFile(SoundStop::Stop);
        return;
    }
    if (engine_ == nullptr) {
        return;
    }
    ++stepsSinceRing_;
    if (stepsSinceRing_ < ringEverySteps) {
        return;
    }
    inSoundAction_ = true;
    SoundAction();
    inSoundAction_ = false;
    stepsSinceRing_ = 0;
    if (deferredStop_) {
        const SoundStop how = *deferredStop_;
        deferredStop_.reset();
        StopSoundFile(how);
    }
}

void DesktopAlertOutput::SoundAction() {
    const OptionSettings& o = *c_.options;
    switch (o.soundSource) {
    case SoundSource::Beep:
        if (o.beepCount >= 1 && c_.beeper != nullptr) {
            c_.beeper->Beep(o.beepCount);
        }
        break;
    case SoundSource::File:
        PlayFile();
        break;
    case SoundSource::None:
        break;
    }
}

void DesktopAlertOutput::MarkPlayedToEnd() {
    if (engine_ != nullptr) {
        engine_->SetAlertStart(AlertPhase::Sound, {AlertStamp::State::PlayedToEnd});
    }
}

void DesktopAlertOutput::PlayFile() {
    const OptionSettings& o = *c_.options;
    if (c_.player == nullptr) {
        return;
    }
    if (o.soundFile.isEmpty() || !c_.fileExists(o.soundFile)) {
        // Nothing to play. Played "until its end" it has ended at once.
        if (o.playSoundToEnd) {
            MarkPlayedToEnd();
        }
        return;
    }
    const SoundState state = c_.player->State();
    if (state == SoundState::Playing) {
        return;
    }
    if (state == SoundState::Stopped) {
        if (o.playSoundToEnd) {
            StopSoundFile(SoundStop::CloseAtEnd);
            MarkPlayedToEnd();
        } else {
            c_.player->PlayFromStart();
            soundOpen_ = true;
        }
        return;
    }
    const SoundOpenResult opened = c_.player->Open(o.soundFile);
    if (opened == SoundOpenResult::NoOutput && c_.beeper != nullptr) {
        // No sound can be played here at all: the beep rings in its place (it falls back to
        // the display's bell), once a second as the file would.
        c_.beeper->Beep(1);
    }
    if (opened != SoundOpenResult::Opened && o.playSoundToEnd) {
        // A file that cannot be played never reports Stopped: count it as played.
        MarkPlayedToEnd();
        return;
    }
    c_.player->PlayFromStart();
    soundOpen_ = true;
}

void DesktopAlertOutput::StopSound(SoundStop how) {
    // The engine stops the sound when the alert ends, is stopped or the timer is reset.
    if (how == SoundStop::Stop) {
        EndAlert();
    }
    StopSoundFile(how);
}

void DesktopAlertOutput::StopSoundFile(SoundStop how) {
    if (inSoundAction_) {
        deferredStop_ = how;
        return;
    }
    if (!soundOpen_ || c_.player == nullptr) {
        return;
    }
    switch (how) {
    case SoundStop::Stop:
        if (c_.player->State() == SoundState::Playing) {
            c_.player->Stop();
            c_.player->Close();
            soundOpen_ = false;
        }
        break;
    case SoundStop::CloseAtEnd:
        if (c_.player->State() == SoundState::Stopped) {
            c_.player->Close();
            soundOpen_ = false;
        }
        break;
    }
}

} // namespace plimset
