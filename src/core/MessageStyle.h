#pragma once

#include <QtGlobal>

namespace plimset {

// How a message box presents itself: its icon, and for a question its Yes and No buttons.
// The numbers are those the program has always passed around.
enum class MessageStyle : qint16 {
    Plain = 0,
    Critical = 16,
    Question = 36, // Yes and No, with the question icon
    Information = 64,
};

} // namespace plimset
