#include "forms/Form.h"

#include <algorithm>

#include "display/Colours.h"
#include "display/DarkMode.h"
#include "display/Dpi.h"
#include "forms/MessageLoop.h"
#include "platform/RuntimeError.h"
#include "platform/TextConversion.h"

namespace {

constexpr UINT_PTR kFirstControlId = 100; // clear of IDOK and IDCANCEL, which dialog keys send
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

struct ProgramIcons {
    HICON Large = nullptr, Small = nullptr;
};

BOOL CALLBACK LoadFirstIcon(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR found)
{
    auto* icons = reinterpret_cast<ProgramIcons*>(found);
    const auto load = [&](int metric) {
        const int size = GetSystemMetrics(metric);
        return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, LR_SHARED));
    };
    icons->Large = load(SM_CXICON);
    icons->Small = load(SM_CXSMICON);
    return FALSE; // the first is the one
}

// The program's own icon, as the shell shows it for the program file: the first icon group of
// the executable. A window shows it until it gets icons of its own, so one that gets them only
// once it is on screen opens with the same picture.
ProgramIcons LoadProgramIcons()
{
    ProgramIcons icons;
    EnumResourceNamesW(ProgramInstance(), reinterpret_cast<LPCWSTR>(RT_GROUP_ICON), LoadFirstIcon,
                       reinterpret_cast<LONG_PTR>(&icons));
    return icons;
}

ATOM FormClass()
{
    static const ATOM windowClass = [] {
        const ProgramIcons icons = LoadProgramIcons();
        return Window::Register(L"QuorvelForm", icons.Large, icons.Small);
    }();
    return windowClass;
}

bool IsWindowless(ControlKind kind) { return kind == ControlKind::Label || kind == ControlKind::Image; }

} // namespace

Form::Form(const FormDesign& design, std::span<const EventRow> events)
    : Surface(static_cast<ControlHost&>(*this)), m_Design(design), m_Events(events)
{
}

Form::~Form()
{
    // The window goes while the controls its children call back into still exist.
    if (hWnd())
        DestroyWindow(hWnd());
}

Form* Form::FromWindow(HWND window) { return static_cast<Form*>(FromHandle(window, FormClass())); }

bool Form::PreTranslateMessage(MSG& message)
{
    return m_Focus.OnTabKey(hWnd(), message) || IsDialogMessageW(hWnd(), &message);
}

HWND Form::OwnerWindow()
{
    if (s_Running && s_Running->IsLoaded())
        return s_Running->hWnd();
    HWND active = GetActiveWindow();
    return FromWindow(active) ? active : nullptr;
}

