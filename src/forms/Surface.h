#pragma once
// A window that controls are placed on: the form itself, or a picture box inside it. It draws
// the windowless controls (labels, images) that lie on it, tells their clicks apart, shows their
// cursors, and hands the notifications of its child controls to the form as events.
#include "forms/Window.h"

class Control;
class Form;

class Surface : public Window {
public:
    explicit Surface(Form& form) : m_Form(form) {}

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void Paint(HDC dc);
    bool OnSetCursor(HWND hit, UINT area);
    void OnButton(UINT message, POINT point);
    bool OnCommand(HWND sender, WORD code);
    Control* WindowlessAt(POINT point);

    Form& m_Form;
    Control* m_Pressed = nullptr;
};

// A picture box: a child surface, the container of the controls that name it.
class PictureBox final : public Surface {
public:
    using Surface::Surface;
    HWND Create(HWND parent, const RECT& box, UINT_PTR id);
};
