#pragma once

// A window read whole: every control's text fits the room the style gives it, and no two
// visible controls side by side in one parent overlap. Measured through the style's own
// content rectangles, independently of how the windows size their controls.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

#include <functional>
#include <string>

namespace plimset {

// The width of the room a control gives its text, and the width the text takes; a room of
// -1 means the control shows no text.
struct TextAndRoom {
    int text = 0;
    int room = -1;
};

inline TextAndRoom MeasureText(const QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    QStyle* style = w->style();
    // A caption's widest line, without its access-key marks.
    const auto caption = [&fm](QString text, int room) -> TextAndRoom {
        if (text.isEmpty())
            return {};
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
            .remove(u'&')
            .replace(u'\x01', u'&');
        int widest = 0;
        for (const QString& line : text.split(u'\n'))
            widest = qMax(widest, fm.horizontalAdvance(line));
        return {widest, room};
    };
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        // A wrapping label must be high enough for its lines at its width.
        if (label->wordWrap() && !label->text().isEmpty())
            return {label->heightForWidth(label->width()), label->height()};
        return caption(label->text(), label->contentsRect().width());
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QStyle::SubElement contents =
            qobject_cast<const QCheckBox*>(w)      ? QStyle::SE_CheckBoxContents
            : qobject_cast<const QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                   : QStyle::SE_PushButtonContents;
        return caption(button->text(), style->subElementRect(contents, &option, w).width());
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(w)) {
        if (box->text().isEmpty())
            return {};
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        const QRect contents = style->subElementRect(QStyle::SE_LineEditContents, &option, box);
        const QMargins margins = box->textMargins();
        // QLineEdit keeps two pixels clear on each side of its text.
        return {fm.horizontalAdvance(box->text()),
                contents.width() - margins.left() - margins.right() - 4};
    }
    if (const auto* list = qobject_cast<const QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = list->isEditable();
        int widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = qMax(widest, fm.horizontalAdvance(list->itemText(i)));
        return {widest,
                style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, w)
                    .width()};
    }
    // A group's title starts a few pixels in from the frame's corner.
    if (const auto* group = qobject_cast<const QGroupBox*>(w))
        return caption(group->title(), group->width() - 8);
    return {};
}

// What a reader could not read in `window`: one line per fault, naming the control; empty
// when the window reads whole.
// `scrolls` names the controls whose content scrolls on purpose (a strip of boxes, a long
// path): their contents may be wider than they are, and a text box among them must show
// the start of its text.
inline std::string LayoutFaults(const QWidget* window,
                                const std::function<bool(const QWidget*)>& scrolls = {}) {
    QStringList faults;
    const auto name = [](const QWidget* w) {
        return QStringLiteral("%1 (%2)").arg(w->objectName(), w->metaObject()->className());
    };
    const std::function<void(const QWidget*)> walk = [&](const QWidget* parent) {
        QList<const QWidget*> shown;
        for (const QObject* o : parent->children()) {
            const auto* w = qobject_cast<const QWidget*>(o);
            if (w != nullptr && !w->isWindow() && w->isVisibleTo(window))
                shown << w;
        }
        const bool scrolling = scrolls && scrolls(parent);
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QWidget* w = shown[i];
            if (!scrolling && !parent->rect().contains(w->geometry()))
                faults << name(w) + QStringLiteral(" reaches out of ") + name(parent);
            for (qsizetype k = i + 1; k < shown.size(); ++k) {
                if (w->geometry().intersects(shown[k]->geometry()))
                    faults << name(w) + QStringLiteral(" overlaps ") + name(shown[k]);
            }
            if (scrolls && scrolls(w)) {
                if (const auto* box = qobject_cast<const QLineEdit*>(w);
                    box != nullptr && box->cursorPosition() != 0)
                    faults << name(w) + QStringLiteral(" does not show its start");
            } else {
                const TextAndRoom m = MeasureText(w);
                if (m.room >= 0 && m.text > m.room)
                    faults << name(w) +
                                  QStringLiteral(" needs %1 px, has %2").arg(m.text).arg(m.room);
                if (m.room >= 0 && qobject_cast<const QGroupBox*>(w) == nullptr &&
                    w->height() < w->fontMetrics().height())
                    faults << name(w) + QStringLiteral(" is lower than its text");
            }
            if (qobject_cast<const QGroupBox*>(w) != nullptr ||
                w->metaObject() == &QWidget::staticMetaObject)
                walk(w);
        }
    };
    walk(window);
    return faults.join(u'\n').toStdString();
}

// How many of a menu bar's titles show whole; the others wait behind its extension.
inline int MenuTitlesShown(const QMenuBar* bar) {
    const auto* more = bar->findChild<const QWidget*>(QStringLiteral("qt_menubar_ext_button"));
    int shown = 0;
    for (QAction* title : bar->actions()) {
        const QRect r = bar->actionGeometry(title);
        shown += bar->rect().contains(r) &&
                 (more == nullptr || !more->isVisible() || !r.intersects(more->geometry()));
    }
    return shown;
}

} // namespace plimset
