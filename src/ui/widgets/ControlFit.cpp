#include "ui/widgets/ControlFit.h"

#include "text/Captions.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace plimset {

namespace {

int WidestLine(const QFontMetrics& fm, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

QSize LineEditRoom(const QLineEdit* box) {
    const QFontMetrics fm = box->fontMetrics();
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    // QLineEdit keeps two pixels each side of its text, and one more for the cursor.
    const int chrome = box->width() - contents.width() + margins.left() + margins.right() + 5;
    const int width = box->text().isEmpty() ? 0 : fm.horizontalAdvance(box->text()) + chrome;
    return {width, fm.height() + 2};
}

QSize PushButtonRoom(const QPushButton* button) {
    if (button->text().isEmpty())
        return {};
    const QFontMetrics fm = button->fontMetrics();
    const QString text = WithoutMnemonic(button->text());
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    const int lines = static_cast<int>(text.count(u'\n')) + 1;
    return {WidestLine(fm, text) + 2 * (margin + frame), lines * fm.lineSpacing() + 2 * frame + 2};
}

} // namespace

QSize TextRoom(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text().isEmpty()
                   ? QSize()
                   : label->sizeHint().expandedTo(QSize(0, label->fontMetrics().height()));
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        return PushButtonRoom(button);
    if (qobject_cast<const QCheckBox*>(control) != nullptr ||
        qobject_cast<const QRadioButton*>(control) != nullptr)
        return control->sizeHint();
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return LineEditRoom(box);
    if (const auto* list = qobject_cast<const QComboBox*>(control))
        return {list->sizeHint().width(), list->fontMetrics().height() + 4};
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        const QFontMetrics fm = group->fontMetrics();
        return {fm.horizontalAdvance(WithoutMnemonic(group->title())) + 20, fm.height()};
    }
    return {};
}

} // namespace plimset
