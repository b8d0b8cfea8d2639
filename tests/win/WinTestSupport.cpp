#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "app/WebLinks.h"
#include "forms/Dpi.h"
#include "forms/MessageLoop.h"

namespace {
std::vector<std::string> g_Launches;
bool g_LaunchesSucceed = true;
std::function<void(HWND)> g_WindowAction;
std::wstring g_WindowTitle;
} // namespace

frmGoogleVideo& ShownSearchWindow()
{
    if (!frmGoogleVideo::Instance().IsLoaded())
        frmGoogleVideo::Instance().Show(), PumpFor(100);
    return frmGoogleVideo::Instance();
}

void PumpFor(int milliseconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DeliverMessage(message);
        if (milliseconds > 0)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

void ClickAt(HWND window, POINT point)
{
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

POINT CentreOf(const Control& control)
{
    const RECT& r = control.Bounds();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void PressKey(HWND window, UINT virtualKey)
{
    const auto flags = 1 | static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) << 16);
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

void ScaleTo(Form& window, int dpi)
{
    RECT frame{0, 0, MulDiv(window.Design().ClientWidth, dpi, 1440), MulDiv(window.Design().ClientHeight, dpi, 1440)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window.hWnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window.hWnd(), GWL_EXSTYLE)));
    SendMessageW(window.hWnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

LaunchRecorder::LaunchRecorder(bool succeed)
{
    g_Launches.clear();
    g_LaunchesSucceed = succeed;
    SetShellLaunchForTesting([](const std::string& address) {
        g_Launches.push_back(address);
        return g_LaunchesSucceed;
    });
}

LaunchRecorder::~LaunchRecorder() { SetShellLaunchForTesting(nullptr); }

std::vector<std::string>& LaunchRecorder::Launches() { return g_Launches; }

void WhenWindowAppears(const std::wstring& title, std::function<void(HWND)> action)
{
    g_WindowTitle = title;
    g_WindowAction = std::move(action);
    SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) CALLBACK {
        HWND found = FindWindowW(nullptr, g_WindowTitle.c_str()); // the prefix holds only this test's windows
        if (found && IsWindowVisible(found)) {
            KillTimer(nullptr, timer);
            std::exchange(g_WindowAction, nullptr)(found);
        }
    });
}

SeenMessageBox ExpectMessageBox(const std::wstring& title, const std::function<void()>& trigger)
{
    SeenMessageBox seen;
    WhenWindowAppears(title, [&](HWND box) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        HWND icon = FindWindowExW(box, nullptr, L"Static", nullptr); // the first of the box's statics
        seen = {text, reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)), GetWindow(box, GW_OWNER)};
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    trigger();
    PumpFor(50);
    return seen;
}

void WithExamplesOpen(const std::function<void(frmInfo&)>& during)
{
    bool ran = false;
    WhenWindowAppears(L"Info Sul Programma", [&](HWND) {
        ran = true;
        during(frmInfo::Instance());
        if (frmInfo::Instance().IsLoaded())
            PostMessageW(frmInfo::Instance().hWnd(), WM_CLOSE, 0, 0);
    });
    SendMessageW(ShownSearchWindow().Controls(frmGoogleVideo::Command1).hWnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(frmInfo::Instance().IsLoaded());
}

std::map<std::string, int (*)()>& ChildRoutines()
{
    static std::map<std::string, int (*)()> routines;
    return routines;
}

bool RegisterChildRoutine(const char* name, int (*routine)()) { return ChildRoutines().emplace(name, routine).second; }

// Started again with --child NAME, the executable runs that routine instead of the tests.
int main(int argc, char** argv)
{
    DeclareDpiAwareness(); // as the program does before its first window
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return ChildRoutines().at(argv[2])();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
