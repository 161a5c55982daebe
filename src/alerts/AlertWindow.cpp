#include "alerts/AlertWindow.h"

#include "alerts/AlertWindowNames.h"
#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "core/ScreenFit.h"
#include "desktop/ScreenScale.h"
#include "ui/widgets/ControlFit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <array>

namespace plimset {

namespace {

// Pixels between the alert window and the main window it is placed beside.
constexpr int besideGap = 8;

// Screen readers announce the window as an alert: its role says so and its name is the
// message.
QAccessibleInterface* AlertAccessible(const QString& key, QObject* object) {
    if (key == QLatin1String(AlertWindow::staticMetaObject.className()) && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    }
    return nullptr;
}

} // namespace

AlertWindow::AlertWindow(const OptionSettings& options, const AppState& state,
                         InterfaceLanguage language, QWidget* mainWindow, QWidget* stopButton)
    // A small tool window with no title bar and no buttons, above ordinary windows, that
    // never takes the keyboard away from the window the user works in.
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      options_(options), state_(state), language_(language), mainWindow_(mainWindow),
      stopButton_(stopButton) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(AlertAccessible);
        return true;
    }();
    (void)factoryInstalled;

    setObjectName(QLatin1String(AlertWindowNames::Window));
    setWindowTitle(QString());
    setModal(false);

    const QScreen* screen = mainWindow_ != nullptr ? mainWindow_->screen() : nullptr;
    scale_ = ScaleOf(screen);
    layout_ = AlertWindowLayoutFor(options_.alertWindowScale);

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QLatin1String(AlertWindowNames::Frame));
    frame_->setGeometry(ScaledRect(layout_.frame, scale_));
    QFont font = this->font();
    font.setPointSizeF(layout_.labelPointSize);
    const auto makeLabel = [&](const char* name, const QRectF& place) {
        auto* label = new QLabel(frame_);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label->setFont(font);
        label->setGeometry(ScaledRect(place, scale_));
        return label;
    };
    firstLine_ = makeLabel(AlertWindowNames::FirstLineLabel, layout_.firstLine);
    secondLine_ = makeLabel(AlertWindowNames::SecondLineLabel, layout_.secondLine);
    singleLine_ = makeLabel(AlertWindowNames::SingleLineLabel, layout_.singleLine);
    singleLine_->hide();
    FitToLines();
    if (mainWindow_ != nullptr)
        mainWindow_->installEventFilter(this);
}

void AlertWindow::FitToLines() {
    // A line wider than the designed label (a wider font than the design's) widens the
    // labels, the frame and the window alike, so that everything stays centred.
    const std::array<QLabel*, 3> labels{firstLine_, secondLine_, singleLine_};
    std::array<QRect, 3> places{ScaledRect(layout_.firstLine, scale_),
                                ScaledRect(layout_.secondLine, scale_),
                                ScaledRect(layout_.singleLine, scale_)};
    int widest = 0;
    for (const QLabel* label : labels) {
        if (!label->isHidden())
            widest = std::max(widest, TextRoom(label).width());
    }
    const int extra = std::max(0, widest - places[0].width());
    QRect frame = ScaledRect(layout_.frame, scale_);
    frame.setWidth(frame.width() + extra);
    frame_->setGeometry(frame);
    for (QRect& place : places)
        place.setWidth(place.width() + extra);
    // Scaled up, the two lines' labels reach into each other: each keeps its centre and
    // only the height its line needs.
    if (places[0].bottom() >= places[1].top()) {
        for (size_t i : {size_t{0}, size_t{1}}) {
            const int height = std::min(places[i].height(), TextRoom(labels[i]).height() + 2);
            const int centre = places[i].center().y();
            places[i].setTop(centre - height / 2);
            places[i].setHeight(height);
        }
    }
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i]->setGeometry(places[i]);
    const QRect size = ScaledRect(QRectF(QPointF(), layout_.size), scale_);
    setFixedSize(size.width() + extra, size.height());
    Place();
}

void AlertWindow::Place() {
    const QScreen* screen = mainWindow_ != nullptr ? mainWindow_->screen() : this->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    // The outer size, frame included once the window manager has given it one.
    const QSize outer = isVisible() ? frameGeometry().size() : size();
    const QRect centred(area.left() + CentredPosition(area.width(), outer.width()),
                        area.top() + CentredPosition(area.height(), outer.height()), outer.width(),
                        outer.height());
    QRect main;
    if (mainWindow_ != nullptr && mainWindow_->isVisible() && !mainWindow_->isMinimized())
        main = mainWindow_->frameGeometry();
    QRect stopButton;
    if (stopButton_ != nullptr && stopButton_->isVisible())
        stopButton = QRect(stopButton_->mapToGlobal(QPoint(0, 0)), stopButton_->size());
    move(PlaceBeside(centred, main, screen->availableGeometry(), stopButton, besideGap));
}

void AlertWindow::Activate() {
    const AlertLines lines = AlertLinesFor(options_, state_.mode, language_);
    const bool twoLines = !lines.line2.isEmpty();
    firstLine_->setText(twoLines ? lines.line1 : QString());
    secondLine_->setText(twoLines ? lines.line2 : QString());
    singleLine_->setText(twoLines ? QString() : lines.line1);
    firstLine_->setVisible(twoLines);
    secondLine_->setVisible(twoLines);
    singleLine_->setVisible(!twoLines);
    FitToLines();
    const QString message = twoLines ? lines.line1 + QLatin1Char('\n') + lines.line2 : lines.line1;
    if (accessibleName() != message) {
        setAccessibleName(message);
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
}

void AlertWindow::showEvent(QShowEvent* event) {
    // Transient for the main window: the window manager keeps it above the main window
    // however often that is raised. Read as the native window is mapped, which follows.
    if (windowHandle() != nullptr && mainWindow_ != nullptr) {
        windowHandle()->setTransientParent(mainWindow_->windowHandle());
    }
    Activate();
    QDialog::showEvent(event);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

bool AlertWindow::eventFilter(QObject* watched, QEvent* event) {
    // The main window moved, grew or came back: the alert moves off it again.
    if (watched == mainWindow_ && isVisible() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
         event->type() == QEvent::Show || event->type() == QEvent::WindowStateChange)) {
        Place();
    }
    return QDialog::eventFilter(watched, event);
}

void AlertWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Activate();
    }
    QDialog::changeEvent(event);
}

} // namespace plimset
