#include "forms/Form.h"

#include "display/Colours.h"
#include "display/DarkMode.h"

// How a form follows the display: a new scale, and a change of the user's colours (high contrast,
// the classic colours, light or dark mode), each of which lays out or draws both windows anew.

void Form::Relayout()
{
    // Everything is laid out again, at the window's scale and in its colours; the controls keep
    // their windows, so text, entries and selection stay as the user left them.
    LayoutResources fresh = LayoutResources::Make(m_Design, m_Controls, m_Dpi, m_Dark);
    for (Control& control : m_Controls) {
        if (!control.hWnd())
            continue;
        // The font first: a list box fits its height to whole rows of it.
        SendMessageW(control.hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(control.Font()), FALSE);
        const RECT& r = control.Bounds();
        SetWindowPos(control.hWnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_Layout = std::move(fresh); // the previous fonts and pictures go now that nothing uses them
    m_ToolTips.Reset();
    ControlToolTipWindow();
    InstallDesignedIcon();
}

void Form::OnDpiChanged(int dpi, const RECT& suggested)
{
    m_Dpi = dpi;
    Relayout();
    SetWindowPos(hWnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RunEvent(kForm, Event::DpiChanged, {});
    RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::ColoursChanging()
{
    // One change of colours comes as up to three messages (high contrast switched on sends the
    // setting, the colours and the theme): the windows follow it once, after the last of them.
    if (!std::exchange(m_ColoursChanging, true))
        PostMessageW(hWnd(), kColoursChangedMessage, 0, 0);
}

void Form::OnColoursChanged()
{
    // Into dark mode or out of it: the pictures drawn anew, the frame and the system's controls
    // following.
    if (const bool dark = DarkMode(); dark != m_Dark) {
        m_Dark = dark;
        Relayout();
        FollowDarkModeInTitleBar(hWnd(), dark);
        for (const Control& control : m_Controls) {
            if (control.hWnd() && control.Design().Kind != ControlKind::PictureBox)
                FollowDarkModeInControl(control.hWnd(), dark);
        }
    }
    // The system tells top-level windows only; the common controls learn it from their parent.
    for (const Control& control : m_Controls) {
        if (control.hWnd())
            SendMessageW(control.hWnd(), WM_SYSCOLORCHANGE, 0, 0);
    }
    RunEvent(kForm, Event::ColoursChanged, {});
    RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
