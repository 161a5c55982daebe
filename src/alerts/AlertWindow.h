#pragma once

#include "alerts/AlertWindowLayout.h"

#include <QDialog>

#include <array>
#include <functional>

class QGroupBox;
class QLabel;

namespace plimset {

struct AppState;
struct OptionSettings;

// The alert window (Form3): a small fixed window without buttons that shows the message
// lines of the current mode and language while an alert's message part is pending. Its
// size is fixed when it is made, from MessageBoxSize; each time it is shown or activated
// it takes the current lines and moves to the centre of the screen that holds the main
// window. Screen readers get it as an alert whose name is the message.
class AlertWindow : public QDialog {
    Q_OBJECT
public:
    AlertWindow(const OptionSettings& options, const AppState& state,
                std::function<qint16()> languageOffset, QWidget* mainWindow);

    const AlertWindowLayout& Layout() const { return layout_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Activate();
    void Centre();
    void FitToLines();

    const OptionSettings& options_;
    const AppState& state_;
    std::function<qint16()> languageOffset_;
    QWidget* mainWindow_;
    AlertWindowLayout layout_;
    double tppX_ = 15;
    double tppY_ = 15;
    QGroupBox* frame_ = nullptr;      // Frame1
    std::array<QLabel*, 3> labels_{}; // Label1_0 .. Label1_2
};

} // namespace plimset
