#include "ui/main/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plimset"));
    QApplication::setApplicationDisplayName(QStringLiteral("Plimset"));
    plimset::MainWindow window;
    window.show();
    return QApplication::exec();
}
