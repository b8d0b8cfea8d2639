#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "links/WebLinks.h"
#include "display/Dpi.h"
#include "forms/MessageLoop.h"

namespace {
std::vector<std::string> g_Launches;
bool g_LaunchesSucceed = true;
struct {
    std::wstring Title;
    std::function<void(HWND)> Appeared;
    std::vector<HWND> Seen;
} g_Watch;
std::vector<SeenMessageBox> g_Boxes; // those being read, while they are
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

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT CentreOf(const Control& control) { return CentreOf(control.Bounds()); }

void PressKey(HWND window, UINT virtualKey)
{
    const auto flags = 1 | static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) << 16);
    PostMessageW(window, WM_KEYDOWN, virtualKey, flags);
    PostMessageW(window, WM_KEYUP, virtualKey, flags | (3u << 30));
}

void ScaleTo(Form& window, int dpi)
{
    RECT frame{0, 0, MulDiv(window.Design().ClientWidth, dpi, 1440), MulDiv(window.Design().ClientHeight, dpi, 1440)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window.hWnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window.hWnd(), GWL_EXSTYLE)));
    SendMessageW(window.hWnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

HWND AnotherProgram()
{
    static HWND other = CreateWindowExW(0, L"Static", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                        100, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    PumpFor(20);
    return other;
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

void WatchWindows(const std::wstring& title, const std::function<void()>& trigger, std::function<void(HWND)> appeared,
                  int late)
{
    g_Watch = {title, std::move(appeared), {}};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK {
        EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM) CALLBACK -> BOOL {
            wchar_t title[64] = {};
            GetWindowTextW(window, title, 64);
            auto& seen = g_Watch.Seen;
            if (IsWindowVisible(window) && g_Watch.Title == title && std::find(seen.begin(), seen.end(), window) == seen.end()) {
                seen.push_back(window);
                g_Watch.Appeared(window);
            }
            return TRUE;
        }, 0);
    });
    trigger();
    PumpFor(late);
    KillTimer(nullptr, timer);
}

std::vector<SeenMessageBox> MessageBoxesFrom(const std::wstring& title, const std::function<void()>& trigger,
                                             std::function<void(HWND)> meanwhile)
{
    g_Boxes.clear();
    WatchWindows(title, trigger, [&](HWND box) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        HWND icon = FindWindowExW(box, nullptr, L"Static", nullptr); // the first of the box's statics
        HWND owner = GetWindow(box, GW_OWNER);
        g_Boxes.push_back({box, text, reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)), owner,
                        owner && IsWindowEnabled(owner)});
        if (meanwhile)
            meanwhile(box);
        SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR timer, DWORD) CALLBACK { // OK a moment later, if still open
            KillTimer(nullptr, timer);
            for (SeenMessageBox& open : g_Boxes) {
                open.StayedOpen = open.StayedOpen || IsWindow(open.Box);
                PostMessageW(open.Box, WM_COMMAND, IDOK, 0);
            }
        });
    });
    return std::exchange(g_Boxes, {});
}

SeenMessageBox ExpectMessageBox(const std::wstring& title, const std::function<void()>& trigger)
{
    const std::vector<SeenMessageBox> seen = MessageBoxesFrom(title, trigger);
    EXPECT_EQ(seen.size(), 1u) << "one box";
    return seen.empty() ? SeenMessageBox{} : seen.front();
}

void WithExamplesOpen(const std::function<void(frmInfo&)>& during)
{
    bool ran = false;
    WatchWindows(L"Info Sul Programma",
                 [] { SendMessageW(ShownSearchWindow().Controls(frmGoogleVideo::Command1).hWnd(), BM_CLICK, 0, 0); },
                 [&](HWND) {
                     ran = true;
                     during(frmInfo::Instance());
                     if (frmInfo::Instance().IsLoaded())
                         PostMessageW(frmInfo::Instance().hWnd(), WM_CLOSE, 0, 0);
                 },
                 0); // the modal window's loop returns once it has closed
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
