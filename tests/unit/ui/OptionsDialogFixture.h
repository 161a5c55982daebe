#pragma once

#include "AppFixture.h"
#include "ModalDriver.h"
#include "ui/options/OptionsDialog.h"
#include "ui/options/OptionsDialogNames.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace plimset {

// The program over fakes, with its Options dialog opened from the main window's menu and
// its controls reached by their objectNames.
class OptionsDialogTest : public AppFixture {
protected:
    // Chooses the Options menu item and runs `act` while the dialog is open; a dialog that
    // `act` leaves open is closed with its close box.
    void WithDialog(const std::function<void(OptionsDialog*)>& act) {
        WhenModalOpens<OptionsDialog>([this, act](OptionsDialog* d) {
            dialog = d;
            act(d);
            if (d->isVisible())
                d->close();
        });
        Find<QAction>("MNU_Option")->trigger();
        dialog = nullptr;
    }
    template <typename T> T* In(const QString& name) const {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* Box(const QString& name) const { return In<QLineEdit>(name); }
    void Click(const QString& name) const { In<QAbstractButton>(name)->click(); }
    void TypeInto(const QString& name, const QString& keys) const {
        QLineEdit* box = Box(name);
        box->setFocus();
        for (QChar c : keys)
            QTest::keyClick(box, c.toLatin1());
    }
    void Retype(const QString& name, const QString& keys) const {
        Box(name)->selectAll();
        Box(name)->del();
        TypeInto(name, keys);
    }
    void Press(const QString& name, Qt::Key key, Qt::KeyboardModifiers modifiers) const {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(Box(name), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QCoreApplication::sendEvent(Box(name), &release);
    }
    // The names of the controls the Tab key visits, from the first one on.
    QStringList TabOrder() const {
        QStringList names;
        QWidget* first = In<QWidget>(options_names::CancelButton)->nextInFocusChain();
        QWidget* w = first;
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden())
                names << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first && names.size() < 200);
        return names;
    }

    OptionsDialog* dialog = nullptr;
};

} // namespace plimset
