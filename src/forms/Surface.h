#pragma once
// A window that controls are placed on: the form itself, or a picture box inside it. It draws
// the windowless controls (labels, images) that lie on it, tells their clicks apart, shows their
// cursors, and hands the notifications of its child controls to the form as events. A windowless
// link takes the keyboard focus through its surface: the surface holds the focus and draws the
// link's focus rectangle, and Enter or Space on it does what a click does.
#include "forms/Window.h"

class Control;
class Form;

class Surface : public Window {
public:
    explicit Surface(Form& form) : m_Form(form) {}

    // Gives the keyboard focus to a windowless control lying on this surface.
    void FocusElement(Control& element);
    // The windowless control with the keyboard focus, or nullptr.
    Control* FocusedElement() const;

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

    Form& m_Form;
    Control* m_Pressed = nullptr;
    Control* m_Focused = nullptr; // kept while the window is inactive, so the focus comes back to it
};

// A picture box: a child surface, the container of the controls that name it.
class PictureBox final : public Surface {
public:
    using Surface::Surface;
    HWND Create(HWND parent, const RECT& box, UINT_PTR id);
};
