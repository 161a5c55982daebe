// A small window that applies the window services on command, for the desktop tests.
//
//   services_probe [--no-taskbar] [--on-top] [--no-minimize] [--extents-before-show]
//
// Shows a main window with a menu bar and a text field, then reads commands from standard
// input, one a line, and answers each with one line starting with "ok" (or "error"):
//   taskbar 0|1, ontop 0|1, minimize 0|1   apply a service      -> ok
//   hide, show                              hide or show        -> ok
//   winid                                   the native window   -> ok <decimal id>
//   extents                                 FrameExtents        -> ok <left> <top> <right> <bottom>
//   borders                                 MeasureWindowBorders -> ok <width> <height> <menu px>
//   state                                   Qt's view           -> ok <visible> <minimized>
//   quit                                    ends with status 0
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

QString Margins(const QMargins& m) {
    return QStringLiteral("%1 %2 %3 %4").arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom());
}

class Probe {
public:
    Probe() {
        window_.setWindowTitle(QStringLiteral("services probe"));
        QMenu* file = window_.menuBar()->addMenu(QStringLiteral("&File"));
        file->addAction(QStringLiteral("&Quit"), qApp, &QApplication::quit);
        auto* text = new QLineEdit(QStringLiteral("probe text"), &window_);
        text->setAccessibleName(QStringLiteral("probe field"));
        window_.setCentralWidget(text);
        window_.resize(320, 120);
    }

    QMainWindow& Window() { return window_; }
    plimset::X11WindowServices& Services() { return services_; }

    QString Handle(const QString& line) {
        const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            return QStringLiteral("error empty");
        }
        const QString& verb = words.first();
        const bool on = words.value(1) == QLatin1String("1");
        if (verb == QLatin1String("taskbar")) {
            services_.SetTaskbarButton(&window_, on);
        } else if (verb == QLatin1String("ontop")) {
            services_.SetAlwaysOnTop(&window_, on);
        } else if (verb == QLatin1String("minimize")) {
            services_.SetMinimizeOffered(&window_, on);
        } else if (verb == QLatin1String("hide")) {
            window_.hide();
        } else if (verb == QLatin1String("show")) {
            window_.show();
        } else if (verb == QLatin1String("winid")) {
            return QStringLiteral("ok %1").arg(window_.winId());
        } else if (verb == QLatin1String("extents")) {
            return QStringLiteral("ok ") + Margins(services_.FrameExtents(&window_));
        } else if (verb == QLatin1String("borders")) {
            const plimset::Borders b = plimset::MeasureWindowBorders(services_, &window_);
            return QStringLiteral("ok %1 %2 %3")
                .arg(b.BorderWidth)
                .arg(b.BorderHeight)
                .arg(plimset::MenuBarHeight(&window_));
        } else if (verb == QLatin1String("state")) {
            return QStringLiteral("ok %1 %2")
                .arg(int(window_.isVisible()))
                .arg(int(window_.isMinimized()));
        } else if (verb == QLatin1String("quit")) {
            QApplication::quit();
        } else {
            return QStringLiteral("error unknown command");
        }
        return QStringLiteral("ok");
    }

private:
    QMainWindow window_;
    plimset::X11WindowServices services_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("services_probe"));
    const QStringList args = QApplication::arguments();
    Probe probe;
    if (args.contains(QStringLiteral("--no-taskbar"))) {
        probe.Services().SetTaskbarButton(&probe.Window(), false);
    }
    if (args.contains(QStringLiteral("--on-top"))) {
        probe.Services().SetAlwaysOnTop(&probe.Window(), true);
    }
    if (args.contains(QStringLiteral("--no-minimize"))) {
        probe.Services().SetMinimizeOffered(&probe.Window(), false);
    }
    if (args.contains(QStringLiteral("--extents-before-show"))) {
        Say(QStringLiteral("extents ") + Margins(probe.Services().FrameExtents(&probe.Window())));
    }
    probe.Window().show();
    Say(QStringLiteral("shown %1").arg(probe.Window().winId()));

    // Commands arrive on standard input; its end quits as "quit" does.
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
            Say(probe.Handle(line));
        }
    });
    return QApplication::exec();
}
