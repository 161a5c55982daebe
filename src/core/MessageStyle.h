#pragma once

#include <QtGlobal>

namespace plimset {

// How a message box presents itself: its icon, and for a question its Yes and No buttons.
// Each value adds an icon code (16 critical, 32 question, 64 information) to a button code
// (0 OK, 4 Yes and No).
enum class MessageStyle : qint16 {
    Plain = 0,
    Critical = 16,
    Question = 36, // Yes and No, with the question icon
    Information = 64,
};

} // namespace plimset
