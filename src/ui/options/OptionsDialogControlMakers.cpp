#include "ui/options/OptionsDialogControlMakers.h"

#include "text/Captions.h"

#include <QFontMetrics>

namespace plimset::options_controls {

NumberBox::NumberBox(QWidget* parent, int characters) : QLineEdit(parent), characters_(characters) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize NumberBox::sizeHint() const {
    // QLineEdit's own hint is room for 17 'x'; this box needs room for its digits.
    QSize size = QLineEdit::sizeHint();
    const QFontMetrics fm = fontMetrics();
    size.rwidth() +=
        fm.horizontalAdvance(QString(characters_, u'0')) - 17 * fm.horizontalAdvance(u'x') + 2;
    return size;
}

QWidget* NameControl(QWidget* control, const char* name, const char* caption) {
    control->setObjectName(QLatin1String(name));
    if (caption != nullptr)
        SetCaptionSource(control, "OptionsDialog", caption);
    return control;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption) {
    return Named(new QLabel(parent), name, caption);
}

QLineEdit* Box(QWidget* parent, const char* name, int maxLength, BoxFilter filter) {
    auto* box = Named(new NumberBox(parent, maxLength), name);
    InstallBoxRule(box, filter, maxLength);
    return box;
}

QLineEdit* TextBox(QWidget* parent, const char* name, int maxLength) {
    auto* box = Named(new QLineEdit(parent), name);
    InstallBoxRule(box, BoxFilter::None, maxLength);
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = Named(new QPushButton(parent), name, caption);
    button->setAutoDefault(false);
    return button;
}

QPushButton* PictureButton(QWidget* parent, const char* name, const QWidget* beside) {
    auto* button = Button(parent, name, nullptr);
    const int side = beside->sizeHint().height();
    button->setFixedSize(side, side);
    return button;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption) {
    return Named(new QCheckBox(parent), name, caption);
}

QHBoxLayout* Row(std::initializer_list<QWidget*> controls) {
    auto* row = new QHBoxLayout;
    for (QWidget* c : controls) {
        if (c != nullptr)
            row->addWidget(c);
        else
            row->addStretch(1);
    }
    return row;
}

void KeepRoom(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
}

} // namespace plimset::options_controls