void Form::Load(HWND owner)
{
    if (IsLoaded())
        return;
    m_Controls.clear();
    m_Controls.reserve(m_Design.Controls.size());
    for (const ControlDesign& row : m_Design.Controls) {
        m_Controls.emplace_back(*this, row);
        m_Controls.back().m_Caption = row.Caption ? row.Caption : u"";
    }

    // An owned window is a popup, as dialogs are: Wine then has the window manager treat it as
    // a dialog, which gets the focus when it opens.
    const DWORD style = (owner ? WS_POPUP : WS_OVERLAPPED) | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                        (m_Design.MinButton ? WS_MINIMIZEBOX : 0);
    const auto frameAt = [&](int dpi) {
        RECT frame{0, 0, Pixels(m_Design.ClientWidth, dpi), Pixels(m_Design.ClientHeight, dpi)};
        AdjustFrameForDpi(frame, style, kExStyle, dpi);
        OffsetRect(&frame, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2 - frame.left,
                   (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2 - frame.top);
        return frame;
    };
    const Text caption(m_Design.Caption);
    Create(FormClass(), kExStyle, Wide(caption), style, frameAt(SystemDpi()), owner);
    if (!IsLoaded())
        throw RuntimeError(kErrInternal, m_Design.Name, u"Impossibile creare la finestra");
    // A window that opens on a monitor of another scale takes that monitor's size.
    m_Dpi = WindowDpi(hWnd());
    if (m_Dpi != SystemDpi()) {
        const RECT frame = frameAt(m_Dpi);
        SetWindowPos(hWnd(), nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_Dark = DarkMode();
    FollowDarkModeInTitleBar(hWnd(), m_Dark); // before its first frame: dark from the start
    m_Layout = LayoutResources::Make(m_Design, m_Controls, m_Dpi, m_Dark);
    CreateControls();
    InstallDesignedIcon();
    RunEvent(kForm, Event::Load, {});
}

void Form::CreateControls()
{
    // Containers first, so their children have a window to live in; then the controls that
    // take the focus in tab order, since a window's child order is its tab order.
    std::vector<Control*> windowed;
    for (Control& control : m_Controls) {
        const auto id = kFirstControlId + static_cast<UINT_PTR>(&control - m_Controls.data());
        if (control.Design().Kind == ControlKind::PictureBox) {
            control.m_ContainerWindow = ContainerWindowOf(control);
            m_PictureBoxes.push_back(std::make_unique<PictureBox>(*this));
            control.m_hWnd = m_PictureBoxes.back()->Create(control.m_ContainerWindow, control.Bounds(), id);
        } else if (!IsWindowless(control.Design().Kind)) {
            windowed.push_back(&control);
        }
    }
    std::stable_sort(windowed.begin(), windowed.end(), InTabOrder);
    for (Control* control : windowed)
        control->CreateWindowIn(ContainerWindowOf(*control), kFirstControlId + (control - m_Controls.data()));
    for (Control& control : m_Controls)
        control.m_ContainerWindow = ContainerWindowOf(control);
}

HWND Form::ContainerWindowOf(const Control& control)
{
    const int container = control.Design().Container;
    return container == kOnForm ? hWnd() : Controls(container).hWnd();
}

void Form::InstallDesignedIcon()
{
    HANDLE icon = m_Layout.Icon.Get();
    if (!icon && m_Design.IconResource) {
        const int size = MetricForDpi(SM_CXICON, m_Dpi);
        icon = LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(m_Design.IconResource), IMAGE_ICON, size, size,
                          LR_SHARED);
    }
    if (icon)
        SendMessageW(hWnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

Control& Form::Controls(int id, int16_t index)
{
    for (Control& control : m_Controls) {
        if (control.Id() == id && control.Index() == index)
            return control;
    }
    throw RuntimeError(kErrInternal, m_Design.Name, u"Controllo inesistente");
}

Control* Form::ControlOfWindow(HWND window)
{
    if (!window) // a command without a sender (a menu, an accelerator) belongs to no control
        return nullptr;
    for (Control& control : m_Controls) {
        if (control.hWnd() == window)
            return &control;
    }
    return nullptr;
}

void Form::OnNcDestroy()
{
    ForgetElements();
    // However the window went, the windows it disabled take input again.
    m_Modality.EnableAgain();
    m_Accessibles.DisconnectAll();
    m_ToolTips.Forget();
    m_AfterShown = nullptr;
    m_Focus.Forget();
    m_Modal = false;
    m_UnloadPending = false;
    m_ColoursChanging = false;
    m_Controls.clear();
    m_PictureBoxes.clear();
    m_Layout = {};
    if (m_EndsProgram)
        PostQuitMessage(0);
}

void Form::Raise(const Control& control, Event event, EventArgs args)
{
    args.Index = control.Index();
    RunEvent(control.Id(), event, args);
}

bool Form::Handles(int control, Event event) const
{
    return std::any_of(m_Events.begin(), m_Events.end(),
                       [&](const EventRow& row) { return row.Control == control && row.On == event; });
}

void Form::RunEvent(int control, Event event, const EventArgs& args)
{
    const auto row = std::find_if(m_Events.begin(), m_Events.end(),
                                  [&](const EventRow& r) { return r.Control == control && r.On == event; });
    if (row == m_Events.end())
        return;
    ++m_EventDepth;
    struct Leave {
        Form& Self;
        Form* Outer = std::exchange(s_Running, &Self);
        ~Leave()
        {
            s_Running = Outer;
            // An unload asked for during the event happens once the outermost event is over.
            if (--Self.m_EventDepth == 0 && std::exchange(Self.m_UnloadPending, false) && Self.hWnd())
                PostMessageW(Self.hWnd(), kUnloadMessage, 0, 0);
        }
    } leave{*this};
    row->Handler(*this, args);
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        m_Focus.OnActivate(hWnd(), LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0,
                           m_Design.InitialFocus >= 0 ? &Controls(m_Design.InitialFocus) : nullptr);
        return 0;
    case WM_CLOSE:
    case kUnloadMessage:
        Unload();
        return 0;
    case WM_COMMAND:
        // Escape, through the dialog keys, closes a modal window as its close box does.
        if (lParam == 0 && LOWORD(wParam) == IDCANCEL && m_Modal)
            Unload();
        if (lParam == 0)
            return 0; // no control sent it
        break;
    case WM_NOTIFY:
        if (LRESULT result = 0; m_ToolTips.OnNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
        // High contrast switched, or the app mode (light or dark) chosen anew.
        if (wParam == SPI_SETHIGHCONTRAST ||
            (lParam && lstrcmpiW(reinterpret_cast<LPCWSTR>(lParam), L"ImmersiveColorSet") == 0))
            ColoursChanging();
        break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        ColoursChanging();
        break;
    case kColoursChangedMessage:
        m_ColoursChanging = false;
        OnColoursChanged();
        return 0;
    case WM_TIMER:
        if (wParam != kAfterShownTimer)
            break;
        RunAfterShown();
        return 0;
    default:
        break;
    }
    return Surface::OnMessage(message, wParam, lParam);
}

HWND Form::ControlToolTipWindow()
{
    return IsLoaded() ? m_ToolTips.Window(hWnd(), m_Controls, m_Dpi, m_Dark) : nullptr;
}
