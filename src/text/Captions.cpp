#include "text/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
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

// The caption an object's source text has in the installed language, or "" for an object
// without one.
QString TranslatedCaption(const QObject* object) {
    const QByteArray source = object->property(CaptionSourceProperty).toByteArray();
    if (source.isEmpty())
        return QString();
    const QByteArray context = object->property(CaptionContextProperty).toByteArray();
    return QCoreApplication::translate(context.constData(), source.constData());
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

void SetCaptionSource(QObject* object, const char* context, const char* source) {
    if (object == nullptr)
        return;
    object->setProperty(CaptionContextProperty, QByteArray(context));
    object->setProperty(CaptionSourceProperty, QByteArray(source));
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

void CaptionWindow(QWidget* window) {
    if (window == nullptr)
        return;
    if (const QString title = TranslatedCaption(window); !title.isEmpty())
        window->setWindowTitle(WithoutMnemonic(title));

    const Captioned all = CaptionedOf(window);
    for (QWidget* widget : all.Widgets) {
        if (const QString text = TranslatedCaption(widget); !text.isEmpty())
            SetCaption(widget, text);
    }
    for (QAction* action : all.Actions) {
        if (const QString text = TranslatedCaption(action); !text.isEmpty())
            action->setText(text);
    }
}

} // namespace plimset
