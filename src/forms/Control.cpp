#include "forms/Control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "display/DarkMode.h"
#include "forms/MessageLoop.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/RuntimeError.h"
#include "platform/TextConversion.h"

namespace {

int16_t ShiftState()
{
    return static_cast<int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

struct WindowKind {
    const wchar_t* Class;
    DWORD Style;
    DWORD ExStyle;
};

WindowKind WindowKindOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::TextBox:
        return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton:
        return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::ListBox:
        return {WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, WS_EX_CLIENTEDGE}; // whole rows only
    default:
        return {};
    }
}

} // namespace

bool InTabOrder(const Control* a, const Control* b)
{
    return static_cast<uint16_t>(a->Design().TabIndex) < static_cast<uint16_t>(b->Design().TabIndex);
}

Text Control::GetText() const
{
    switch (m_Design->Kind) {
    case ControlKind::TextBox:
    case ControlKind::CommandButton:
        return WindowText(m_hWnd);
    case ControlKind::ListBox: {
        const int selected = ListIndex();
        return selected < 0 ? Text() : List(selected);
    }
    default:
        return m_Caption;
    }
}

void Control::SetText(TextView text)
{
    m_Caption.assign(text);
    if (m_hWnd)
        SetWindowTextW(m_hWnd, Wide(m_Caption));
    else if (m_ContainerWindow)
        InvalidateRect(m_ContainerWindow, &m_Bounds, TRUE);
}

void Control::SetFocus()
{
    if (m_Design->Kind == ControlKind::TextBox)
        SendMessageW(m_hWnd, EM_SETSEL, GetWindowTextLengthW(m_hWnd), -1);
    m_Host->FocusControl(m_hWnd);
}

void Control::Clear() { SendMessageW(m_hWnd, LB_RESETCONTENT, 0, 0); }

void Control::AddItems(std::span<const TextView> items)
{
    SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    struct RedrawAgain {
        HWND List;
        ~RedrawAgain()
        {
            SendMessageW(List, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(List, nullptr, TRUE);
        }
    } redrawAgain{m_hWnd};
    SendMessageW(m_hWnd, LB_INITSTORAGE, items.size(), 0);
    for (TextView item : items) {
        const Text copy(item);
        if (SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(copy))) < 0)
            throw RuntimeError(kErrOutOfMemory, m_Design->Name, u"Memoria insufficiente");
    }
}

RECT Control::CaptionBounds() const
{
    RECT box = m_Bounds;
    if (m_Design->Kind != ControlKind::Label)
        return box;
    HDC dc = GetDC(m_ContainerWindow);
    {
        ScopedSelect font(dc, m_Font);
        DrawTextW(dc, Wide(m_Caption), -1, &box, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    ReleaseDC(m_ContainerWindow, dc);
    return box;
}

int Control::ListCount() const { return static_cast<int>(SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0)); }

Text Control::List(int index) const
{
    const LRESULT length = SendMessageW(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return {};
    Text text(static_cast<size_t>(length) + 1, u'\0');
    SendMessageW(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int Control::ListIndex() const { return static_cast<int>(SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0)); }


void Control::CreateWindowIn(HWND container, UINT_PTR id)
{
    m_ContainerWindow = container;
    const WindowKind kind = WindowKindOf(m_Design->Kind);
    if (!kind.Class)
        return;
    const RECT& r = m_Bounds;
    m_hWnd = CreateWindowExW(kind.ExStyle, kind.Class, Wide(m_Caption), WS_CHILD | WS_VISIBLE | kind.Style, r.left,
                             r.top, r.right - r.left, r.bottom - r.top, container, reinterpret_cast<HMENU>(id),
                             ProgramInstance(), nullptr);
    if (!m_hWnd)
        throw RuntimeError(kErrInternal, m_Design->Name, u"Impossibile creare il controllo");
    SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_Font), FALSE);
    if (m_Design->Kind == ControlKind::TextBox)
        SendMessageW(m_hWnd, EM_SETLIMITTEXT, 0, 0); // no length limit
    SetWindowSubclass(m_hWnd, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    if (m_Host->Dark())
        FollowDarkModeInControl(m_hWnd, true);
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR control)
{
    return GuardedCall([&]() -> LRESULT {
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, SubclassProc, 0);
            return DefSubclassProc(window, message, wParam, lParam);
        }
        return reinterpret_cast<Control*>(control)->OnSubclassMessage(message, wParam, lParam);
    });
}

LRESULT Control::OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = m_hWnd;
    switch (message) {
    case WM_GETOBJECT:
        if (const LRESULT object = m_Host->AnswerGetObject(window, *this, wParam, lParam))
            return object;
        break;
    case WM_SETFOCUS: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        m_Host->OnFocusChanged(window);
        return result;
    }
    case WM_GETDLGCODE: {
        // Enter belongs to the text box's own key-down event and to the list's choice, not to a
        // default button.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        const LRESULT code = DefSubclassProc(window, message, wParam, lParam);
        const bool enter = pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN;
        const bool wanted = m_Design->Kind == ControlKind::TextBox || m_Design->Kind == ControlKind::ListBox;
        return enter && wanted ? code | DLGC_WANTMESSAGE : code;
    }
    default:
        break;
    }
    if (m_Design->Kind == ControlKind::TextBox)
        return OnTextBoxMessage(message, wParam, lParam);
    if (m_Design->Kind == ControlKind::ListBox)
        return OnListBoxMessage(message, wParam, lParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT Control::OnTextBoxMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = m_hWnd;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: // a key pressed with Alt held
        m_Host->Raise(*this, Event::KeyDown, {Index(), static_cast<int16_t>(wParam), ShiftState()});
        if (!IsWindow(window))
            return 0;
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        // A single-line box has no use for Enter's character; it would only beep.
        if (wParam == '\r' || wParam == '\n')
            return 0;
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT Control::OnListBoxMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The keys only browse: arrows, Home, End, the page keys and typed letters move the
    // selection. An entry is chosen (the list's Click) by Enter, or by a mouse click on it: a
    // press and a release on the same entry.
    HWND window = m_hWnd;
    const auto entryAt = [&](LPARAM point) {
        const LRESULT hit = SendMessageW(window, LB_ITEMFROMPOINT, 0, point);
        return HIWORD(hit) ? -1 : static_cast<int>(LOWORD(hit));
    };
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            // Enter chooses the entry the focus rectangle is on, selected or not yet.
            if (ListIndex() < 0 && ListCount() > 0)
                SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(SendMessageW(window, LB_GETCARETINDEX, 0, 0)), 0);
            if (ListIndex() >= 0)
                m_Host->Raise(*this, Event::Click);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r')
            return 0;
        break;
    case WM_LBUTTONDOWN:
        m_PressedEntry = entryAt(lParam);
        break;
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        const int pressed = std::exchange(m_PressedEntry, -1);
        if (pressed >= 0 && pressed == entryAt(lParam) && pressed == ListIndex()) {
            IgnoreRestOfDoubleClick(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            m_Host->Raise(*this, Event::Click);
        }
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
