#include "app/EarlyOptions.h"
#include "core/Clock.h"
#include "core/Version.h"
#include "desktop/Icons.h"
#include "desktop/QtFontProbe.h"
#include "desktop/WindowServices.h"
#include "settings/SettingsPath.h"
#include "ui/main/ExitSignals.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

void ShowMessage(QWidget* parent, const QString& text, int style) {
    QMessageBox box(style == 16   ? QMessageBox::Critical
                    : style == 64 ? QMessageBox::Information
                                  : QMessageBox::NoIcon,
                    QStringLiteral("Plimset"), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // --help, --version and a missing display are answered before Qt opens a display.
    const plimset::EarlyAction early =
        plimset::EarlyOptions(argc, argv, plimset::DisplayEnvironmentFromProcess());
    if (early.exit)
        return plimset::FinishEarly(early);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plimset"));
    QApplication::setOrganizationName(QString());
    QApplication::setDesktopFileName(QString::fromLatin1(plimset::ApplicationId));
    QApplication::setWindowIcon(plimset::ApplicationIcon());

    plimset::SystemClock clock;
    plimset::QtFontProbe fontProbe;
    plimset::X11WindowServices windowServices;

    plimset::MainWindowContext context;
    context.clock = &clock;
    context.fontProbe = &fontProbe;
    context.windowServices = &windowServices;
    const QString executable = QCoreApplication::applicationFilePath();
    context.settingsFilePath = plimset::SettingsFilePath(executable);
    context.executableBaseName = QFileInfo(executable).completeBaseName();
    context.locale = QLocale::system();
    context.arguments = QCoreApplication::arguments().mid(1);
    context.showMessage = ShowMessage;

    plimset::MainWindow window(context);
    // A request to end the process closes the window as the user would, so its state is
    // saved and the exit code is 0.
    plimset::ExitSignals exitSignals;
    QObject::connect(&exitSignals, &plimset::ExitSignals::ExitRequested, &window,
                     &plimset::MainWindow::RequestClose);

    if (const std::optional<int> exitCode = window.Startup())
        return *exitCode;
    if (window.IsUnloaded())
        return 0;
    return QApplication::exec();
}
