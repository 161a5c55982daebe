// The yardstick for the start-up benchmark: the least a Qt Widgets program of Plimset's
// shape does at start-up. A main window with a menu bar, a text field and a 200 ms tick.

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    auto* field = new QLineEdit(QStringLiteral("0.00"), &window);
    window.setCentralWidget(field);
    int ticks = 0;
    QTimer tick;
    tick.setInterval(200);
    QObject::connect(&tick, &QTimer::timeout, &window, [&] { ++ticks; });
    tick.start();
    window.show();
    return QApplication::exec();
}
