#include "ui/main/MainWindow.h"

namespace plimset {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
}

} // namespace plimset
