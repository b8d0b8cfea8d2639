#pragma once
// What a control, and a surface it lies on, ask of the window they belong to: its controls and
// their events, the keyboard focus among them, and the objects that answer screen readers. The
// form is the one that answers; controls and surfaces know nothing more of it.
#include <windows.h>

#include <span>

#include "forms/Design.h"

class AccessibleElement;
class Control;

class ControlHost {
public:
    virtual std::span<Control> AllControls() = 0;
    virtual Control* ControlOfWindow(HWND window) = 0;
    virtual const FontDesign& DefaultFont() const = 0;
    virtual int Dpi() const = 0;
    // Whether the window is drawn dark (DarkMode() as it was when the window last followed it).
    virtual bool Dark() const = 0;

    // Whether the window handles that event of that control, and raising it.
    virtual bool Handles(int control, Event event) const = 0;
    virtual void Raise(const Control& control, Event event, EventArgs args = {}) = 0;

    // The control with the keyboard focus, windowless or not; nullptr when none has it.
    virtual Control* FocusedControl() = 0;
    // The focus, now if the window is active, or when it is next activated.
    virtual void FocusControl(HWND control) = 0;
    // Gives the focus to a control, windowless or not, activating its window.
    virtual void TakeFocus(Control& control) = 0;
    // A window of the form took the focus.
    virtual void OnFocusChanged(HWND focus) = 0;

    // WM_GETOBJECT, asked of window, whose element that is.
    virtual LRESULT AnswerGetObject(HWND window, AccessibleElement& element, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~ControlHost() = default;
};
