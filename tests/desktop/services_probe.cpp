// A small window that applies the window services on command, for the desktop tests.
//
//   services_probe [--no-taskbar] [--on-top] [--no-minimize] [--extents-before-show]
//
// Shows a main window with a menu bar, then reads commands from standard input, one a line,
// and answers each with one line starting with "ok" (or "error"); its end quits:
//   taskbar 0|1, ontop 0|1, minimize 0|1, hide, show   -> ok
//   winid     the native window                         -> ok <decimal id>
//   extents   FrameExtents                              -> ok <left> <top> <right> <bottom>
//   borders   MeasureWindowBorders                      -> ok <width> <height> <menu px>
//   state     Qt's view                                 -> ok <visible> <minimized>
// With --extents-before-show the first line is "extents <l> <t> <r> <b>", asked before
// the window is shown; the line "shown <id>" follows once the window is shown.

#include "desktop/WindowServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QSocketNotifier>
#include <QStringList>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void Say(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

QString Numbers(std::initializer_list<qint64> numbers) {
    QStringList words;
    for (qint64 n : numbers)
        words << QString::number(n);
    return words.join(QLatin1Char(' '));
}

QString Handle(const QString& line, QMainWindow& window, plimset::WindowServices& services) {
    const QStringList words = line.simplified().split(QLatin1Char(' '));
    const QString verb = words.first();
    const bool on = words.value(1) == QLatin1String("1");
    if (verb == QLatin1String("taskbar")) {
        services.SetTaskbarButton(&window, on);
    } else if (verb == QLatin1String("ontop")) {
        services.SetAlwaysOnTop(&window, on);
    } else if (verb == QLatin1String("minimize")) {
        services.SetMinimizeOffered(&window, on);
    } else if (verb == QLatin1String("hide")) {
        window.hide();
    } else if (verb == QLatin1String("show")) {
        window.show();
    } else if (verb == QLatin1String("winid")) {
        return QStringLiteral("ok ") + Numbers({qint64(window.winId())});
    } else if (verb == QLatin1String("extents")) {
        const QMargins m = services.FrameExtents(&window);
        return QStringLiteral("ok ") + Numbers({m.left(), m.top(), m.right(), m.bottom()});
    } else if (verb == QLatin1String("borders")) {
        const plimset::Borders b = plimset::MeasureWindowBorders(services, &window);
        return QStringLiteral("ok ") +
               Numbers({b.BorderWidth, b.BorderHeight, plimset::MenuBarHeight(&window)});
    } else if (verb == QLatin1String("state")) {
        return QStringLiteral("ok ") + Numbers({window.isVisible(), window.isMinimized()});
    } else {
        return QStringLiteral("error unknown command");
    }
    return QStringLiteral("ok");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("services probe"));
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new QLineEdit(&window));
    window.resize(320, 120);
    const std::unique_ptr<plimset::WindowServices> servicesOwner = plimset::MakeWindowServices();
    plimset::WindowServices& services = *servicesOwner;
    if (args.contains(QStringLiteral("--no-taskbar")))
        services.SetTaskbarButton(&window, false);
    if (args.contains(QStringLiteral("--on-top")))
        services.SetAlwaysOnTop(&window, true);
    if (args.contains(QStringLiteral("--no-minimize")))
        services.SetMinimizeOffered(&window, false);
    if (args.contains(QStringLiteral("--extents-before-show")))
        Say(QStringLiteral("extents") + Handle(QStringLiteral("extents"), window, services).mid(2));
    window.show();
    Say(QStringLiteral("shown ") + Numbers({qint64(window.winId())}));

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            QApplication::quit();
            return;
        }
        pending.append(buffer, static_cast<size_t>(n));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const QString line = QString::fromUtf8(pending.data(), static_cast<qsizetype>(end));
            pending.erase(0, end + 1);
            Say(Handle(line, window, services));
        }
    });
    return QApplication::exec();
}
