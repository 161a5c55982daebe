#pragma once

#include "alerts/AlertWindowLayout.h"

#include <QDialog>

class QGroupBox;
class QLabel;

namespace plimset {

struct AppState;
struct OptionSettings;

// The alert window: a small fixed window without buttons that shows the message
// lines of the current mode and language while an alert's message part is pending. Its
// size is fixed when it is made, from the alert window scale; each time it is shown or activated
// it takes the current lines and moves to the centre of the screen that holds the main
// window, or beside the main window where the centre would cover it, so that the main
// window stays readable and its stop button within reach; it follows the main window
// while that moves. Screen readers get it as an alert whose name is the message.
class AlertWindow : public QDialog {
    Q_OBJECT
public:
    // stopButton is the main window's button that stops the alert, never covered.
    AlertWindow(const OptionSettings& options, const AppState& state, InterfaceLanguage language,
                QWidget* mainWindow, QWidget* stopButton = nullptr);

    // The language of the lines it takes the next time it is shown or activated.
    void SetLanguage(InterfaceLanguage language) { language_ = language; }

    const AlertWindowLayout& Layout() const { return layout_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Activate();
    void Place();
    void FitToLines();

    const OptionSettings& options_;
    const AppState& state_;
    InterfaceLanguage language_;
    QWidget* mainWindow_;
    QWidget* stopButton_;
    AlertWindowLayout layout_;
    ScreenScale scale_;
    QGroupBox* frame_ = nullptr;
    QLabel* firstLine_ = nullptr;
    QLabel* secondLine_ = nullptr;
    QLabel* singleLine_ = nullptr;
};

} // namespace plimset
