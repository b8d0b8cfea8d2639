#include "forms/FormFocus.h"

#include <algorithm>

#include "forms/Control.h"
#include "forms/Surface.h"

void FormFocus::OnActivate(HWND window, bool active, bool minimized, Control* initial)
{
    // The window itself holds the focus for the links that lie on it.
    const auto ours = [&](HWND focus) { return focus && (focus == window || IsChild(window, focus)); };
    if (!active) {
        if (HWND focus = GetFocus(); ours(focus))
            m_LastFocus = focus;
    } else if (!minimized) {
        // Like a dialog: the focus goes back to the control that had it.
        if (IsWindow(m_LastFocus) && ours(m_LastFocus))
            SetFocus(m_LastFocus);
        else if (initial)
            FocusOn(*initial);
        else if (const std::vector<Control*> stops = TabStops(); !stops.empty())
            FocusOn(*stops.front());
        else
            SetFocus(window);
    }
}

void FormFocus::FocusControl(HWND window, HWND control)
{
    m_LastFocus = control;
    if (GetActiveWindow() == window)
        SetFocus(control);
}

std::vector<Control*> FormFocus::TabStops() const
{
    std::vector<Control*> stops;
    for (Control& control : m_Host.AllControls()) {
        const ControlDesign& row = control.Design();
        const bool stop = control.hWnd() ? row.Kind != ControlKind::PictureBox && IsWindowVisible(control.hWnd()) &&
                                               IsWindowEnabled(control.hWnd())
                                         : control.IsLink();
        if (stop && row.TabIndex != kNoTabStop)
            stops.push_back(&control);
    }
    std::stable_sort(stops.begin(), stops.end(), InTabOrder);
    return stops;
}

Control* FormFocus::FocusedControl(HWND window) const
{
    HWND focus = GetFocus();
    if (!focus || !window)
        return nullptr;
    Control* control = m_Host.ControlOfWindow(focus);
    if (control && control->Design().Kind != ControlKind::PictureBox)
        return control;
    // The form and its picture boxes hold the focus for the links that lie on them.
    return focus == window || control ? Surface::Of(focus)->FocusedElement() : nullptr;
}

bool FormFocus::OnTabKey(HWND window, const MSG& message)
{
    // Done here rather than by the dialog manager, which knows only windows, not the links the
    // surfaces draw.
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 ||
        GetKeyState(VK_MENU) < 0)
        return false;
    HWND focus = GetFocus();
    if (focus && (SendMessageW(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message)) &
                  DLGC_WANTTAB))
        return false;
    const std::vector<Control*> stops = TabStops();
    if (stops.empty())
        return false;
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    const size_t count = stops.size();
    const auto at = std::find(stops.begin(), stops.end(), FocusedControl(window));
    const size_t from = static_cast<size_t>(at - stops.begin());
    const size_t next = at == stops.end() ? (backwards ? count - 1 : 0) : (from + (backwards ? count - 1 : 1)) % count;
    // The keyboard is in use: focus rectangles show from now on, as the dialog manager does.
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (stops[next]->Design().Kind == ControlKind::TextBox) // a text box tabbed into has its text selected
        SendMessageW(stops[next]->hWnd(), EM_SETSEL, 0, -1);
    FocusOn(*stops[next]);
    return true;
}

void FormFocus::TakeFocus(Control& control)
{
    m_LastFocus = control.hWnd() ? control.hWnd() : control.ContainerWindow();
    FocusOn(control);
}

void FormFocus::FocusOn(Control& control)
{
    if (control.hWnd())
        SetFocus(control.hWnd());
    else
        Surface::Of(control.ContainerWindow())->FocusElement(control);
}

void FormFocus::OnFocusChanged(HWND focus)
{
    // As in a dialog, Enter presses the focused button, so that one alone wears the default
    // frame; elsewhere Enter belongs to the focused control, which may take a button's action.
    const Control* focused = m_Host.ControlOfWindow(focus);
    const int enterButton = focused ? focused->Design().DefaultButton : kNoButton;
    for (Control& control : m_Host.AllControls()) {
        if (control.Design().Kind != ControlKind::CommandButton || !control.hWnd())
            continue;
        const bool isDefault = control.hWnd() == focus || control.Id() == enterButton;
        const bool wasDefault = (GetWindowLongW(control.hWnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault != wasDefault)
            SendMessageW(control.hWnd(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}
