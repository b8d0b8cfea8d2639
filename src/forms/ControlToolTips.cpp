#include "forms/ControlToolTips.h"

#include <commctrl.h>

#include "display/DarkMode.h"
#include "forms/Control.h"
#include "forms/Window.h"
#include "platform/Module.h"
#include "platform/TextConversion.h"

HWND ControlToolTips::Window(HWND owner, std::span<Control> controls, int dpi, bool dark)
{
    if (m_Made)
        return m_Window;
    m_Made = true;
    for (Control& control : controls) {
        if (!control.Design().ToolTip)
            continue;
        if (!m_Window) {
            m_Window = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                       ProgramInstance(), nullptr);
            // Wine draws some lines of text two or three pixels wider than it measures them;
            // the tooltip, sized by that measure, would cut the last letter off. A little room
            // on the right, and text that may use it, show the whole text.
            RECT room{0, 0, MulDiv(3, dpi, 96), 0};
            SendMessageW(m_Window, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&room));
            if (dark)
                FollowDarkModeInControl(m_Window, true);
        }
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS;
        tool.lpszText = const_cast<wchar_t*>(Wide(control.Design().ToolTip));
        if (control.hWnd()) {
            tool.uFlags |= TTF_IDISHWND;
            tool.hwnd = control.hWnd();
            tool.uId = reinterpret_cast<UINT_PTR>(control.hWnd());
        } else {
            tool.hwnd = control.ContainerWindow();
            tool.uId = static_cast<UINT_PTR>(&control - controls.data());
            tool.rect = control.Bounds();
        }
        SendMessageW(m_Window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return m_Window;
}

void ControlToolTips::Reset()
{
    if (m_Window)
        DestroyWindow(m_Window);
    Forget();
}

void ControlToolTips::Forget()
{
    m_Window = nullptr;
    m_Made = false;
}

bool ControlToolTips::OnNotify(NMHDR& header, LRESULT& result) const
{
    if (!m_Window || header.hwndFrom != m_Window || header.code != NM_CUSTOMDRAW)
        return false;
    auto& draw = reinterpret_cast<NMTTCUSTOMDRAW&>(header);
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        draw.uDrawFlags |= DT_NOCLIP;
    result = CDRF_DODEFAULT;
    return true;
}
