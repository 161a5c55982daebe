#include "app/App.h"
#include "app/EarlyOptions.h"
#include "app/PlatformChoice.h"
#include "app/RemoteControl.h"
#include "app/SessionHotkey.h"
#include "core/Clock.h"
#include "core/Version.h"
#include "desktop/DbusDesktopNotifier.h"
#include "desktop/ExitSignals.h"
#include "desktop/GlobalHotkey.h"
#include "desktop/PortalGlobalHotkey.h"
#include "desktop/QtFontProbe.h"
#include "desktop/WindowActivation.h"
#include "desktop/WindowServices.h"
#include "settings/SettingsPath.h"
#include "sound/SoundFilePlayer.h"
#include "sound/ToneBeeper.h"
#include "text/LanguageChoice.h"
#include "ui/widgets/Icons.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>
#include <optional>

namespace {

void ShowMessage(QWidget* parent, const QString& text, plimset::MessageStyle style) {
    using plimset::MessageStyle;
    const QMessageBox::Icon icon = style == MessageStyle::Critical      ? QMessageBox::Critical
                                   : style == MessageStyle::Information ? QMessageBox::Information
                                   : style == MessageStyle::Question    ? QMessageBox::Question
                                                                        : QMessageBox::NoIcon;
    QMessageBox box(icon, QStringLiteral("Plimset"), text, QMessageBox::Ok, parent);
    box.exec();
}

void SayOnStandardError(const QString& line) {
    std::fprintf(stderr, "plimset: %s\n", line.toLocal8Bit().constData());
}

// Hands a window verb to the Plimset that runs already. Returns the exit code when this
// process has nothing more to do; nothing when it is to start a Plimset of its own.
std::optional<int> SendVerbToRunningProgram(plimset::WindowVerb verb) {
    using plimset::RemoteDelivery;
    QString problem;
    switch (plimset::SendWindowVerb(verb, &problem)) {
    case RemoteDelivery::Delivered:
        return 0;
    case RemoteDelivery::NoAnswer:
        SayOnStandardError(problem);
        return 1;
    case RemoteDelivery::NoBus:
        SayOnStandardError(problem);
        break;
    case RemoteDelivery::NoneRunning:
        break;
    }
    // Nothing runs to hide; a new window would be the opposite of what was asked.
    if (verb == plimset::WindowVerb::Hide)
        return 0;
    return std::nullopt;
}

bool AskYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Plimset"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

int main(int argc, char* argv[]) {
    // --help, --version and a missing display are answered before Qt opens a display.
    const plimset::EarlyAction early =
        plimset::EarlyOptions(argc, argv, plimset::DisplayEnvironmentFromProcess());
    if (early.exit)
        return plimset::FinishEarly(early);

    plimset::ApplyQtPlatformChoice();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plimset"));
    QApplication::setOrganizationName(QString());
    QApplication::setDesktopFileName(QString::fromLatin1(plimset::ApplicationId));
    QApplication::setWindowIcon(plimset::ApplicationIcon());

    // --toggle and its kin go to the Plimset that runs; where none does, this one starts
    // in its place and answers the next ones. The name is taken before the window is made,
    // so that of two started at once one answers and the other hands its verb over.
    plimset::RemoteControl remoteControl;
    if (early.windowVerb) {
        if (const std::optional<int> exitCode = SendVerbToRunningProgram(*early.windowVerb))
            return *exitCode;
    }
    const bool queued = remoteControl.Publish() == plimset::RemoteControl::Publication::Queued;
    if (queued && early.windowVerb) {
        if (const std::optional<int> exitCode = SendVerbToRunningProgram(*early.windowVerb))
            return *exitCode;
    }

    plimset::SystemClock clock;
    plimset::QtFontProbe fontProbe;
    const std::unique_ptr<plimset::WindowServices> windowServices = plimset::MakeWindowServices();
    // The hotkey is the bus name owner's; a Plimset waiting for the name takes it over
    // with the name.
    plimset::SessionHotkey globalHotkey(plimset::CreateDesktopGlobalHotkey());
    if (queued) {
        if (const qint64 owner = remoteControl.OwnerProcess();
            owner != QCoreApplication::applicationPid())
            globalHotkey.WaitForOwner(owner);
    }
    QObject::connect(&remoteControl, &plimset::RemoteControl::NameTaken, &globalHotkey,
                     &plimset::SessionHotkey::TakeOver);
    const std::unique_ptr<plimset::WindowActivation> windowActivation =
        plimset::MakeWindowActivation();
    plimset::ToneBeeper beeper;
    plimset::SoundFilePlayer soundPlayer;
    plimset::DbusDesktopNotifier desktopNotifier(QString::fromLatin1(plimset::ApplicationId));
    const QString executable = QCoreApplication::applicationFilePath();

    plimset::App app(plimset::AppContext{
        .clock = clock,
        .fontProbe = fontProbe,
        .windowServices = *windowServices,
        .windowActivation = *windowActivation,
        .beeper = beeper,
        .soundPlayer = soundPlayer,
        .globalHotkey = globalHotkey,
        .desktopNotifier = desktopNotifier,
        .settingsFilePath = plimset::SettingsFilePath(executable),
        .locale = QLocale::system(),
        .sessionLanguage = plimset::SessionLanguage(plimset::ProcessLocaleEnvironment()),
        // A verb that starts the program asks nothing more of it.
        .arguments = early.windowVerb ? QStringList() : QCoreApplication::arguments().mid(1),
        .executableBaseName = QFileInfo(executable).completeBaseName(),
        .showMessage = ShowMessage,
        .sayOnStandardError = SayOnStandardError,
        .askYesNo = AskYesNo,
        .otherWindowPlaces = queued ? remoteControl.OtherWindowPlaces() : QList<QPoint>(),
    });
    remoteControl.SetWindowPlace([&app] { return app.WindowPlace(); });
    // A request to end the process closes the window as the user would, so its state is
    // saved and the exit code is 0.
    plimset::ExitSignals exitSignals;
    QObject::connect(&exitSignals, &plimset::ExitSignals::ExitRequested, &app,
                     &plimset::App::RequestClose);
    QObject::connect(&remoteControl, &plimset::RemoteControl::VerbRequested, &app,
                     &plimset::App::ApplyWindowVerb);

    if (const std::optional<int> exitCode = app.Startup())
        return *exitCode;
    if (app.IsUnloaded())
        return 0;
    return QApplication::exec();
}
