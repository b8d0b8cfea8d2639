#pragma once
// How dark windows are drawn (DarkMode() in Colours.h says when): the colours of their surfaces,
// fields and text, as Windows' own dark programs have them, and the system's means to draw a title
// bar and the system's controls dark.
#include <windows.h>

constexpr COLORREF kDarkFace = RGB(32, 32, 32);   // surfaces
constexpr COLORREF kDarkField = RGB(45, 45, 45);  // a text box, a list, a balloon
constexpr COLORREF kDarkText = RGB(255, 255, 255); // their text

// Brushes of the face and field colours, made once for the life of the program.
HBRUSH DarkFaceBrush();
HBRUSH DarkFieldBrush();

// A top-level window's title bar dark or light (DWMWA_USE_IMMERSIVE_DARK_MODE). The library behind
// it is loaded only once a window is dark.
void FollowDarkModeInTitleBar(HWND window, bool dark);
// A system control (a button, a text box, a list, a tooltip) drawn by the system's dark theme for
// its kind, or by its usual one again. Windows names that theme only in its own files
// ("DarkMode_Explorer"); where it has none, the control keeps its usual theme.
void FollowDarkModeInControl(HWND control, bool dark);
