#include "forms/Surface.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "display/DarkMode.h"
#include "forms/Control.h"
#include "platform/TextConversion.h"

LRESULT Surface::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam)))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        OnButton(message, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_COMMAND:
        if (OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam)))
            return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        OnFocus(message == WM_SETFOCUS);
        return 0;
    case WM_UPDATEUISTATE: // the focus rectangle shows or hides with the window's keyboard cues
        InvalidateFocus();
        break;
    case WM_GETDLGCODE:
        // Enter on a focused link is the link's, not a default button's; arrows do nothing.
        if (m_Focused) {
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            const bool enter = pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN;
            return DLGC_WANTARROWS | (enter ? DLGC_WANTMESSAGE : 0);
        }
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam, lParam))
            return 0;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // The text box and the list in dark colours, through the colours they ask their parent for.
        if (m_Host.Dark()) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kDarkText);
            SetBkColor(dc, kDarkField);
            return reinterpret_cast<LRESULT>(DarkFieldBrush());
        }
        break;
    case WM_GETOBJECT:
        if (const LRESULT object = m_Host.AnswerGetObject(hWnd(), *this, wParam, lParam))
            return object;
        break;
    case kAccessibleActionMessage:
        // Asked for while the window took input; a box or a modal window may have come since.
        if (wParam < m_Host.AllControls().size() && IsWindowEnabled(GetAncestor(hWnd(), GA_ROOT)))
            m_Host.Raise(m_Host.AllControls()[wParam], static_cast<Event>(lParam));
        return 0;
    default:
        break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

bool Surface::OnSetCursor(HWND hit, UINT area)
{
    if (hit != hWnd() || area != HTCLIENT)
        return false;
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(hWnd(), &point);
    const Control* control = WindowlessAt(point);
    SetCursor(control && control->Cursor() ? control->Cursor()
                                           : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */));
    return true;
}

void Surface::OnButton(UINT message, POINT point)
{
    Control* control = WindowlessAt(point);
    if (message == WM_LBUTTONDOWN) {
        m_Pressed = control;
        if (control)
            SetCapture(hWnd());
    } else if (message == WM_LBUTTONUP) {
        Control* pressed = std::exchange(m_Pressed, nullptr);
        if (GetCapture() == hWnd())
            ReleaseCapture();
        // A click is a press and a release on the same control.
        if (control && control == pressed)
            m_Host.Raise(*control, Event::Click);
    } else if (control) {
        m_Pressed = nullptr;
        m_Host.Raise(*control, Event::DblClick);
    }
}

bool Surface::OnCommand(HWND sender, WORD code)
{
    Control* control = m_Host.ControlOfWindow(sender);
    if (!control)
        return false;
    const ControlKind kind = control->Design().Kind;
    if (kind == ControlKind::CommandButton && code == BN_CLICKED)
        m_Host.Raise(*control, Event::Click);
    else if (kind == ControlKind::ListBox && code == LBN_DBLCLK)
        m_Host.Raise(*control, Event::DblClick);
    return true;
}

void Surface::FocusElement(Control& element)
{
    InvalidateFocus();
    m_Focused = &element;
    if (GetFocus() == hWnd())
        OnFocus(true);
    else
        SetFocus(hWnd()); // WM_SETFOCUS announces it
}

Control* Surface::FocusedElement() const { return GetFocus() == hWnd() ? m_Focused : nullptr; }

void Surface::OnFocus(bool gained)
{
    InvalidateFocus();
    if (gained) {
        m_Host.OnFocusChanged(hWnd());
        if (m_Focused)
            AnnounceFocus(*m_Focused);
    }
}

bool Surface::OnKeyDown(WPARAM key, LPARAM flags)
{
    Control* focused = FocusedElement();
    const bool repeat = (flags & (1 << 30)) != 0; // a key held down acts once
    if (!focused || (key != VK_RETURN && key != VK_SPACE))
        return false;
    if (!repeat)
        m_Host.Raise(*focused, Event::Click);
    return true;
}

void Surface::InvalidateFocus()
{
    if (!m_Focused || !hWnd())
        return;
    RECT frame = m_Focused->Bounds();
    InflateRect(&frame, 2, 2);
    InvalidateRect(hWnd(), &frame, FALSE);
}

Control* Surface::WindowlessAt(POINT point)
{
    // Earlier rows lie on top, so the first hit is the one the user sees.
    for (Control& control : m_Host.AllControls()) {
        if (!control.hWnd() && control.ContainerWindow() == hWnd() && PtInRect(&control.Bounds(), point))
            return &control;
    }
    return nullptr;
}

std::vector<Control*> Surface::Elements() const
{
    std::vector<Control*> elements;
    for (Control& control : m_Host.AllControls()) {
        if (control.ContainerWindow() == hWnd() && !control.IsDecoration())
            elements.push_back(&control);
    }
    std::stable_sort(elements.begin(), elements.end(), InTabOrder);
    return elements;
}

std::vector<AccessibleElement*> Surface::AccessibleElements()
{
    const std::vector<Control*> elements = Elements();
    return {elements.begin(), elements.end()};
}

void Surface::AnnounceFocus(const Control& control)
{
    const std::vector<Control*> elements = Elements();
    const auto at = std::find(elements.begin(), elements.end(), &control);
    if (at != elements.end())
        NotifyWinEvent(EVENT_OBJECT_FOCUS, hWnd(), OBJID_CLIENT, static_cast<LONG>(at - elements.begin()) + 1);
}

Text Surface::AccessibleName() const
{
    const Control* own = OwnControl();
    return own ? own->AccessibleName() : WindowText(hWnd());
}

Text Surface::AccessibleDescription() const
{
    const Control* own = OwnControl();
    return own ? own->AccessibleDescription() : Text();
}

LONG Surface::AccessibleRole() const
{
    const Control* own = OwnControl();
    return own ? own->AccessibleRole() : ROLE_SYSTEM_CLIENT;
}

RECT Surface::AccessibleLocation() const
{
    if (const Control* own = OwnControl())
        return own->AccessibleLocation();
    RECT client;
    GetClientRect(hWnd(), &client);
    MapWindowPoints(hWnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

AccessibleElement* Surface::AccessibleFocus()
{
    HWND has = GetFocus();
    if (has && has == hWnd())
        return m_Focused ? static_cast<AccessibleElement*>(m_Focused) : this;
    // The element whose window has the focus, or holds the window that has it.
    for (Control* element : Elements()) {
        HWND window = element->hWnd();
        if (has && window && (window == has || IsChild(window, has)))
            return element;
    }
    return nullptr;
}

AccessibleElement* Surface::AccessibleAt(POINT point)
{
    // Child windows lie above what the surface draws; earlier rows above later ones.
    const std::vector<Control*> elements = Elements();
    for (bool windowed : {true, false}) {
        for (Control& control : m_Host.AllControls()) {
            RECT box = control.Bounds();
            MapWindowPoints(hWnd(), nullptr, reinterpret_cast<POINT*>(&box), 2);
            const bool listed = std::find(elements.begin(), elements.end(), &control) != elements.end();
            if (listed && (control.hWnd() != nullptr) == windowed && PtInRect(&box, point))
                return &control;
        }
    }
    return nullptr;
}

HWND PictureBox::Create(HWND parent, const RECT& box, UINT_PTR id)
{
    static const ATOM windowClass = Register(L"QuorvelPictureBox");
    return Window::Create(windowClass, WS_EX_CONTROLPARENT, nullptr,
                          WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, box, parent, id);
}
