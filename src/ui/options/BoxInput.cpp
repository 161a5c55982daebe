#include "ui/options/BoxInput.h"

#include <QLineEdit>
#include <QValidator>

namespace plimset {

namespace {

// Compares the new text with the last one the box showed: what was put in between the
// common start and end is what the user entered, and only that is filtered.
class BoxRule : public QValidator {
public:
    BoxRule(BoxFilter filter, int maxLength, QLineEdit* box)
        : QValidator(box), filter_(filter), maxLength_(maxLength) {
        connect(box, &QLineEdit::textChanged, this, [this](const QString& t) { last_ = t; });
    }

    State validate(QString& input, int& pos) const override {
        if (programText_)
            return Acceptable;
        const qsizetype shorter = qMin(input.size(), last_.size());
        qsizetype head = 0;
        while (head < shorter && input[head] == last_[head])
            ++head;
        qsizetype tail = 0;
        while (tail < shorter - head &&
               input[input.size() - 1 - tail] == last_[last_.size() - 1 - tail])
            ++tail;
        QString entered = FilterInputText(input.mid(head, input.size() - head - tail), filter_);
        if (maxLength_ > 0) {
            // A longer text the program set may be edited, but never made longer.
            const qsizetype limit = qMax<qsizetype>(maxLength_, last_.size());
            entered.truncate(qMax<qsizetype>(0, limit - head - tail));
        }
        input = input.left(head) + entered + input.right(tail);
        pos = static_cast<int>(head + entered.size());
        return Acceptable;
    }

    bool programText_ = false;

private:
    BoxFilter filter_;
    int maxLength_;
    QString last_;
};

} // namespace

void InstallBoxRule(QLineEdit* box, BoxFilter filter, int maxLength) {
    box->setValidator(new BoxRule(filter, maxLength, box));
}

void SetBoxText(QLineEdit* box, const QString& text) {
    auto* rule = const_cast<BoxRule*>(dynamic_cast<const BoxRule*>(box->validator()));
    if (rule != nullptr)
        rule->programText_ = true;
    box->setText(text);
    // A text longer than the box shows its start.
    box->setCursorPosition(0);
    if (rule != nullptr)
        rule->programText_ = false;
}

} // namespace plimset
