#pragma once
// The ordinary (non-balloon) tooltips of a window's controls, in one tooltip window the window
// owns. A windowless control's tool is its box on the surface it lies on.
#include <windows.h>

#include <span>

class Control;

class ControlToolTips {
public:
    // The tooltip window, made with every control's tool on first use (drawn dark where the system
    // can); nullptr when no control has a tooltip.
    HWND Window(HWND owner, std::span<Control> controls, int dpi, bool dark);
    // Destroys the tooltip window; the next use makes it again (at a new scale, say).
    void Reset();
    // The owner's destruction took the tooltip window with it.
    void Forget();
    // The tooltip window's notifications to its owner; true when handled.
    bool OnNotify(NMHDR& header, LRESULT& result) const;

private:
    HWND m_Window = nullptr;
    bool m_Made = false;
};
