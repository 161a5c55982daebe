#pragma once

#include "core/OptionSettings.h"
#include "core/TimeText.h"

#include <QLocale>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace plimset {

// The pure rules of the Options dialog: what its boxes accept, how numbers are shown, and
// how a hotkey is captured as text.

// What a box of the dialog lets in.
enum class BoxFilter : int {
    None = 0,    // free text
    Digits = 1,  // "0".."9"
    Decimal = 2, // digits and "."
    Colon = 3,   // digits and ":"; a typed "." becomes ":"
};

// The filter of the boxes that hold a time value: "." or ":" as the separator.
BoxFilter TimeBoxFilter(TimeSeparator separator);

// One typed character code through a box's filter: the code to insert, or 0 to swallow
// it. Control codes up to 26 (Backspace, the Ctrl+letter keys) pass in every mode.
int FilterKey(int code, BoxFilter mode);

// Text that reaches a box by any other way (pasted, dropped, committed by an input
// method) through the same rule, character by character: full-width digits and
// separators become their ASCII forms first, control characters and every character the
// filter swallows are left out. Free-text boxes take the text as it is.
QString FilterInputText(const QString& text, BoxFilter mode);

// A number for a box: a whole number without separators (0 as the empty text), else
// with `decimals` places after the point, ":" for the point with the colon as the separator
// (3.5 with 2 decimals: "3.50" or "3:50"). The value is read as its shortest single-
// precision text, so 0.03 stays 0.03.
QString FormatSettingNumber(float value, int decimals, TimeSeparator separator);

// A whole number as the boxes show it: no separators, 0 as the empty text.
QString FormatWholeNumber(double value);

// An item of the maximum string length list: "6 (Max1,000min)", with the locale's
// thousands separator; length 8 with ":" as the separator reads "8 (Max6,000min) [H:M:S]".
QString MaxLengthItemText(int length, TimeSeparator separator, const QLocale& locale,
                          const QString& maxText, const QString& minText);

// The hotkey box's text for a key pressed with modifiers held. A single modifier is
// widened to two (Shift to Ctrl + Shift, Ctrl or Alt to Ctrl + Alt); the key is appended
// only when it is a digit or letter key (its code "0".."9" or "A".."Z"), otherwise the
// text ends in " + " and stays incomplete. "" when no modifier is held.
QString CaptureHotkeyText(bool shift, bool ctrl, bool alt, int keyCode);

// Whether a hotkey text has modifiers but no key (it ends in "+ ").
bool IsIncompleteHotkeyText(const QString& text);

// The entries OK checks, as the boxes hold them (the sound file already trimmed).
struct OptionsEntries {
    QString minutesToAdd;
    std::optional<SoundSource> soundSource; // none while no source is chosen
    QString soundFile;
    QString beepCount;
    QString ringDuration;
    QString displayDuration;
    QString alertWindowScale;
};

// The box a failed check points the user to.
enum class OptionsBox {
    None,
    MinutesToAdd,
    SoundFile,
    BeepCount,
    RingDuration,
    DisplayDuration,
    AlertWindowScale,
};

// The first check that fails, in the order OK runs them: the box to focus and the least
// value it takes ("1", "0", "0.3"); an empty Minimum means the sound file was not found.
// Box None when every check passes.
struct OptionsCheckResult {
    OptionsBox Box = OptionsBox::None;
    QString Minimum;
};
OptionsCheckResult FirstFailedCheck(const OptionsEntries& entries, const TimeFormat& format,
                                    const std::function<bool(const QString&)>& fileExists);

} // namespace plimset
