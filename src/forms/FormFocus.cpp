#include "forms/Form.h"

#include <algorithm>

#include "platform/RuntimeError.h"

// The keyboard focus inside a form: where it goes back to when the window is activated, the tab
// order over windowed controls and windowless links alike, the default button, and the focus
// event that tells screen readers about a windowless link.

void Form::OnActivate(bool active, bool minimized)
{
    // The window itself holds the focus for the links that lie on it.
    const auto ours = [&](HWND window) { return window && (window == hWnd() || IsChild(hWnd(), window)); };
    if (!active) {
        if (HWND focus = GetFocus(); ours(focus))
            m_LastFocus = focus;
    } else if (!minimized) {
        // Like a dialog: the focus goes back to the control that had it.
        if (IsWindow(m_LastFocus) && ours(m_LastFocus))
            SetFocus(m_LastFocus);
        else
            FocusFirstControl();
    }
}

void Form::FocusControl(HWND control)
{
    m_LastFocus = control;
    if (GetActiveWindow() == hWnd())
        SetFocus(control);
}

void Form::FocusFirstControl()
{
    if (m_Design.InitialFocus >= 0)
        return FocusOn(Controls(m_Design.InitialFocus));
    const std::vector<Control*> stops = TabStops();
    if (stops.empty())
        SetFocus(hWnd());
    else
        FocusOn(*stops.front());
}

std::vector<Control*> Form::TabStops()
{
    std::vector<Control*> stops;
    for (Control& control : m_Controls) {
        const ControlDesign& row = control.Design();
        const bool stop = control.hWnd() ? row.Kind != ControlKind::PictureBox && IsWindowVisible(control.hWnd()) &&
                                               IsWindowEnabled(control.hWnd())
                                         : row.Kind == ControlKind::Label && Handles(row.Id, Event::Click);
        if (stop && row.TabIndex != kNoTabStop)
            stops.push_back(&control);
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Control* a, const Control* b) { return a->Design().TabIndex < b->Design().TabIndex; });
    return stops;
}

Control* Form::FocusedControl()
{
    HWND focus = GetFocus();
    if (!focus || !IsLoaded())
        return nullptr;
    if (Control* control = ControlOfWindow(focus); control && control->Design().Kind != ControlKind::PictureBox)
        return control;
    if (focus != hWnd() && !ControlOfWindow(focus))
        return nullptr;
    return SurfaceOf(focus).FocusedElement();
}

bool Form::OnTabKey(const MSG& message)
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
    const auto at = std::find(stops.begin(), stops.end(), FocusedControl());
    const size_t from = static_cast<size_t>(at - stops.begin());
    const size_t next = at == stops.end() ? (backwards ? count - 1 : 0) : (from + (backwards ? count - 1 : 1)) % count;
    // The keyboard is in use: focus rectangles show from now on, as the dialog manager does.
    SendMessageW(hWnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (stops[next]->Design().Kind == ControlKind::TextBox) // a text box tabbed into has its text selected
        SendMessageW(stops[next]->hWnd(), EM_SETSEL, 0, -1);
    FocusOn(*stops[next]);
    return true;
}

void Form::TakeFocus(Control& control)
{
    m_LastFocus = control.hWnd() ? control.hWnd() : control.ContainerWindow();
    FocusOn(control);
}

void Form::FocusOn(Control& control)
{
    if (control.hWnd())
        SetFocus(control.hWnd());
    else
        SurfaceOf(control.ContainerWindow()).FocusElement(control);
}

void Form::OnFocusChanged(HWND focus)
{
    // As in a dialog, Enter presses the focused button, so that one alone wears the default
    // frame; elsewhere Enter belongs to the focused control, which may take a button's action.
    const Control* focused = ControlOfWindow(focus);
    const int enterButton = focused ? focused->Design().DefaultButton : kNoButton;
    for (Control& control : m_Controls) {
        if (control.Design().Kind != ControlKind::CommandButton || !control.hWnd())
            continue;
        const bool isDefault = control.hWnd() == focus || control.Id() == enterButton;
        const bool wasDefault = (GetWindowLongW(control.hWnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault != wasDefault)
            SendMessageW(control.hWnd(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void Form::AnnounceFocus(const Control& control)
{
    const std::vector<Control*> elements = AccessibleElements(*this, control.ContainerWindow());
    const auto at = std::find(elements.begin(), elements.end(), &control);
    if (at != elements.end())
        NotifyWinEvent(EVENT_OBJECT_FOCUS, control.ContainerWindow(), OBJID_CLIENT,
                       static_cast<LONG>(at - elements.begin()) + 1);
}
