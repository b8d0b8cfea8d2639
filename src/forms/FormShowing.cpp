#include "forms/Form.h"

#include <utility>

#include "forms/MessageLoop.h"
#include "platform/RuntimeError.h"
#include "platform/TextConversion.h"

// Showing and closing a form. A modal window disables every other window of the program while it
// is open; an unload asked for during an event waits for the outermost event to return.

void Form::Show()
{
    Load();
    ShowWindow(hWnd(), SW_SHOWNORMAL);
    UpdateWindow(hWnd());
    ArmAfterShown();
}

void Form::ShowModal()
{
    Load(OwnerWindow());
    m_Modal = true;
    // Every other window of the program takes no input while this one is open.
    m_Modality.DisableOthers(hWnd());
    ShowWindow(hWnd(), SW_SHOWNORMAL);
    UpdateWindow(hWnd());
    ArmAfterShown();
    while (IsLoaded() && PumpMessage()) {
    }
    Unload();
}

namespace {

LRESULT CALLBACK DropRepeatedEnter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && IsRepeatedEnter(*reinterpret_cast<const MSG*>(lParam)))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

int MsgBox(TextView prompt, UINT style, TextView title)
{
    const Text promptText(prompt), titleText(title);
    // The box runs a loop of its own, which shows each message to this filter first.
    HHOOK filter = SetWindowsHookExW(WH_MSGFILTER, DropRepeatedEnter, nullptr, GetCurrentThreadId());
    const int button = MessageBoxW(Form::OwnerWindow(), Wide(promptText), Wide(titleText), style);
    UnhookWindowsHookEx(filter);
    return button;
}

void Form::ArmAfterShown()
{
    // A timer rather than a posted message: the system hands out a timer's message only when
    // nothing else is waiting, so the window's painting and any input come first.
    SetTimer(hWnd(), kAfterShownTimer, USER_TIMER_MINIMUM, nullptr);
}

void Form::RunAfterShown()
{
    KillTimer(hWnd(), kAfterShownTimer);
    ControlToolTipWindow();
    if (const auto work = std::exchange(m_AfterShown, nullptr))
        work(*this);
    // Tooltips made just now learn of the pointer when it moves: one already resting on the
    // window gets its tip after the usual delay, as if it had just arrived.
    POINT pointer;
    GetCursorPos(&pointer);
    if (HWND under = WindowFromPoint(pointer); under && (under == hWnd() || IsChild(hWnd(), under))) {
        ScreenToClient(under, &pointer);
        PostMessageW(under, WM_MOUSEMOVE, 0, MAKELPARAM(pointer.x, pointer.y));
    }
}

void Form::Unload()
{
    if (!IsLoaded())
        return;
    if (m_EventDepth > 0) {
        // Destroying a control inside its own notification would pull the window out from
        // under the code still running for it.
        m_UnloadPending = true;
        return;
    }
    // Enabled before this window goes, so the activation returns to its owner.
    m_Modality.EnableAgain();
    DestroyWindow(hWnd());
}
