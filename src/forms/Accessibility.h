#pragma once
// What screen readers see (Microsoft Active Accessibility, which UI Automation falls back to).
// A surface answers for its client area with an object whose children are the window's
// controls: the windowed ones, through the system's standard objects, in tab order, then the
// windowless ones (labels, pictures) as simple elements in design order. A windowed control
// answers with its standard object under the name and description the program gives it. The
// libraries behind it are loaded only when a screen reader first asks.
#include <windows.h>

#include <utility>
#include <vector>

class Control;
class Form;
class AccessibleObject;

// Posted to a surface by a default action: wParam is the control's place in the form, lParam
// the event to raise. Raised from the message loop, not inside the screen reader's call.
constexpr UINT kAccessibleActionMessage = WM_APP + 2;

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
