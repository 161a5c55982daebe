// The yardstick for the start-up and counting benchmarks: the least a Qt Widgets program
// of Plimset's shape does. A main window with a menu bar, a text field and a 200 ms tick.
// With --count the window shows a label instead of the field (no blinking cursor to
// repaint) and the tick counts seconds in it as a stopwatch does: "0.00", "0.01", ...
// minutes and seconds. --tick=MS sets the tick's period (a second ticks as seldom as a
// shown second changes).

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool counting = QApplication::arguments().contains(QStringLiteral("--count"));
    int period = 200;
    for (const QString& argument : QApplication::arguments()) {
        if (argument.startsWith(QStringLiteral("--tick="))) {
            period = std::max(argument.mid(7).toInt(), 1);
        }
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    QLabel* label = nullptr;
    if (counting) {
        label = new QLabel(QStringLiteral("0.00"), &window);
        label->setAlignment(Qt::AlignCenter);
        window.setCentralWidget(label);
    } else {
        window.setCentralWidget(new QLineEdit(QStringLiteral("0.00"), &window));
    }
    QElapsedTimer elapsed;
    elapsed.start();
    int ticks = 0;
    QTimer tick;
    tick.setInterval(period);
    QObject::connect(&tick, &QTimer::timeout, &window, [&] {
        ++ticks;
        if (label == nullptr) {
            return;
        }
        // QLabel repaints only when the text changes.
        const qint64 seconds = elapsed.elapsed() / 1000;
        label->setText(
            QStringLiteral("%1.%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0')));
    });
    tick.start();
    window.show();
    return QApplication::exec();
}
