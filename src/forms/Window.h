#pragma once
// The skeleton every window of the layer is built on: the object is stored with its window at
// WM_NCCREATE, receives every message through one virtual handler, and lets go at WM_NCDESTROY.
// The object outlives its window (its owner holds it); exceptions stop at the thunk.
#include <windows.h>

#include "platform/Module.h"

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hWnd() const { return m_hWnd; }

    // Registers a class of the layer's windows; its windows are told apart by that class, and
    // show the class's icons until they are given their own.
    static ATOM Register(const wchar_t* className, HICON icon = nullptr, HICON smallIcon = nullptr);
    // The object behind a window of that class, or nullptr. Subclassing the window (a tooltip
    // does) changes its procedure, never its class.
    static Window* FromHandle(HWND window, ATOM windowClass);
    // The object behind a window of any of the layer's classes, or nullptr.
    static Window* FromHandle(HWND window);

    // A message for this top-level window or one of its children, before it is dispatched: true
    // when the window took it (its keyboard navigation, say) and it goes no further.
    virtual bool PreTranslateMessage(MSG&) { return false; }

protected:
    HWND Create(ATOM windowClass, DWORD exStyle, const wchar_t* caption, DWORD style, const RECT& box, HWND parent,
                UINT_PTR id = 0);
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnNcDestroy() {}

private:
    static LRESULT CALLBACK Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
};
