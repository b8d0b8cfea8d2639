#include "forms/MessageLoop.h"

#include <optional>
#include <utility>

#include "forms/Form.h"
#include "forms/TextConversion.h"

namespace {

GetMessageFunction g_GetMessage = GetMessageW;

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
    // One press of Enter, one action: while the key is held, its auto-repeats (the previous
    // key state set) search, choose or press nothing more.
    const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (keyDown && message.wParam == VK_RETURN && (message.lParam & (1 << 30)))
        return;
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    Form* form = root ? Form::FromWindow(root) : nullptr;
    if (form && (form->OnTabKey(message) || IsDialogMessageW(root, &message)))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int MsgBox(TextView prompt, UINT style, TextView title)
{
    const Text promptText(prompt), titleText(title);
    HWND owner = GetActiveWindow();
    return MessageBoxW(Form::FromWindow(owner) ? owner : nullptr, Wide(promptText), Wide(titleText), style);
}

GetMessageFunction SetGetMessageForTesting(GetMessageFunction getMessage)
{
    return std::exchange(g_GetMessage, getMessage ? getMessage : GetMessageW);
}
