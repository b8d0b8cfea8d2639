#include "forms/Window.h"

#include "platform/RuntimeError.h"

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
    return RegisterClassExW(&windowClass);
}

Window* Window::FromHandle(HWND window, ATOM windowClass)
{
    if (!window || GetClassWord(window, GCW_ATOM) != windowClass)
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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
