#include "alerts/AlertWindow.h"

#include "alerts/AlertWindowNames.h"
#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "desktop/Twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>

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
                         qint16 languageOffset, QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      options_(options), state_(state), languageOffset_(languageOffset), mainWindow_(mainWindow) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(AlertAccessible);
        return true;
    }();
    (void)factoryInstalled;

    setObjectName(QLatin1String(AlertWindowNames::Window));
    setWindowTitle(QString());
    setModal(false);

    const QScreen* screen = mainWindow_ != nullptr ? mainWindow_->screen() : nullptr;
    tppX_ = TwipsPerPixelX(screen);
    tppY_ = TwipsPerPixelY(screen);
    layout_ = AlertWindowLayoutFor(options_.MessageBoxSize);

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QLatin1String(AlertWindowNames::Frame));
    frame_->setGeometry(PixelRect(layout_.frame, tppX_, tppY_));
    QFont font = this->font();
    font.setPointSizeF(layout_.labelPointSize);
    const auto makeLabel = [&](const char* name, const TwipRect& place) {
        auto* label = new QLabel(frame_);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label->setFont(font);
        label->setGeometry(PixelRect(place, tppX_, tppY_));
        return label;
    };
    firstLine_ = makeLabel(AlertWindowNames::FirstLineLabel, layout_.firstLine);
    secondLine_ = makeLabel(AlertWindowNames::SecondLineLabel, layout_.secondLine);
    singleLine_ = makeLabel(AlertWindowNames::SingleLineLabel, layout_.singleLine);
    singleLine_->hide();
    setFixedSize(Pixels(layout_.width, tppX_), Pixels(layout_.height, tppY_));
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
    Centre();
    const AlertLines lines = AlertLinesFor(options_, state_.CurMode, languageOffset_);
    const bool twoLines = !lines.line2.isEmpty();
    firstLine_->setText(twoLines ? lines.line1 : QString());
    secondLine_->setText(twoLines ? lines.line2 : QString());
    singleLine_->setText(twoLines ? QString() : lines.line1);
    firstLine_->setVisible(twoLines);
    secondLine_->setVisible(twoLines);
    singleLine_->setVisible(!twoLines);
    const QString message = twoLines ? lines.line1 + QLatin1Char('\n') + lines.line2 : lines.line1;
    if (accessibleName() != message) {
        setAccessibleName(message);
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
}

void AlertWindow::showEvent(QShowEvent* event) {
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
