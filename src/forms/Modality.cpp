#include "forms/Modality.h"

#include "forms/Window.h"
#include "platform/RuntimeError.h"

void Modality::DisableOthers(HWND modal)
{
    m_Modal = modal;
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK Modality::DisableOne(HWND window, LPARAM self)
{
    return GuardedCall([&] {
        auto* modality = reinterpret_cast<Modality*>(self);
        if (window != modality->m_Modal && Window::FromHandle(window) && IsWindowEnabled(window)) {
            modality->m_Disabled.push_back(window);
            EnableWindow(window, FALSE);
        }
        return TRUE;
    });
}

void Modality::EnableAgain()
{
    for (HWND window : m_Disabled)
        EnableWindow(window, TRUE);
    m_Disabled.clear();
    m_Modal = nullptr;
}
