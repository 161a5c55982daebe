#pragma once

#include <QMainWindow>

namespace plimset {

// The main window. For now an empty frame that the timer's controls will fill.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace plimset
