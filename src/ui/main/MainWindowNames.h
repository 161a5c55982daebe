#pragma once

#include <QString>

// The objectNames of the main window and its controls, which the desktop tests and screen
// readers see. Each keeps its design name; the constant says what the control is.
namespace plimset::MainWindowNames {

inline constexpr char Window[] = "Form1";
inline constexpr char ClientArea[] = "Form1_Client";
inline constexpr char MenuBar[] = "Form1_MenuBar";

inline constexpr char TimeField[] = "Text1";
inline constexpr char MinimizeButton[] = "Command1_0";
inline constexpr char ClearButton[] = "Command1_1";
inline constexpr char ActionButton[] = "Command2";
// The keys of the design's out-of-sight buttons: the picture action button's access key,
// and Esc, which moves the focus onto the action button.
inline constexpr char AccessKey[] = "Command3";
inline constexpr char FocusKey[] = "Command4";
inline constexpr char Tick[] = "Timer1";

inline constexpr char ExitItem[] = "MNU_Exit";
inline constexpr char PresetMenu[] = "MNU_Set";
inline constexpr char PresetMenuTitle[] = "MNU_Set_Action";
inline constexpr char ModeMenu[] = "MNU_Mode";
inline constexpr char ModeMenuTitle[] = "MNU_Mode_Action";
inline constexpr char AlwaysOnTopItem[] = "MNU_A_Top";
inline constexpr char FontItem[] = "MNU_Font";
inline constexpr char BackColorItem[] = "MNU_BColor";
inline constexpr char OptionsItem[] = "MNU_Option";
// The mode menu's separators, above the always-on-top item, the font item and the options
// item.
inline constexpr char SeparatorAboveAlwaysOnTop[] = "MNU_Pipe1";
inline constexpr char SeparatorAboveFont[] = "MNU_Pipe2";
inline constexpr char SeparatorAboveOptions[] = "MNU_Pipe3";

// The preset menu's item for a preset (0 first), and the mode menu's item at a place
// (0 top), whichever mode the mode order puts there.
inline QString PresetItem(int index) {
    return QStringLiteral("MNU_Set_Col_%1").arg(index);
}
inline QString ModeItem(int place) {
    return QStringLiteral("MNU_Mode_Col_%1").arg(place);
}

} // namespace plimset::MainWindowNames
