#include "alerts/MciInterpreter.h"
#include "alerts/SoundLatency.h"
#include "alerts/ToneBeeper.h"
#include "app/App.h"
#include "app/EarlyOptions.h"
#include "app/PlatformChoice.h"
#include "core/Clock.h"
#include "core/Version.h"
#include "desktop/ExitSignals.h"
#include "desktop/GlobalHotkey.h"
#include "desktop/Icons.h"
#include "desktop/QtFontProbe.h"
#include "desktop/WindowActivation.h"
#include "desktop/WindowServices.h"
#include "settings/SettingsPath.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

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
    plimset::RequestLowSoundLatency();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plimset"));
    QApplication::setOrganizationName(QString());
    QApplication::setDesktopFileName(QString::fromLatin1(plimset::ApplicationId));
    QApplication::setWindowIcon(plimset::ApplicationIcon());

    plimset::SystemClock clock;
    plimset::QtFontProbe fontProbe;
    const std::unique_ptr<plimset::WindowServices> windowServices = plimset::MakeWindowServices();
    const std::unique_ptr<plimset::GlobalHotkey> globalHotkey = plimset::CreateGlobalHotkey();
    const std::unique_ptr<plimset::WindowActivation> windowActivation =
        plimset::MakeWindowActivation();
    plimset::ToneBeeper beeper;
    plimset::MciInterpreter soundCommands;
    const QString executable = QCoreApplication::applicationFilePath();

    plimset::App app(plimset::AppContext{
        .clock = clock,
        .fontProbe = fontProbe,
        .windowServices = *windowServices,
        .windowActivation = *windowActivation,
        .beeper = beeper,
        .soundCommands = soundCommands,
        .globalHotkey = *globalHotkey,
        .settingsFilePath = plimset::SettingsFilePath(executable),
        .locale = QLocale::system(),
        .arguments = QCoreApplication::arguments().mid(1),
        .executableBaseName = QFileInfo(executable).completeBaseName(),
        .showMessage = ShowMessage,
        .askYesNo = AskYesNo,
    });
    // A request to end the process closes the window as the user would, so its state is
    // saved and the exit code is 0.
    plimset::ExitSignals exitSignals;
    QObject::connect(&exitSignals, &plimset::ExitSignals::ExitRequested, &app,
                     &plimset::App::RequestClose);

    if (const std::optional<int> exitCode = app.Startup())
        return *exitCode;
    if (app.IsUnloaded())
        return 0;
    return QApplication::exec();
}
