#pragma once
// tooltip/: the balloon tooltip class. A balloon (or plain) tooltip window of the common controls
// attached to one control. The tooltip window watches the mouse over the control by itself; this
// object only creates it, sets it up and destroys it. It reports nothing and raises nothing:
// failures fall back quietly.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "platform/Text.h"

class Control;

// The text a tip shows for Text and Title: each "|" a line break (CR LF), and without a title
// every line break a blank.
::Text TipText(TextView Text, TextView Title);

class cToolTip {
public:
    cToolTip();
    ~cToolTip();
    cToolTip(const cToolTip&) = delete;
    cToolTip& operator=(const cToolTip&) = delete;

    int32_t BackCol() const { return m_BackCol; }
    bool Centered() const { return (m_ToolInfo.uFlags & TTF_CENTERTIP) != 0; }
    // Returns the tooltip window's handle, or 0 when no tooltip was made.
    int32_t Create(const Control& Parent, TextView Text, int32_t Style = 0x41, bool Centered = false,
                   int32_t Icon = 0, TextView Title = {}, int32_t ForeColor = static_cast<int32_t>(0x80000012),
                   int32_t BackColor = static_cast<int32_t>(0x80000018), int32_t HoverTime = -1,
                   int32_t PopupTime = -1);
    ::Text Text() const { return m_ToolInfo.Text; }
    ::Text Title() const { return m_Title; }
    int32_t ForeCol() const { return m_ForeCol; }
    int32_t HoverTime() const { return m_HoverTime; }
    int32_t Icon() const { return m_Icon; }
    ::Text InitialText() const { return m_InitialText; }
    ::Text InitialTitle() const { return m_InitialTitle; }
    int32_t PopupTime() const { return m_PopupTime; }
    int32_t Style() const { return m_Style; }
    static ::Text Replace(::Text Expression, TextView FindString, TextView ReplaceString, int32_t Start = 1,
                          int32_t ReplaceCount = -1, int32_t Compare = 0);

    HWND hWnd() const { return m_hWnd; }

private:
    // The tool as registered: TOOLINFO's fields up to lParam, with the text held as UTF-16.
    struct ToolInfo {
        UINT cbSize = 0;
        UINT uFlags = 0;
        HWND hwnd = nullptr;
        UINT_PTR uId = 0;
        RECT rect{};
        HINSTANCE hinst = nullptr;
        ::Text Text;
        LPARAM lParam = 0;
    };

    void Class_Initialize();
    void Class_Terminate();

    HWND m_hWnd = nullptr;
    int32_t m_Style = 0;
    int32_t m_Icon = 0;
    int32_t m_ForeCol = 0;
    int32_t m_BackCol = 0;
    ::Text m_Title;
    int32_t m_HoverTime = 0;
    int32_t m_PopupTime = 0;
    ::Text m_InitialText;
    ::Text m_InitialTitle;
    ToolInfo m_ToolInfo;
};
