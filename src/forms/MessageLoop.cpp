#include "forms/MessageLoop.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "forms/Window.h"

namespace {

GetMessageFunction g_GetMessage = GetMessageW;

// Where and when a click chose something; nullptr Window when no double-click is to be cut short.
struct Choice {
    HWND Window = nullptr;
    POINT At{};
    DWORD Time = 0;
} g_Choice;

bool IsRestOfDoubleClick(const MSG& message)
{
    const bool client = message.message >= WM_LBUTTONDOWN && message.message <= WM_LBUTTONDBLCLK;
    const bool frame = message.message >= WM_NCLBUTTONDOWN && message.message <= WM_NCLBUTTONDBLCLK;
    if (!g_Choice.Window || !(client || frame) || message.hwnd == g_Choice.Window)
        return false;
    POINT at{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    if (client)
        ClientToScreen(message.hwnd, &at);
    const bool nearby = std::abs(at.x - g_Choice.At.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                      std::abs(at.y - g_Choice.At.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const bool soon = message.time - g_Choice.Time <= GetDoubleClickTime();
    // A release ends the double-click; a press elsewhere or later starts a click of its own.
    if (!nearby || !soon || message.message == WM_LBUTTONUP || message.message == WM_NCLBUTTONUP)
        g_Choice.Window = nullptr;
    return nearby && soon;
}

// Delivers the next message; the exit code once the queue says quit. GetMessageW fills nothing
// when it fails (-1): that ends the loop as an error.
std::optional<int> DeliverNextMessage()
{
    MSG message;
    const BOOL result = g_GetMessage(&message, nullptr, 0, 0);
    if (result == -1)
        return 1;
    if (result == 0)
        return static_cast<int>(message.wParam);
    DeliverMessage(message);
    return std::nullopt;
}

} // namespace

bool IsRepeatedEnter(const MSG& message)
{
    const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    return keyDown && message.wParam == VK_RETURN && (message.lParam & (1 << 30));
}

int RunMessageLoop()
{
    for (;;) {
        if (const std::optional<int> exitCode = DeliverNextMessage())
            return *exitCode;
    }
}

bool PumpMessage()
{
    const std::optional<int> exitCode = DeliverNextMessage();
    if (exitCode)
        PostQuitMessage(*exitCode);
    return !exitCode;
}

void DeliverMessage(MSG& message)
{
    if (IsRepeatedEnter(message) || IsRestOfDoubleClick(message))
        return;
    Window* root = message.hwnd ? Window::FromHandle(GetAncestor(message.hwnd, GA_ROOT)) : nullptr;
    if (root && root->PreTranslateMessage(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void IgnoreRestOfDoubleClick(HWND window, POINT point)
{
    ClientToScreen(window, &point);
    g_Choice = {window, point, static_cast<DWORD>(GetMessageTime())};
}

GetMessageFunction SetGetMessageForTesting(GetMessageFunction getMessage)
{
    return std::exchange(g_GetMessage, getMessage ? getMessage : GetMessageW);
}
