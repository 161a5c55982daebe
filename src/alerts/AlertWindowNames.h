#pragma once

// The objectNames of the alert window and its controls, which the desktop tests and screen
// readers see. Each keeps its design name; the constant says what the control is.
namespace plimset::AlertWindowNames {

inline constexpr char Window[] = "Form3";
inline constexpr char Frame[] = "Frame1";
// A message of two lines fills the first and second labels; one of a single line fills the
// single-line label between them.
inline constexpr char FirstLineLabel[] = "Label1_0";
inline constexpr char SecondLineLabel[] = "Label1_1";
inline constexpr char SingleLineLabel[] = "Label1_2";

} // namespace plimset::AlertWindowNames
