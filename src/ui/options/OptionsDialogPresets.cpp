// The Options dialog's strips of preset boxes: a row of boxes in a viewport five boxes wide,
// scrolled by the bar below it when the row holds more, and following the focus.

#include "ui/options/OptionsDialog.h"

#include "ui/options/OptionsDialogControlMakers.h"
#include "ui/options/OptionsDialogNames.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollBar>

namespace plimset {

using namespace options_controls;
namespace names = options_names;

namespace {

// The preset boxes a strip shows at a time; more scroll.
constexpr int VisiblePresetBoxes = 5;

// Shows a strip of preset boxes, so many of them at a time; the strip scrolls beneath.
class StripViewport : public QWidget {
public:
    explicit StripViewport(QWidget* parent)
        : QWidget(parent), strip_(new QWidget(this)), row_(new QHBoxLayout(strip_)) {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        row_->setContentsMargins({});
        row_->setSizeConstraint(QLayout::SetFixedSize);
    }
    QWidget* Strip() const { return strip_; }
    QHBoxLayout* BoxRow() const { return row_; }
    // The distance from one box's left to the next one's.
    int Step() const { return row_->itemAt(0)->sizeHint().width() + row_->spacing(); }
    QSize sizeHint() const override {
        return {VisiblePresetBoxes * Step() - row_->spacing(),
                row_->itemAt(0)->sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    QWidget* strip_;
    QHBoxLayout* row_;
};

} // namespace

// A strip of preset boxes in a viewport five boxes wide, scrolled by the bar below it
// when it holds more.
void OptionsDialog::CreatePresetStrip(bool alarm, QVBoxLayout* layout, BoxFilter filter) {
    QWidget* group = alarm ? alarmGroup_ : countDownGroup_;
    const int maxLength = alarm ? 3 : 5;
    const int count = qMax<int>(1, options_.presetSlots);
    auto* viewport = new StripViewport(group);
    viewport->setObjectName(QLatin1String(alarm ? names::AlarmViewport : names::CountDownViewport));
    QWidget* strip = viewport->Strip();
    strip->setObjectName(QLatin1String(alarm ? names::AlarmStrip : names::CountDownStrip));
    std::vector<QLineEdit*>& boxes = alarm ? alarmBoxes_ : countDownBoxes_;
    for (int i = 0; i < count; ++i) {
        // Both strips' boxes alike, as wide as a time takes.
        auto* b = new NumberBox(strip, 5);
        b->setObjectName(alarm ? names::AlarmPresetBox(i) : names::CountDownPresetBox(i));
        InstallBoxRule(b, filter, maxLength);
        b->installEventFilter(this);
        viewport->BoxRow()->addWidget(b);
        boxes.push_back(b);
    }
    viewport->BoxRow()->activate();

    auto* scroll = new QScrollBar(Qt::Horizontal, group);
    scroll->setObjectName(QLatin1String(alarm ? names::AlarmScroll : names::CountDownScroll));
    // The keyboard reaches every box by Tab; the strip follows the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    const int shown = viewport->sizeHint().width();
    scroll->setFixedWidth(shown);
    KeepRoom(scroll);
    if (strip->width() > shown) {
        scroll->setRange(0, strip->width() - shown);
        scroll->setSingleStep(viewport->Step());
        scroll->setPageStep(shown);
    } else {
        scroll->hide();
    }
    connect(scroll, &QScrollBar::valueChanged, strip,
            [strip](int value) { strip->move(-value, 0); });
    layout->addWidget(viewport);
    layout->addWidget(scroll);
    (alarm ? alarmStrip_ : countDownStrip_) = strip;
    (alarm ? alarmScroll_ : countDownScroll_) = scroll;
}

void OptionsDialog::ScrollIntoView(QLineEdit* box) {
    const bool alarm = box->parentWidget() == alarmStrip_;
    QScrollBar* scroll = alarm ? alarmScroll_ : countDownScroll_;
    if (scroll->isHidden() || (!alarm && box->parentWidget() != countDownStrip_))
        return;
    const int viewport = box->parentWidget()->parentWidget()->width();
    if (box->x() < scroll->value())
        scroll->setValue(box->x());
    else if (box->geometry().right() + 1 > scroll->value() + viewport)
        scroll->setValue(box->geometry().right() + 1 - viewport);
}

} // namespace plimset
