#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include "app/WebLinks.h"
#include "app/frmGoogleVideo.h"

namespace {

std::function<void(HWND)> g_WindowAction;
std::wstring g_WindowTitle;

void CALLBACK WatchForWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t title[256] = {};
            GetWindowTextW(window, title, 256);
            if (IsWindowVisible(window) && g_WindowTitle == title) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (!found)
        return;
    KillTimer(nullptr, timer);
    auto action = std::move(g_WindowAction);
    g_WindowAction = nullptr;
    action(found);
}

void RecordLaunch(const std::string& address) { LaunchRecorder::Launches().push_back(address); }

} // namespace

frmGoogleVideo& ShownSearchWindow()
{
    frmGoogleVideo& form = frmGoogleVideo::Instance();
    if (!form.IsLoaded()) {
        form.Show();
        PumpFor(100);
    }
    return form;
}

void PumpFor(int milliseconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return;
            DeliverMessage(message);
        }
        if (milliseconds > 0)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

void ClickAt(HWND window, int x, int y)
{
    const LPARAM point = MAKELPARAM(x, y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(window, WM_LBUTTONUP, 0, point);
}

void PressKey(HWND window, UINT virtualKey, bool extended)
{
    const LPARAM flags = 1 | (MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) << 16) | (extended ? 1 << 24 : 0);
    PostMessageW(window, WM_KEYDOWN, virtualKey, flags);
    PostMessageW(window, WM_KEYUP, virtualKey, flags | (3u << 30));
}

void HoldKeys(std::initializer_list<int> virtualKeys)
{
    BYTE state[256] = {};
    for (int key : virtualKeys)
        state[key] = 0x80;
    SetKeyboardState(state);
}

POINT CentreOf(const Control& control)
{
    const RECT& r = control.Bounds();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

LaunchRecorder::LaunchRecorder()
{
    Launches().clear();
    SetShellLaunchForTesting(RecordLaunch);
}

LaunchRecorder::~LaunchRecorder() { SetShellLaunchForTesting(nullptr); }

std::vector<std::string>& LaunchRecorder::Launches()
{
    static std::vector<std::string> launches;
    return launches;
}

void WhenWindowAppears(const std::wstring& title, std::function<void(HWND)> action)
{
    g_WindowTitle = title;
    g_WindowAction = std::move(action);
    SetTimer(nullptr, 0, 20, WatchForWindow);
}

std::wstring MessageBoxText(HWND box)
{
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    return text;
}

std::vector<COLORREF> RenderClient(HWND window, int& width, int& height)
{
    RECT client;
    GetClientRect(window, &client);
    width = client.right;
    height = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::vector<COLORREF> pixels(static_cast<size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y * width + x)] = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

namespace {

struct ChildEntry {
    const char* Name;
    ChildRoutine Routine;
};

std::vector<ChildEntry>& ChildRoutines()
{
    static std::vector<ChildEntry> routines;
    return routines;
}

} // namespace

bool RegisterChildRoutine(const char* name, ChildRoutine routine)
{
    ChildRoutines().push_back({name, routine});
    return true;
}

int RunChildRoutine(const char* name)
{
    for (const ChildEntry& entry : ChildRoutines()) {
        if (std::string(entry.Name) == name)
            return entry.Routine();
    }
    return 100;
}

PROCESS_INFORMATION StartChild(const char* name)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(path) + L"\" --child ";
    for (const char* c = name; *c; ++c)
        commandLine += static_cast<wchar_t>(*c);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    return process;
}

HWND WaitForProcessWindow(DWORD processId, const std::wstring& title, int timeoutMilliseconds)
{
    struct Search {
        DWORD ProcessId;
        const std::wstring* Title;
        HWND Found;
    } search{processId, &title, nullptr};
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMilliseconds);
    while (!search.Found && static_cast<int>(end - GetTickCount()) > 0) {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t text[256] = {};
                GetWindowTextW(window, text, 256);
                if (owner == s->ProcessId && IsWindowVisible(window) && *s->Title == text) {
                    s->Found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.Found)
            Sleep(50);
    }
    return search.Found;
}
