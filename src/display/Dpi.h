#pragma once
// Display scale. The program declares itself per-monitor DPI aware and lays every window out at
// that window's own DPI. The functions of newer Windows are looked up at run time; without them
// the system DPI stands in for every window.
#include <windows.h>

// Per-monitor awareness (version 2) where the system has it, else system awareness. Call before
// the first window is created.
void DeclareDpiAwareness();

int SystemDpi();
int WindowDpi(HWND window);
// A system metric (icon sizes, frame widths) as it is at that DPI.
int MetricForDpi(int metric, int dpi);
// The frame around a client area at that DPI.
void AdjustFrameForDpi(RECT& box, DWORD style, DWORD exStyle, int dpi);

// Twips (1440 to the inch) as pixels at that DPI.
inline int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
