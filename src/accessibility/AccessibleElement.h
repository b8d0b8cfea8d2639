#pragma once
// What the accessible objects know of the user interface they describe: elements, each either a
// window of its own (a surface, whose elements are what lies on it, or a control) or a simple
// element drawn on a surface (a label, a picture). The window layer implements it for its
// surfaces and controls; the objects screen readers talk to ask nothing else of it.
#include <windows.h>

#include <vector>

#include "platform/Text.h"

class AccessibleElement {
public:
    // Its own window, or nullptr for a simple element. A window of its own answers for itself, and
    // what it leaves unsaid (a text box's value, a list's entries) the system's standard object of
    // that window says.
    virtual HWND AccessibleWindow() const = 0;
    virtual Text AccessibleName() const = 0;
    virtual Text AccessibleDescription() const = 0;
    virtual LONG AccessibleRole() const = 0;
    // A simple element's state (linked, focusable, focused, read-only); a window's own is the
    // system's.
    virtual LONG AccessibleState() const = 0;
    // Where it shows on the screen.
    virtual RECT AccessibleLocation() const = 0;
    // The name of its default action, empty when it has none; doing it answers false then.
    virtual Text AccessibleAction() const = 0;
    virtual bool DoAccessibleAction() = 0;
    // Takes the keyboard focus; false where it never takes it.
    virtual bool TakeAccessibleFocus() = 0;

    // A surface lists the elements lying on it, in the order a screen reader reads them: child id
    // 1 is the first.
    virtual bool ListsElements() const { return false; }
    virtual std::vector<AccessibleElement*> AccessibleElements() { return {}; }
    // Of a surface: the element that has or holds the keyboard focus, the surface itself when it
    // has the focus and none of them does, nullptr when the focus is elsewhere.
    virtual AccessibleElement* AccessibleFocus() { return nullptr; }
    // Of a surface: the element seen at a point of the screen, nullptr where none is.
    virtual AccessibleElement* AccessibleAt(POINT) { return nullptr; }

protected:
    ~AccessibleElement() = default;
};
