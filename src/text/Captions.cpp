#include "text/Captions.h"

#include "text/StringTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QMenu>
#include <QSet>
#include <QVariant>
#include <QWidget>

namespace plimset {

namespace {

// Everything in a window that may carry a caption: its widgets and every action it shows,
// whether owned by the window or only added to one of its widgets, including sub-menus that
// live outside the window's object tree and their actions.
struct Captioned {
    QList<QWidget*> Widgets;
    QList<QAction*> Actions;
};

Captioned CaptionedOf(QWidget* form) {
    Captioned all;
    all.Widgets = form->findChildren<QWidget*>();
    QSet<QWidget*> seenWidgets(all.Widgets.begin(), all.Widgets.end());
    QSet<QAction*> seenActions;

    const auto addAction = [&](QAction* action) {
        if (action == nullptr || seenActions.contains(action))
            return;
        seenActions.insert(action);
        all.Actions.append(action);
        auto* menu = action->menu<QMenu*>();
        if (menu != nullptr && !seenWidgets.contains(menu)) {
            seenWidgets.insert(menu);
            all.Widgets.append(menu);
        }
    };

    for (QAction* action : form->findChildren<QAction*>())
        addAction(action);
    for (QAction* action : form->actions())
        addAction(action);
    // The list grows while it is walked: menus found through actions are walked too.
    for (qsizetype i = 0; i < all.Widgets.size(); ++i) {
        QWidget* widget = all.Widgets.at(i);
        if (auto* menu = qobject_cast<QMenu*>(widget))
            addAction(menu->menuAction());
        for (QAction* action : widget->actions())
            addAction(action);
    }
    return all;
}

} // namespace

void SetCaption(QWidget* widget, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        // A label shows its access key only when it has a buddy to pass the key to;
        // without one it would show the marks literally.
        label->setText(label->buddy() != nullptr ? text : WithoutMnemonic(text));
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
        menu->setTitle(text);
    } else {
        return;
    }
    widget->setAccessibleName(WithoutMnemonic(text));
}

void SetTextId(QObject* object, int baseId) {
    if (object != nullptr)
        object->setProperty(TextIdProperty, baseId);
}

int TextId(const QObject* object) {
    if (object == nullptr)
        return 0;
    bool ok = false;
    const int id = object->property(TextIdProperty).toInt(&ok);
    return ok ? id : 0;
}

QString WithoutMnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&') {
            // "&&" is one literal "&"; a single "&" only marks the next character.
            if (i + 1 < text.size() && text.at(i + 1) == u'&')
                ++i;
            else
                continue;
        }
        plain.append(text.at(i));
    }
    return plain;
}

void CaptionWindow(QWidget* window, qint16 languageOffset) {
    if (window == nullptr)
        return;
    if (const int id = TextId(window); id != 0)
        window->setWindowTitle(WithoutMnemonic(LocalizedText(id, languageOffset)));

    const Captioned all = CaptionedOf(window);
    for (QWidget* widget : all.Widgets) {
        if (const int id = TextId(widget); id != 0)
            SetCaption(widget, LocalizedText(id, languageOffset));
    }
    for (QAction* action : all.Actions) {
        if (const int id = TextId(action); id != 0)
            action->setText(LocalizedText(id, languageOffset));
    }
}

} // namespace plimset
