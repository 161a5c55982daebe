#pragma once

// The makers of the Options dialog's controls: each names its control, captions it from the
// dialog's catalogue context and gives boxes their input rule.

#include "ui/options/BoxInput.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>

namespace plimset::options_controls {

// A box as wide as the most characters it takes, in its own font.
class NumberBox : public QLineEdit {
public:
    NumberBox(QWidget* parent, int characters);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    int characters_;
};

// Names a control and, with a caption, gives it its source text in the dialog's context.
QWidget* NameControl(QWidget* control, const char* name, const char* caption);

template <typename Control>
Control* Named(Control* control, const char* name, const char* caption = nullptr) {
    NameControl(control, name, caption);
    return control;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption);
QLineEdit* Box(QWidget* parent, const char* name, int maxLength, BoxFilter filter);
QLineEdit* TextBox(QWidget* parent, const char* name, int maxLength);
QPushButton* Button(QWidget* parent, const char* name, const char* caption);
// A button that shows only its picture, as high as the box beside it and square.
QPushButton* PictureButton(QWidget* parent, const char* name, const QWidget* beside);
QCheckBox* Check(QWidget* parent, const char* name, const char* caption);
// A row of controls; a null entry stretches.
QHBoxLayout* Row(std::initializer_list<QWidget*> controls);
// Keeps its room when hidden, so that showing and hiding it leaves the rest in place.
void KeepRoom(QWidget* control);

} // namespace plimset::options_controls
