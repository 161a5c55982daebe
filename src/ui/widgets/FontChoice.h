#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QWidget;

namespace plimset {

// A font as the program carries and stores it. The flags are -1 (true) or 0; Color is the
// text colour as stored in the settings file (see ColorToInt).
struct FontDescription {
    QString Name;
    double Size = 9;
    qint16 Bold = 0, Italic = 0, Underline = 0, Strikethrough = 0;
    qint32 Color = 0;
};

// The point sizes the font dialog lets the user choose.
inline constexpr double MinFontDialogSize = 8;
inline constexpr double MaxFontDialogSize = 24;

// Copies face, size, weight, italic, underline and strikethrough from one font to another.
void CopyFont(const QFont& source, QFont& target);

// Which way TransferFont copies.
enum class FontTransfer : qint16 {
    FromFont = 1, // the font into the record
    ToFont = 2,   // the record into the font
};

// Copies between a font and its record; Color is never touched.
void TransferFont(QFont& font, FontDescription& description, FontTransfer direction);

// Lets the user choose face, size (8 to 24 points), style, effects and text colour, starting
// from the record. 0 when confirmed (the record holds the choice), -1 when cancelled (the
// record is unchanged). Bold comes back 0 only for exactly normal weight.
qint16 ChooseFontDialog(QWidget* owner, FontDescription& description);

// Reads a font chosen in the font dialog into the record: face, size held to 8 to 24
// points, Bold 0 only for exactly normal weight (-1 for any other, light ones included),
// the three other flags. Color is not touched.
void ReadChosenFont(const QFont& chosen, FontDescription& description);

// Lets the user choose a colour, starting from initialColor; custom colours start black at
// every opening. The chosen colour (stored form), or -1 when cancelled.
qint32 ChooseColorDialog(QWidget* owner, qint32 initialColor);

// Colours are stored as the settings file has them: 0x00BBGGRR, red in the lowest byte.
// Values with the top bit set (0x800000nn) name a desktop colour, such as 0x80000008 for
// window text and 0x80000005 for a text field's background.
qint32 ColorToInt(const QColor& color);
QColor IntToColor(qint32 value, const QPalette& palette);

} // namespace plimset
