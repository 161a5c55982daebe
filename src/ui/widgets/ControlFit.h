#pragma once

#include <QSize>

#include <functional>

class QWidget;

namespace plimset {

// The least size a control needs to show its text whole in its current font: a label's,
// a check box's, a button's caption, a text box's text, a list's longest item. Controls
// without text (picture buttons, scroll bars, panels) need no more than they have.
QSize TextRoom(const QWidget* control);

// What the fitting leaves alone.
struct FitExceptions {
    // Keeps its size and is not entered (a scrolling strip, a box whose text scrolls).
    std::function<bool(const QWidget*)> keepsSize;
    // Takes no room at all (a control hidden for the window's whole life).
    std::function<bool(const QWidget*)> takesNoRoom;
};

// Grows the controls inside `container`, and the groups and panels that hold them, to the
// room their texts need, keeping the arrangement the window was designed with: a control
// keeps its place unless a neighbour that grew would reach it; it then moves right (or
// down) just past that neighbour; controls that were designed in one column (same left)
// stay in one column, and those designed alike there (same width) keep one width. A label
// beside a taller control stays centred on it.
// Returns the size the container needs (never smaller than it was); the container
// itself is not resized.
QSize FitControlsToText(QWidget* container, const FitExceptions& exceptions = {});

} // namespace plimset
