// The main window's keys: the time field's filter and typing limit, Ctrl+A, and the
// access keys that a menu title and a button share.

#include "ui/main/MainWindow.h"

#include "core/OptionSettings.h"
#include "core/TimeFieldKeys.h"
#include "core/TimerEngine.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QValidator>

namespace plimset {

namespace {

// Holds what the user types or pastes to the typing limit, while a longer text that the
// program sets (a stopwatch at its maximum, a long command-line text) stays whole. The
// validator only rejects an edit that makes an over-long text longer still.
class TypingLimit : public QValidator {
public:
    TypingLimit(const int& limit, QLineEdit* field) : QValidator(field), limit_(limit) {
        connect(field, &QLineEdit::textChanged, this, [this](const QString& t) { last_ = t; });
    }
    State validate(QString& input, int&) const override {
        return input.size() > limit_ && input.size() > last_.size() ? Invalid : Acceptable;
    }

private:
    const int& limit_;
    QString last_;
};

} // namespace

QValidator* MainWindow::MakeTypingLimit(const int& limit, QLineEdit* field) {
    return new TypingLimit(limit, field);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut && (watched == menuBar() || watched == actionButton_) &&
        ClickForAccessKey(static_cast<QShortcutEvent*>(event)->key()))
        return true;
    if (watched == timeField_) {
        if (event->type() == QEvent::KeyPress && !forwardingKey_)
            return FilterTimeFieldKeyPress(static_cast<QKeyEvent*>(event));
        // A running count cannot be edited: the focus moves on to the action button.
        if (event->type() == QEvent::FocusIn && engine_->CurrentRunState() == RunState::Running)
            QMetaObject::invokeMethod(this, &MainWindow::FocusActionButton, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::ClickForAccessKey(const QKeySequence& key) {
    // Where a menu title and a button share an access key, the shortcut is ambiguous: the
    // menu would open (or, disabled, do nothing) and the button would only take the
    // focus. The key is the button's, as its underlined letter promises.
    if (accessKey_->isEnabled() && accessKey_->key() == key) {
        engine_->PressActionAccessKey();
        return true;
    }
    if (actionButton_->isVisible() && actionButton_->isEnabled() &&
        QKeySequence::mnemonic(actionButton_->text()) == key) {
        actionButton_->animateClick();
        return true;
    }
    return false;
}

bool MainWindow::FilterTimeFieldKeyPress(QKeyEvent* event) {
    // The window sees Ctrl+A before the field: it selects the whole text, as it does
    // wherever the focus is.
    if (event->key() == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
        SelectWholeTimeText();
        return true;
    }
    const QString typed = event->text();
    // Keys without a character, and Delete (which some platforms give the DEL code),
    // edit or move as usual.
    if (typed.isEmpty() || event->key() == Qt::Key_Delete)
        return false;
    const bool clockStyle =
        state_.mode == TimerMode::Alarm || options_.timeSeparator == TimeSeparator::Colon;
    QString accepted;
    for (QChar c : typed) {
        const QChar kept = FilterTimeFieldKey(c, clockStyle);
        if (kept.isNull())
            return true;
        accepted.append(kept);
    }
    // The limit holds for typing only: a text the program sets may be longer.
    const qsizetype kept = timeField_->text().size() - timeField_->selectedText().size();
    if (kept + accepted.size() > typingLimit_ && accepted.front().unicode() > 26)
        return true;
    if (accepted == typed)
        return false;
    // "." typed for ":": hand the field the key it should have had.
    QKeyEvent replacement(QEvent::KeyPress, Qt::Key_Colon, event->modifiers(), accepted);
    forwardingKey_ = true;
    QCoreApplication::sendEvent(timeField_, &replacement);
    forwardingKey_ = false;
    return true;
}

void MainWindow::SelectWholeTimeText() {
    timeField_->setSelection(0, static_cast<int>(timeField_->text().size()));
    timeField_->setFocus(Qt::ShortcutFocusReason);
}

} // namespace plimset
