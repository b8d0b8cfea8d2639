#pragma once
// A window that controls are placed on: the form itself, or a picture box inside it. It draws
// the windowless controls (labels, images) that lie on it, tells their clicks apart, shows their
// cursors, and hands the notifications of its child controls to the form as events. A windowless
// link takes the keyboard focus through its surface: the surface holds the focus and draws the
// link's focus rectangle, and Enter or Space on it does what a click does. To a screen reader a
// surface is an element that lists the controls lying on it.
#include <vector>

#include "accessibility/AccessibleElement.h"
#include "forms/ControlHost.h"
#include "forms/Window.h"

class Surface : public Window, public AccessibleElement {
public:
    explicit Surface(ControlHost& host) : m_Host(host) {}

    // The surface object of a window of the layer: every window the layer makes is a surface or a
    // control, and a control's window is a system control's, not the layer's.
    static Surface* Of(HWND window) { return static_cast<Surface*>(Window::FromHandle(window)); }

    // Gives the keyboard focus to a windowless control lying on this surface.
    void FocusElement(Control& element);
    // The windowless control with the keyboard focus, or nullptr.
    Control* FocusedElement() const;

    // A picture box is known to a screen reader by its control's name and role, the form by its
    // caption; either lists the controls lying on it, in the design's tab order, then those
    // without a tab index in design order, leaving out a picture with nothing to tell (a
    // background).
    HWND AccessibleWindow() const override { return hWnd(); }
    Text AccessibleName() const override;
    Text AccessibleDescription() const override;
    LONG AccessibleRole() const override;
    LONG AccessibleState() const override { return 0; }
    RECT AccessibleLocation() const override;
    Text AccessibleAction() const override { return {}; }
    bool DoAccessibleAction() override { return false; }
    bool TakeAccessibleFocus() override { return false; }
    bool ListsElements() const override { return true; }
    std::vector<AccessibleElement*> AccessibleElements() override;
    AccessibleElement* AccessibleFocus() override;
    AccessibleElement* AccessibleAt(POINT point) override;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ForgetElements() { m_Focused = m_Pressed = nullptr; }

private:
    void OnPaint();
    void Paint(HDC dc);
    void DrawPicture(HDC dc, const Control& control, bool highContrast);
    void DrawCaption(HDC dc, const Control& label);
    // A label's colour: as designed, or the system's where the user's colours ask for it.
    COLORREF TextColour(const Control& label) const;
    bool OnSetCursor(HWND hit, UINT area);
    void OnButton(UINT message, POINT point);
    bool OnCommand(HWND sender, WORD code);
    bool OnKeyDown(WPARAM key, LPARAM flags);
    void OnFocus(bool gained);
    void InvalidateFocus();
    Control* WindowlessAt(POINT point);
    // The control whose window this is; nullptr for the form itself.
    Control* OwnControl() const { return m_Host.ControlOfWindow(hWnd()); }
    std::vector<Control*> Elements() const;
    // Tells screen readers that a windowless control took the focus.
    void AnnounceFocus(const Control& control);

    ControlHost& m_Host;
    Control* m_Pressed = nullptr;
    Control* m_Focused = nullptr; // kept while the window is inactive, so the focus comes back to it
};

// A picture box: a child surface, the container of the controls that name it.
class PictureBox final : public Surface {
public:
    using Surface::Surface;
    HWND Create(HWND parent, const RECT& box, UINT_PTR id);
};
