#include "forms/Window.h"

#include <iterator>

#include "platform/RuntimeError.h"

namespace {
// The classes registered here: few (a form's, a picture box's), so a list does.
ATOM g_Classes[8];
int g_ClassCount = 0;
} // namespace

Window::~Window()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

ATOM Window::Register(const wchar_t* className, HICON icon, HICON smallIcon)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Thunk;
    windowClass.hInstance = ProgramInstance();
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon; // else the system makes one from the large icon, slowly
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.lpszClassName = className;
    const ATOM atom = RegisterClassExW(&windowClass);
    if (atom && g_ClassCount < static_cast<int>(std::size(g_Classes)))
        g_Classes[g_ClassCount++] = atom;
    return atom;
}

Window* Window::FromHandle(HWND window, ATOM windowClass)
{
    if (!window || GetClassWord(window, GCW_ATOM) != windowClass)
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

Window* Window::FromHandle(HWND window)
{
    const ATOM windowClass = window ? static_cast<ATOM>(GetClassWord(window, GCW_ATOM)) : 0;
    for (int i = 0; windowClass && i < g_ClassCount; ++i) {
        if (g_Classes[i] == windowClass)
            return FromHandle(window, windowClass);
    }
    return nullptr;
}

HWND Window::Create(ATOM windowClass, DWORD exStyle, const wchar_t* caption, DWORD style, const RECT& box, HWND parent,
                    UINT_PTR id)
{
    return CreateWindowExW(exStyle, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(windowClass)), caption, style, box.left, box.top,
                           box.right - box.left, box.bottom - box.top, parent, reinterpret_cast<HMENU>(id),
                           ProgramInstance(), this);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedCall([&]() -> LRESULT {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->m_hWnd = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self)
            return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->m_hWnd = nullptr;
            self->OnNcDestroy();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return self->OnMessage(message, wParam, lParam);
    });
}
