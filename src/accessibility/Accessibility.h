#pragma once
// What screen readers see (Microsoft Active Accessibility, which UI Automation falls back to).
// The tree follows the window tree: a surface (the form, a picture box) answers for its client
// area with an object whose children are the controls lying directly on it: a windowed one (a
// picture box too) as the object of its own window, a windowless one (label, picture) as a
// simple element. A windowed control answers with its standard object under the name,
// description and role the program gives it. The libraries behind it are loaded only when a
// screen reader first asks.
#include <windows.h>

#include <utility>
#include <vector>

class Control;
class Form;
class AccessibleObject;

// Posted to a surface by a default action: wParam is the control's place in the form, lParam
// the event to raise. Raised from the message loop, not inside the screen reader's call.
constexpr UINT kAccessibleActionMessage = WM_APP + 2;

// The elements a surface's object lists, in the design's tab order, then those without a tab
// index in design order; a picture with nothing to announce (a background) is decoration and
// is left out. An element's child id is its place here, counted from 1.
std::vector<Control*> AccessibleElements(Form& form, HWND surface);

class AccessibleObjects {
public:
    AccessibleObjects() = default;
    AccessibleObjects(const AccessibleObjects&) = delete;
    AccessibleObjects& operator=(const AccessibleObjects&) = delete;
    ~AccessibleObjects() { DisconnectAll(); }

    // The answer to WM_GETOBJECT for a surface (control nullptr) or a windowed control of form;
    // 0 where the system should answer.
    LRESULT Answer(Form& form, HWND window, Control* control, WPARAM wParam, LPARAM lParam);
    // The windows are gone: every object handed out answers that it is no longer connected.
    void DisconnectAll();

private:
    std::vector<std::pair<HWND, AccessibleObject*>> m_Objects;
};
