// The windows the program's start-up is measured against, built with the same compiler and flags:
//   BareWindow    register a class, create and show one empty window, run the message loop;
//   StyledWindow  (STYLED_WINDOW) the same plus what a window of the program's kind needs before
//                 it can show: the common controls with the visual-styles manifest, and a text
//                 box that takes the focus beside two buttons, in the window font.
#include <windows.h>

#ifdef STYLED_WINDOW
#include <commctrl.h>
#endif

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
#ifdef STYLED_WINDOW
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        SetFocus(GetWindow(window, GW_CHILD));
        return 0;
    }
#endif
    return DefWindowProcW(window, message, wParam, lParam);
}

#ifdef STYLED_WINDOW
static void AddControls(HWND window, HINSTANCE instance)
{
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    // The window font, as the program's controls have it; it lasts as long as the process.
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
    const struct {
        const wchar_t *Class, *Caption;
        DWORD ExStyle, Style;
        int Left, Width;
    } controls[] = {{L"Edit", L"", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL, 10, 250},
                    {L"Button", L"Cerca", 0, BS_PUSHBUTTON, 270, 70},
                    {L"Button", L"...", 0, BS_PUSHBUTTON, 350, 30}};
    for (const auto& c : controls) {
        HWND control = CreateWindowExW(c.ExStyle, c.Class, c.Caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | c.Style,
                                       c.Left, 40, c.Width, 23, window, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Bare";
    RegisterClassW(&windowClass);
#ifdef STYLED_WINDOW
    const wchar_t* title = L"Styled window";
#else
    const wchar_t* title = L"Bare window";
#endif
    HWND window = CreateWindowExW(0, L"Bare", title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 431, 233, nullptr, nullptr, instance, nullptr);
#ifdef STYLED_WINDOW
    AddControls(window, instance);
#endif
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
