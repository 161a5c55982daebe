#include "alerts/AlertWindow.h"

#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "desktop/ControlFit.h"
#include "desktop/Twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace plimset {

namespace {

// Screen readers announce the window as an alert: its role says so and its name is the
// message.
QAccessibleInterface* AlertAccessible(const QString& key, QObject* object) {
    if (key == QLatin1String(AlertWindow::staticMetaObject.className()) && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    }
    return nullptr;
}

int Pixels(double twips, double tpp) {
    return static_cast<int>(std::lround(twips / tpp));
}

QRect PixelRect(const TwipRect& r, double tppX, double tppY) {
    return QRect(Pixels(r.left, tppX), Pixels(r.top, tppY), Pixels(r.width, tppX),
                 Pixels(r.height, tppY));
}

} // namespace

AlertWindow::AlertWindow(const OptionSettings& options, const AppState& state,
                         std::function<qint16()> languageOffset, QWidget* mainWindow)
    // A small tool window with no title bar and no buttons, above ordinary windows, that
    // never takes the keyboard away from the window the user works in.
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      options_(options), state_(state), languageOffset_(std::move(languageOffset)),
      mainWindow_(mainWindow) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(AlertAccessible);
        return true;
    }();
    (void)factoryInstalled;

    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QString());
    setModal(false);

    const QScreen* screen = mainWindow_ != nullptr ? mainWindow_->screen() : nullptr;
    tppX_ = TwipsPerPixelX(screen);
    tppY_ = TwipsPerPixelY(screen);
    layout_ = AlertWindowLayoutFor(options_.MessageBoxSize);

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setGeometry(PixelRect(layout_.frame, tppX_, tppY_));
    QFont font = this->font();
    font.setPointSizeF(layout_.labelPointSize);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(frame_);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label->setFont(font);
        label->setGeometry(PixelRect(layout_.labels[i], tppX_, tppY_));
        labels_[i] = label;
    }
    labels_[2]->hide();
    FitToLines();
}

void AlertWindow::FitToLines() {
    // A line wider than the designed label (a wider font than the design's) widens the
    // labels, the frame and the window alike, so that everything stays centred.
    int widest = 0;
    for (const QLabel* label : labels_) {
        if (!label->isHidden())
            widest = std::max(widest, TextRoom(label).width());
    }
    const int labelWidth = Pixels(layout_.labels[0].width, tppX_);
    const int extra = std::max(0, widest - labelWidth);
    QRect frame = PixelRect(layout_.frame, tppX_, tppY_);
    frame.setWidth(frame.width() + extra);
    frame_->setGeometry(frame);
    std::array<QRect, 3> rects;
    for (size_t i = 0; i < labels_.size(); ++i) {
        rects[i] = PixelRect(layout_.labels[i], tppX_, tppY_);
        rects[i].setWidth(rects[i].width() + extra);
    }
    // Scaled up, the two lines' labels reach into each other: each keeps its centre and
    // only the height its line needs.
    if (rects[0].bottom() >= rects[1].top()) {
        for (size_t i : {size_t{0}, size_t{1}}) {
            const int height = std::min(rects[i].height(), TextRoom(labels_[i]).height() + 2);
            const int centre = rects[i].center().y();
            rects[i].setTop(centre - height / 2);
            rects[i].setHeight(height);
        }
    }
    for (size_t i = 0; i < labels_.size(); ++i)
        labels_[i]->setGeometry(rects[i]);
    setFixedSize(Pixels(layout_.width, tppX_) + extra, Pixels(layout_.height, tppY_));
    Centre();
}

void AlertWindow::Centre() {
    const QScreen* screen = mainWindow_ != nullptr ? mainWindow_->screen() : this->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    // The outer size, frame included once the window manager has given it one.
    const QSize outer = isVisible() ? frameGeometry().size() : size();
    const long left = CentredOrigin(area.width() * tppX_, outer.width() * tppX_);
    const long top = CentredOrigin(area.height() * tppY_, outer.height() * tppY_);
    move(area.left() + Pixels(static_cast<double>(left), tppX_),
         area.top() + Pixels(static_cast<double>(top), tppY_));
}

void AlertWindow::Activate() {
    const AlertLines lines = AlertLinesFor(options_, state_.CurMode, languageOffset_());
    const bool twoLines = !lines.line2.isEmpty();
    labels_[0]->setText(twoLines ? lines.line1 : QString());
    labels_[1]->setText(twoLines ? lines.line2 : QString());
    labels_[2]->setText(twoLines ? QString() : lines.line1);
    labels_[0]->setVisible(twoLines);
    labels_[1]->setVisible(twoLines);
    labels_[2]->setVisible(!twoLines);
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

void AlertWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Activate();
    }
    QDialog::changeEvent(event);
}

} // namespace plimset
