#pragma once

// The objectNames of the tray icon's hidden owner window and its menu, which the desktop
// tests see. Each keeps its design name; the constant says what it is.
namespace plimset::TrayIconNames {

inline constexpr char OwnerWindow[] = "FRM_TTI";
inline constexpr char Menu[] = "MNU_Popup";
// Hides the main window to the tray, or shows it again.
inline constexpr char HideItem[] = "MNU_Hide";
inline constexpr char Separator[] = "MNU_P_Pipe";
inline constexpr char ExitItem[] = "MNU_Exit";

} // namespace plimset::TrayIconNames
