#include "ui/widgets/ControlFit.h"

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
#include <vector>

namespace plimset {

namespace {

// Room between a control and the one that follows it in a row, pixels.
constexpr int RowGap = 4;
// A control counts as above another when it ends no further than this below the other's
// top (designs let neighbours touch or overlap by a hair).
constexpr int AboveTolerance = 4;

QString WithoutMnemonic(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

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

bool IsContainer(const QWidget* w) {
    return qobject_cast<const QGroupBox*>(w) != nullptr ||
           w->metaObject() == &QWidget::staticMetaObject;
}

struct Placed {
    QWidget* control;
    QRect design; // where the window put it
    QSize size;   // what it needs
    QPoint at;    // where it goes
    bool isLabel;
    int right() const { return at.x() + size.width(); }
    int bottom() const { return at.y() + size.height(); }
};

bool OverlapsVertically(const QRect& a, const QRect& b) {
    return a.top() < b.top() + b.height() && b.top() < a.top() + a.height();
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

QSize FitControlsToText(QWidget* container, const FitExceptions& exceptions) {
    std::vector<Placed> placed;
    int designRight = 0;
    int designBottom = 0;
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w == nullptr || w->isWindow())
            continue;
        if (exceptions.takesNoRoom && exceptions.takesNoRoom(w))
            continue;
        const QRect design = w->geometry();
        QSize size = design.size();
        const bool kept = exceptions.keepsSize && exceptions.keepsSize(w);
        if (!kept) {
            if (IsContainer(w) && !w->children().isEmpty())
                size = size.expandedTo(FitControlsToText(w, exceptions));
            size = size.expandedTo(TextRoom(w));
        }
        placed.push_back({w, design, size, design.topLeft(), qobject_cast<QLabel*>(w) != nullptr});
        designRight = std::max(designRight, design.left() + design.width());
        designBottom = std::max(designBottom, design.top() + design.height());
    }

    // Controls designed alike in one column (groups, buttons, check boxes) stay alike.
    for (Placed& p : placed) {
        for (const Placed& q : placed) {
            if (!p.isLabel && !q.isLabel && p.design.left() == q.design.left() &&
                p.design.width() == q.design.width())
                p.size.setWidth(std::max(p.size.width(), q.size.width()));
        }
    }

    // Left to right: a control moves right past every grown neighbour designed before it
    // in its row; controls designed with the same left move together.
    std::vector<size_t> byLeft(placed.size());
    for (size_t i = 0; i < byLeft.size(); ++i)
        byLeft[i] = i;
    std::stable_sort(byLeft.begin(), byLeft.end(), [&](size_t a, size_t b) {
        return placed[a].design.left() < placed[b].design.left();
    });
    for (size_t first = 0; first < byLeft.size();) {
        size_t last = first;
        const int columnLeft = placed[byLeft[first]].design.left();
        while (last < byLeft.size() && placed[byLeft[last]].design.left() == columnLeft)
            ++last;
        int left = columnLeft;
        for (size_t k = first; k < last; ++k) {
            const Placed& c = placed[byLeft[k]];
            for (size_t m = 0; m < first; ++m) {
                const Placed& j = placed[byLeft[m]];
                // Designed further left and not reaching past its right edge: a panel
                // that spans the control (one shown in its place) is not before it.
                const bool before =
                    j.design.left() < c.design.left() &&
                    j.design.left() + j.design.width() <= c.design.left() + c.design.width();
                if (before && OverlapsVertically(j.design, c.design))
                    left = std::max(left, j.right() + RowGap);
            }
        }
        for (size_t k = first; k < last; ++k)
            placed[byLeft[k]].at.setX(left);
        first = last;
    }

    // Top to bottom: a control moves down past every neighbour above it that now reaches
    // it; a label in a row with a taller control stays centred on that control.
    std::vector<size_t> byTop(placed.size());
    for (size_t i = 0; i < byTop.size(); ++i)
        byTop[i] = i;
    std::stable_sort(byTop.begin(), byTop.end(), [&](size_t a, size_t b) {
        return placed[a].design.top() < placed[b].design.top();
    });
    // The control each label sits beside: one designed around it, vertically.
    std::vector<int> partnerOf(placed.size(), -1);
    for (size_t k = 0; k < byTop.size(); ++k) {
        const Placed& label = placed[byTop[k]];
        if (!label.isLabel)
            continue;
        for (size_t m = 0; m < k; ++m) {
            const Placed& j = placed[byTop[m]];
            if (!j.isLabel && j.design.top() <= label.design.top() &&
                j.design.top() + j.design.height() >= label.design.top() + label.design.height())
                partnerOf[byTop[k]] = static_cast<int>(byTop[m]);
        }
    }
    // The lowest top at which `c` clears the neighbours above it placed so far (the first
    // `placedSoFar` in top order).
    const auto clearedTop = [&](const Placed& c, size_t placedSoFar) {
        int top = c.design.top();
        for (size_t m = 0; m < placedSoFar; ++m) {
            const Placed& j = placed[byTop[m]];
            const bool above =
                j.design.top() < c.design.top() &&
                j.design.top() + j.design.height() <= c.design.top() + AboveTolerance;
            const bool sideBySide = j.at.x() < c.right() && c.at.x() < j.right();
            if (above && sideBySide)
                top = std::max(top, j.bottom());
        }
        return top;
    };
    const auto labelOffset = [](const Placed& partner, const Placed& label) {
        return (partner.size.height() - label.size.height()) / 2;
    };
    for (size_t k = 0; k < byTop.size(); ++k) {
        Placed& c = placed[byTop[k]];
        if (partnerOf[byTop[k]] >= 0) {
            const Placed& partner = placed[static_cast<size_t>(partnerOf[byTop[k]])];
            c.at.setY(partner.at.y() + labelOffset(partner, c));
            continue;
        }
        int top = clearedTop(c, k);
        // Its labels must clear what lies above them too (when something reaches them).
        for (size_t i = 0; i < placed.size(); ++i) {
            if (partnerOf[i] != static_cast<int>(byTop[k]))
                continue;
            const int labelTop = clearedTop(placed[i], k);
            if (labelTop > placed[i].design.top())
                top = std::max(top, labelTop - labelOffset(c, placed[i]));
        }
        c.at.setY(top);
    }

    const QSize design = container->size();
    const int rightMargin = std::max(0, design.width() - designRight);
    const int bottomMargin = std::max(0, design.height() - designBottom);
    QSize needed = design;
    for (Placed& p : placed) {
        p.control->setGeometry(QRect(p.at, p.size));
        needed = needed.expandedTo(QSize(p.right() + rightMargin, p.bottom() + bottomMargin));
    }
    return needed;
}

} // namespace plimset
