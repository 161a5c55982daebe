#include "app/SessionHotkey.h"

#include "core/HotkeyText.h"

namespace plimset {

namespace {

constexpr int RetryMs = 200;
constexpr int Retries = 10;

} // namespace

SessionHotkey::SessionHotkey(std::unique_ptr<GlobalHotkey> own, QObject* parent)
    : GlobalHotkey(parent), own_(std::move(own)) {
    connect(own_.get(), &GlobalHotkey::Pressed, this, &GlobalHotkey::Pressed);
    retry_.setSingleShot(true);
    retry_.setInterval(RetryMs);
    connect(&retry_, &QTimer::timeout, this, &SessionHotkey::RegisterOnceFree);
}

void SessionHotkey::WaitForOwner(qint64 ownerProcess) {
    own_->UnregisterAppHotkey();
    retry_.stop();
    waiting_ = true;
    ownerProcess_ = ownerProcess;
}

void SessionHotkey::TakeOver() {
    if (!waiting_)
        return;
    waiting_ = false;
    retries_ = 0;
    RegisterOnceFree();
}

HotkeyRegistration SessionHotkey::RegisterAppHotkey(qint16 code) {
    code_ = code;
    retry_.stop();
    if (!waiting_)
        return Remember(own_->RegisterAppHotkey(code));
    if (code == 0)
        return Remember(HotkeyRegistration::None);
    if (!SplitHotkeyCode(code)) {
        ReportOnce(HotkeyProblemText(HotkeyRegistration::NoKey, code));
        return Remember(HotkeyRegistration::NoKey);
    }
    const QString process =
        ownerProcess_ > 0 ? QStringLiteral(" (process %1)").arg(ownerProcess_) : QString();
    ReportOnce(QStringLiteral("the hotkey %1 belongs to the Plimset that runs already%2; this "
                              "one takes it over when that one ends")
                   .arg(HotkeyCodeToText(code), process));
    return Remember(HotkeyRegistration::HeldElsewhere);
}

void SessionHotkey::UnregisterAppHotkey() {
    code_ = 0;
    retry_.stop();
    own_->UnregisterAppHotkey();
}

HotkeyRegistration SessionHotkey::ProbeHotkey(qint16 code) {
    return own_->ProbeHotkey(code);
}

HotkeyBinding SessionHotkey::Binding() const {
    return waiting_ ? HotkeyBinding{} : own_->Binding();
}

void SessionHotkey::OpenShortcutSettings() {
    if (!waiting_)
        own_->OpenShortcutSettings();
}

void SessionHotkey::RegisterOnceFree() {
    if (waiting_ || code_ == 0)
        return;
    if (retries_ < Retries && own_->ProbeHotkey(code_) == HotkeyRegistration::HeldElsewhere) {
        ++retries_;
        retry_.start();
        return;
    }
    Remember(own_->RegisterAppHotkey(code_));
}

} // namespace plimset
