#pragma once
// accessibility/: the objects screen readers talk to (Microsoft Active Accessibility, which UI
// Automation falls back to), one for each window a screen reader asks about, built on the elements
// the window layer describes (AccessibleElement) and knowing nothing else of it. The tree follows
// the window tree: a surface answers for its client area with an object whose children are the
// elements lying on it, a windowed one as the object of its own window, a simple one by child id.
// The libraries behind it are loaded only when a screen reader first asks.
#include <windows.h>

#include <utility>
#include <vector>

class AccessibleElement;
class AccessibleObject;

// The objects handed out for the windows of one top-level window, which disconnects them when it
// goes.
class AccessibleObjects {
public:
    AccessibleObjects() = default;
    AccessibleObjects(const AccessibleObjects&) = delete;
    AccessibleObjects& operator=(const AccessibleObjects&) = delete;
    ~AccessibleObjects() { DisconnectAll(); }

    // The answer to WM_GETOBJECT asked of window, whose element it is; 0 where the system should
    // answer.
    LRESULT Answer(AccessibleElement& element, HWND window, WPARAM wParam, LPARAM lParam);
    // The windows are gone: every object handed out answers that it is no longer connected.
    void DisconnectAll();

private:
    std::vector<std::pair<HWND, AccessibleObject*>> m_Objects;
};
