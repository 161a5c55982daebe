#pragma once

#include <QString>

namespace plimset {

// The numeric value of a text, read from its leading number: blanks, tabs and line
// feeds are ignored wherever they stand, then a sign, digits with "." as the decimal
// point (whatever the locale) and an exponent (E or D), or a radix prefix &H or &O.
// Reading stops at the first character that cannot continue the number; a text
// without a number is 0. Typed, pasted, stored and command-line texts all go through
// this one function, so they agree on what a text means.
double NumericValue(const QString& text);

// Rounds half to even and clamps to the 16-bit range.
qint16 RoundToInt16(double value);

} // namespace plimset
