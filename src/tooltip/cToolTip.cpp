#include "tooltip/cToolTip.h"

#include <commctrl.h>

#include <string>

#include "forms/Control.h"
#include "forms/Window.h"
#include "platform/Module.h"
#include "platform/TextConversion.h"
#include "tooltip/Replace.h"

namespace {

// TOOLINFOA as far as lParam: the 44-byte record of the 32-bit platform, which every version
// of the tooltip control accepts. The 64-bit build passes the same fields at their native size.
struct ToolInfoRecordA {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
};
#ifndef _WIN64
static_assert(sizeof(ToolInfoRecordA) == 44, "the 32-bit tool record is 44 bytes");
#endif

constexpr UINT kToolInfoSize = sizeof(ToolInfoRecordA);
constexpr int32_t kSystemColourBit = static_cast<int32_t>(0x80000000);

int32_t ResolveColour(int32_t colour)
{
    if (colour & kSystemColourBit)
        return static_cast<int32_t>(GetSysColor(colour & 0x7FFFFFFF));
    return colour;
}

bool IsAcceptedStyle(int32_t style) { return style == 0x41 || style == 0x01 || style == 0x40 || style == 0; }
bool IsAcceptedIcon(int32_t icon) { return icon == 3 || icon == 1 || icon == 0 || icon == 2; }

} // namespace

cToolTip::cToolTip() { Class_Initialize(); }

cToolTip::~cToolTip() { Class_Terminate(); }

void cToolTip::Class_Initialize()
{
    // The tooltip class must be registered whatever the host program did before.
    InitCommonControls();
    m_Style = -1;
}

void cToolTip::Class_Terminate()
{
    if (m_hWnd) {
        DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    m_Style = -1;
}

::Text TipText(TextView Text, TextView Title)
{
    ::Text tipText = Replace(::Text(Text), u"|", u"\r\n", 1, -1, 0);
    if (Title.empty())
        tipText = Replace(std::move(tipText), u"\r\n", u" ", 1, -1, 0);
    return tipText;
}

::Text cToolTip::Replace(::Text Expression, TextView FindString, TextView ReplaceString, int32_t Start,
                         int32_t ReplaceCount, int32_t Compare)
{
    return ::Replace(std::move(Expression), FindString, ReplaceString, Start, ReplaceCount, Compare);
}

int32_t cToolTip::Create(const Control& Parent, TextView Text, int32_t Style, bool Centered, int32_t Icon,
                         TextView Title, int32_t ForeColor, int32_t BackColor, int32_t HoverTime, int32_t PopupTime)
{
    Class_Terminate();

    HWND control = Parent.hWnd(); // a label or an image has no window to answer with
    m_ToolInfo.hwnd = control;
    if (!control || !IsAcceptedStyle(Style) || !IsAcceptedIcon(Icon))
        return 0;

    m_ToolInfo.cbSize = kToolInfoSize;
    m_ToolInfo.uFlags = TTF_SUBCLASS | (Centered ? TTF_CENTERTIP : 0);
    GetClientRect(control, &m_ToolInfo.rect);
    m_ToolInfo.hinst = ProgramInstance();
    m_Title.assign(Title);
    if (m_InitialTitle.empty())
        m_InitialTitle = m_Title;

    m_ToolInfo.Text = TipText(Text, m_Title);
    if (m_InitialText.empty())
        m_InitialText = m_ToolInfo.Text;

    ForeColor = ResolveColour(ForeColor);
    BackColor = ResolveColour(BackColor);
    if (ForeColor == BackColor) {
        ForeColor = static_cast<int32_t>(GetSysColor(COLOR_BTNTEXT));
        BackColor = static_cast<int32_t>(GetSysColor(COLOR_INFOBK));
    }
    m_ForeCol = ForeColor;
    m_BackCol = BackColor;
    m_Style = Style;
    m_Icon = Icon;
    m_HoverTime = HoverTime;
    m_PopupTime = PopupTime;

    // A popup from the start: created overlapped, the window would get a caption before the
    // tooltip control makes it a popup, and a window manager would manage (and focus) it.
    m_hWnd = CreateWindowExA(0, "Tooltips_Class32", nullptr, WS_POPUP | static_cast<DWORD>(Style) | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                             ProgramInstance(), nullptr);
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);

    std::string ansiText = ToAnsi(m_ToolInfo.Text);
    const std::string ansiTitle = ToAnsi(m_Title);
    ToolInfoRecordA record{m_ToolInfo.cbSize, m_ToolInfo.uFlags, m_ToolInfo.hwnd,    m_ToolInfo.uId,
                           m_ToolInfo.rect,   m_ToolInfo.hinst,  ansiText.data(), m_ToolInfo.lParam};
    SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&record));
    SendMessageA(m_hWnd, TTM_SETTITLEA, static_cast<WPARAM>(Icon), reinterpret_cast<LPARAM>(ansiTitle.c_str()));
    SendMessageA(m_hWnd, TTM_SETTIPTEXTCOLOR, static_cast<WPARAM>(m_ForeCol), 0);
    SendMessageA(m_hWnd, TTM_SETTIPBKCOLOR, static_cast<WPARAM>(m_BackCol), 0);
    SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_INITIAL, static_cast<LPARAM>(m_HoverTime));
    SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOPOP, static_cast<LPARAM>(m_PopupTime));

    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(m_hWnd));
}
