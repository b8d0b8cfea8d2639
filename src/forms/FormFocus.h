#pragma once
// The keyboard focus inside one window: where it goes back to when the window is activated again,
// Tab and Shift+Tab over the tab stops (windowed controls and windowless links alike), and the
// default button, the one Enter would press. It asks of its window what any control may ask
// (ControlHost), and the surfaces that windowless links lie on.
#include <windows.h>

#include <vector>

#include "forms/ControlHost.h"

class FormFocus {
public:
    explicit FormFocus(ControlHost& host) : m_Host(host) {}

    // The window was activated or deactivated; initial is the control that takes the focus when
    // the window has none to give back.
    void OnActivate(HWND window, bool active, bool minimized, Control* initial);
    // The focus, now if the window is active, or when it is next activated.
    void FocusControl(HWND window, HWND control);
    // Gives the focus to a control, windowless or not, activating its window.
    void TakeFocus(Control& control);
    // The keyboard's stops in tab order: the windowed controls that can take the focus, and the
    // windowless links (labels with a click).
    std::vector<Control*> TabStops() const;
    // The control with the keyboard focus, windowless or not; nullptr when none of them has it.
    Control* FocusedControl(HWND window) const;
    // Tab and Shift+Tab among the tab stops; false when the message is not for that.
    bool OnTabKey(HWND window, const MSG& message);
    // A window of the form took the focus: the button Enter would press there wears the default
    // frame, and only that one.
    void OnFocusChanged(HWND focus);
    // The window has gone.
    void Forget() { m_LastFocus = nullptr; }

private:
    void FocusOn(Control& control);

    ControlHost& m_Host;
    HWND m_LastFocus = nullptr;
};
