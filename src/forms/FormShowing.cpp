#include "forms/Form.h"

#include "forms/MessageLoop.h"
#include "forms/RuntimeError.h"

// Showing and closing a form. A modal window disables every other window of the program while it
// is open; an unload asked for during an event waits for the outermost event to return.

void Form::Show()
{
    Load();
    ShowWindow(hWnd(), SW_SHOWNORMAL);
    UpdateWindow(hWnd());
}

void Form::ShowModal()
{
    HWND owner = GetActiveWindow();
    Load(FromWindow(owner) ? owner : nullptr);
    m_Modal = true;
    // Every other window of the program takes no input while this one is open.
    EnumThreadWindows(GetCurrentThreadId(), DisableForModal, reinterpret_cast<LPARAM>(this));
    ShowWindow(hWnd(), SW_SHOWNORMAL);
    UpdateWindow(hWnd());
    while (IsLoaded() && PumpMessage()) {
    }
    Unload();
}

BOOL CALLBACK Form::DisableForModal(HWND window, LPARAM modal)
{
    return GuardedCall([&] {
        auto* form = reinterpret_cast<Form*>(modal);
        if (window != form->hWnd() && FromWindow(window) && IsWindowEnabled(window)) {
            form->m_DisabledByModal.push_back(window);
            EnableWindow(window, FALSE);
        }
        return TRUE;
    });
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
    EnableDisabledWindows();
    DestroyWindow(hWnd());
}

void Form::EnableDisabledWindows()
{
    for (HWND window : m_DisabledByModal)
        EnableWindow(window, TRUE);
    m_DisabledByModal.clear();
}
