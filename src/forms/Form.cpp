#include "forms/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "forms/Picture.h"
#include "forms/RuntimeError.h"
#include "forms/TextConversion.h"
#include "resources/EmbeddedData.h"

namespace {

constexpr wchar_t kFormClass[] = L"QuorvelForm";
constexpr wchar_t kPictureBoxClass[] = L"QuorvelPictureBox";
constexpr UINT kUnloadMessage = WM_APP + 1;
constexpr int kFirstControlId = 100;

int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int16_t ShiftState()
{
    return static_cast<int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

bool IsWindowless(ControlKind kind) { return kind == ControlKind::Label || kind == ControlKind::Image; }

HCURSOR ArrowCursor() { return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */); }

} // namespace


Text Control::GetText() const
{
    switch (m_Design->Kind) {
    case ControlKind::TextBox:
    case ControlKind::CommandButton:
        return WindowText(m_hWnd);
    case ControlKind::ListBox: {
        const int selected = ListIndex();
        return selected < 0 ? Text() : List(selected);
    }
    default:
        return m_Caption;
    }
}

void Control::SetText(TextView text)
{
    m_Caption.assign(text);
    if (m_hWnd)
        SetWindowTextW(m_hWnd, Wide(m_Caption));
    else if (m_ContainerWindow)
        InvalidateRect(m_ContainerWindow, &m_Bounds, TRUE);
}

void Control::Clear()
{
    SendMessageW(m_hWnd, LB_RESETCONTENT, 0, 0);
}

void Control::AddItem(TextView item)
{
    const Text copy(item);
    const LRESULT result = SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(copy)));
    if (result == LB_ERRSPACE)
        throw RuntimeError(kErrOutOfMemory, m_Design->Name, u"Memoria insufficiente");
}

void Control::AddItems(std::span<const TextView> items)
{
    SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_hWnd, LB_INITSTORAGE, items.size(), 0);
    for (TextView item : items)
        AddItem(item);
    SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

int Control::ListCount() const
{
    return static_cast<int>(SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0));
}

Text Control::List(int index) const
{
    const LRESULT length = SendMessageW(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return {};
    Text text(static_cast<size_t>(length) + 1, u'\0');
    SendMessageW(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int Control::ListIndex() const
{
    return static_cast<int>(SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0));
}


Form::Form(const FormDesign& design) : m_Design(design)
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ProgramInstance();
        windowClass.hCursor = ArrowCursor();
        windowClass.lpszClassName = kFormClass;
        RegisterClassExW(&windowClass);
        windowClass.lpszClassName = kPictureBoxClass;
        RegisterClassExW(&windowClass);
        return true;
    }();
    (void)registered;
}

Form::~Form()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

Form* Form::FromWindow(HWND window)
{
    if (!window || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) != WindowProc)
        return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Form::Load(HWND owner)
{
    if (m_hWnd)
        return;
    const int dpi = ScreenDpi();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                        (m_Design.MinButton ? WS_MINIMIZEBOX : 0);
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame{0, 0, Pixels(m_Design.ClientWidth, dpi), Pixels(m_Design.ClientHeight, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    m_Controls.clear();
    m_Controls.reserve(m_Design.Controls.size());
    for (const ControlDesign& row : m_Design.Controls)
        m_Controls.emplace_back(*this, row);

    const Text caption(m_Design.Caption);
    CreateWindowExW(exStyle, kFormClass, Wide(caption), style, left, top, width, height, owner, nullptr,
                    ProgramInstance(), this);
    if (!m_hWnd)
        throw RuntimeError(kErrInternal, m_Design.Name, u"Impossibile creare la finestra");

    if (m_Design.IconData) {
        m_Icon = IconFromIcoFile(*m_Design.IconData);
        SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_Icon.Get()));
    } else if (m_Design.IconResource) {
        const auto icon = LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(m_Design.IconResource), IMAGE_ICON,
                                     0, 0, LR_SHARED | LR_DEFAULTSIZE);
        SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }

    BuildControls(dpi);
    Form_Load();
}

void Form::BuildControls(int dpi)
{
    for (Control& control : m_Controls) {
        const ControlDesign& row = control.Design();
        control.m_Caption = row.Caption ? row.Caption : u"";
        control.m_Font = FontFor(row.Font ? row.Font : m_Design.DefaultFont, dpi);
        control.m_Cursor = CursorFor(row.MouseIcon);
        control.m_Bounds = {Pixels(row.Left, dpi), Pixels(row.Top, dpi), 0, 0};
        control.m_Bounds.right = control.m_Bounds.left + Pixels(row.Width, dpi);
        control.m_Bounds.bottom = control.m_Bounds.top + Pixels(row.Height, dpi);
        if (row.Picture) {
            m_Pictures.push_back(DecodeJpeg(*row.Picture));
            control.m_Picture = static_cast<HBITMAP>(m_Pictures.back().Get());
        }
        if (row.Kind == ControlKind::Image && control.m_Picture) {
            // Not stretched: the image takes the picture's natural size.
            BITMAP bitmap{};
            GetObjectW(control.m_Picture, sizeof(bitmap), &bitmap);
            control.m_Bounds.right = control.m_Bounds.left + bitmap.bmWidth;
            control.m_Bounds.bottom = control.m_Bounds.top + bitmap.bmHeight;
        }
        if (row.Kind == ControlKind::Label && row.AutoSize) {
            HDC screen = GetDC(nullptr);
            {
                ScopedSelect font(screen, control.m_Font);
                RECT measured{};
                DrawTextW(screen, Wide(control.m_Caption), -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
                control.m_Bounds.right = control.m_Bounds.left + measured.right;
                control.m_Bounds.bottom = control.m_Bounds.top + measured.bottom;
            }
            ReleaseDC(nullptr, screen);
        }
    }

    // Containers first, so their children have a window to live in; then the controls that
    // take the focus in tab order, since a window's child order is its tab order.
    std::vector<Control*> windowed;
    for (Control& control : m_Controls) {
        if (control.Design().Kind == ControlKind::PictureBox)
            CreateControlWindow(control);
        else if (!IsWindowless(control.Design().Kind))
            windowed.push_back(&control);
    }
    std::stable_sort(windowed.begin(), windowed.end(),
                     [](const Control* a, const Control* b) { return a->Design().TabIndex < b->Design().TabIndex; });
    for (Control* control : windowed)
        CreateControlWindow(*control);
    for (Control& control : m_Controls)
        control.m_ContainerWindow = ContainerWindowOf(control);
}

HWND Form::ContainerWindowOf(const Control& control)
{
    const int container = control.Design().Container;
    return container == kOnForm ? m_hWnd : Controls(container).hWnd();
}

void Form::CreateControlWindow(Control& control)
{
    const ControlDesign& row = control.Design();
    HWND container = ContainerWindowOf(control);
    const wchar_t* windowClass = nullptr;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (row.Kind) {
    case ControlKind::PictureBox:
        windowClass = kPictureBoxClass;
        style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        exStyle = WS_EX_CONTROLPARENT;
        break;
    case ControlKind::TextBox:
        windowClass = WC_EDITW;
        style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::CommandButton:
        windowClass = WC_BUTTONW;
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case ControlKind::ListBox:
        windowClass = WC_LISTBOXW;
        style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    default:
        return;
    }
    const RECT& r = control.m_Bounds;
    const auto id = static_cast<UINT_PTR>(kFirstControlId + (&control - m_Controls.data()));
    control.m_hWnd = CreateWindowExW(exStyle, windowClass, Wide(control.m_Caption), style, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, container, reinterpret_cast<HMENU>(id),
                                     ProgramInstance(), this);
    if (!control.m_hWnd)
        throw RuntimeError(kErrInternal, row.Name, u"Impossibile creare il controllo");
    SendMessageW(control.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(control.m_Font), FALSE);
    if (row.Kind == ControlKind::TextBox) {
        SendMessageW(control.m_hWnd, EM_SETLIMITTEXT, 0, 0); // no length limit
        SetWindowSubclass(control.m_hWnd, TextBoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
}

HWND Form::ControlToolTipWindow()
{
    if (m_hWnd && !m_ControlToolTipsMade)
        AddControlToolTips();
    return m_ToolTips;
}

void Form::AddControlToolTips()
{
    m_ControlToolTipsMade = true;
    for (Control& control : m_Controls) {
        if (!control.Design().ToolTip)
            continue;
        if (!m_ToolTips) {
            m_ToolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                         ProgramInstance(), nullptr);
        }
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS;
        tool.lpszText = const_cast<wchar_t*>(Wide(control.Design().ToolTip));
        if (control.m_hWnd) {
            tool.uFlags |= TTF_IDISHWND;
            tool.hwnd = control.m_hWnd;
            tool.uId = reinterpret_cast<UINT_PTR>(control.m_hWnd);
        } else {
            tool.hwnd = control.m_ContainerWindow;
            tool.uId = static_cast<UINT_PTR>(&control - m_Controls.data());
            tool.rect = control.m_Bounds;
        }
        SendMessageW(m_ToolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

HFONT Form::FontFor(const FontDesign* font, int dpi)
{
    if (!font)
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // One font object per design font, however many controls share it.
    for (const auto& [design, made] : m_Fonts) {
        if (design == font)
            return static_cast<HFONT>(made.Get());
    }
    const int height = -MulDiv(font->PointsX100, dpi, 7200);
    m_Fonts.emplace_back(font, ScopedGdiObject(CreateFontW(height, 0, 0, 0, font->Bold ? FW_BOLD : FW_NORMAL, FALSE,
                                                           font->Underline, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                           DEFAULT_PITCH | FF_DONTCARE, font->Face)));
    return static_cast<HFONT>(m_Fonts.back().second.Get());
}

HCURSOR Form::CursorFor(const EmbeddedData* data)
{
    if (!data)
        return nullptr;
    for (const auto& [source, made] : m_Cursors) {
        if (source == data)
            return made.Get();
    }
    m_Cursors.emplace_back(data, CursorFromCurFile(*data));
    return m_Cursors.back().second.Get();
}

void Form::Discard()
{
    // The window and its children are gone by now; what remains are the objects they drew with.
    m_hWnd = nullptr;
    m_ToolTips = nullptr;
    m_ControlToolTipsMade = false;
    m_LastFocus = nullptr;
    m_Pressed = nullptr;
    m_Controls.clear();
    m_Fonts.clear();
    m_Pictures.clear();
    m_Cursors.clear();
    m_Icon.Reset();
}

Control& Form::Controls(int id, int16_t index)
{
    for (Control& control : m_Controls) {
        if (control.Id() == id && control.Index() == index)
            return control;
    }
    throw RuntimeError(kErrInternal, m_Design.Name, u"Controllo inesistente");
}


void Form::Show()
{
    Load();
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    UpdateWindow(m_hWnd);
}

void Form::ShowModal()
{
    HWND owner = GetActiveWindow();
    if (!Form::FromWindow(owner))
        owner = nullptr;
    Load(owner);

    // Every other window of the program takes no input while this one is open.
    EnumThreadWindows(GetCurrentThreadId(), DisableForModal, reinterpret_cast<LPARAM>(this));

    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    UpdateWindow(m_hWnd);
    while (m_hWnd) {
        if (!PumpMessage())
            break;
    }
    Unload();
}

BOOL CALLBACK Form::DisableForModal(HWND window, LPARAM modal)
{
    return GuardedCall([&]() -> BOOL {
        auto* form = reinterpret_cast<Form*>(modal);
        if (window != form->m_hWnd && Form::FromWindow(window) && IsWindowEnabled(window)) {
            form->m_DisabledByModal.push_back(window);
            EnableWindow(window, FALSE);
        }
        return TRUE;
    });
}

void Form::Unload()
{
    if (!m_hWnd)
        return;
    if (m_EventDepth > 0) {
        // Destroying a control inside its own notification would pull the window out from
        // under the code still running for it.
        PostMessageW(m_hWnd, kUnloadMessage, 0, 0);
        return;
    }
    // Enable the owner before this window goes, so the activation returns to it.
    for (HWND window : m_DisabledByModal)
        EnableWindow(window, TRUE);
    m_DisabledByModal.clear();
    DestroyWindow(m_hWnd);
}

void Form::FocusInitialControl()
{
    if (m_Design.InitialFocus >= 0) {
        SetFocus(Controls(m_Design.InitialFocus).hWnd());
        return;
    }
    const Control* first = nullptr;
    for (const Control& control : m_Controls) {
        const ControlKind kind = control.Design().Kind;
        if (control.hWnd() && kind != ControlKind::PictureBox && control.Design().TabIndex != kNoTabStop &&
            (!first || control.Design().TabIndex < first->Design().TabIndex))
            first = &control;
    }
    SetFocus(first ? first->hWnd() : m_hWnd);
}


void Form::Raise(Control& control, FormEvent event, const EventArgs& args)
{
    ++m_EventDepth;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{m_EventDepth};
    OnEvent(control, event, args);
}

Control* Form::ControlOfWindow(HWND window)
{
    for (Control& control : m_Controls) {
        if (control.hWnd() == window)
            return &control;
    }
    return nullptr;
}

Control* Form::WindowlessAt(HWND container, POINT point)
{
    // Earlier rows lie on top, so the first hit is the one the user sees.
    for (Control& control : m_Controls) {
        if (!control.hWnd() && control.m_ContainerWindow == container && PtInRect(&control.m_Bounds, point))
            return &control;
    }
    return nullptr;
}

void Form::Paint(HWND container, HDC dc)
{
    RECT client;
    GetClientRect(container, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    // Bottom to top: the last row is drawn first.
    for (auto it = m_Controls.rbegin(); it != m_Controls.rend(); ++it) {
        Control& control = *it;
        if (control.hWnd() || control.m_ContainerWindow != container)
            continue;
        const RECT& r = control.m_Bounds;
        if (control.Design().Kind == ControlKind::Image && control.m_Picture) {
            HDC pictureDc = CreateCompatibleDC(dc);
            {
                ScopedSelect picture(pictureDc, control.m_Picture);
                BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, pictureDc, 0, 0, SRCCOPY);
            }
            DeleteDC(pictureDc);
        } else if (control.Design().Kind == ControlKind::Label) {
            ScopedSelect font(dc, control.m_Font);
            const int32_t colour = control.Design().ForeColour;
            SetTextColor(dc, colour == kDefaultColour ? GetSysColor(COLOR_BTNTEXT) : static_cast<COLORREF>(colour));
            RECT box = r;
            DrawTextW(dc, Wide(control.m_Caption), -1, &box, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        }
    }
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedCall([&]() -> LRESULT {
        if (message == WM_NCCREATE) {
            auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
            if (!form->m_hWnd)
                form->m_hWnd = window;
        }
        auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!form)
            return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            if (window == form->m_hWnd)
                form->Discard();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return form->HandleMessage(window, message, wParam, lParam);
    });
}

LRESULT Form::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool isTopLevel = window == m_hWnd;
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        // Drawn off screen first, so the picture and the captions on it never flicker.
        HDC buffer = CreateCompatibleDC(dc);
        ScopedGdiObject bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        {
            ScopedSelect select(buffer, bitmap.Get());
            Paint(window, buffer);
            BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
        }
        DeleteDC(buffer);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT) {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(window, &point);
            const Control* control = WindowlessAt(window, point);
            SetCursor(control && control->Cursor() ? control->Cursor() : ArrowCursor());
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        // From here on the tooltips watch the pointer themselves.
        if (!m_ControlToolTipsMade)
            AddControlToolTips();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        Control* control = WindowlessAt(window, point);
        if (message == WM_LBUTTONDOWN) {
            m_Pressed = control;
            if (control)
                SetCapture(window);
        } else if (message == WM_LBUTTONUP) {
            Control* pressed = std::exchange(m_Pressed, nullptr);
            if (GetCapture() == window)
                ReleaseCapture();
            // A click is a press and a release on the same control.
            if (control && control == pressed)
                Raise(*control, FormEvent::Click);
        } else if (control) {
            m_Pressed = nullptr;
            Raise(*control, FormEvent::DblClick);
        }
        return 0;
    }
    case WM_COMMAND: {
        Control* control = ControlOfWindow(reinterpret_cast<HWND>(lParam));
        if (!control)
            break;
        const WORD code = HIWORD(wParam);
        const ControlKind kind = control->Design().Kind;
        if (kind == ControlKind::CommandButton && code == BN_CLICKED)
            Raise(*control, FormEvent::Click);
        else if (kind == ControlKind::ListBox && code == LBN_SELCHANGE)
            Raise(*control, FormEvent::Click); // any selection change the user makes
        else if (kind == ControlKind::ListBox && code == LBN_DBLCLK)
            Raise(*control, FormEvent::DblClick);
        return 0;
    }
    case WM_ACTIVATE:
        if (!isTopLevel)
            break;
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(m_hWnd, focus))
                m_LastFocus = focus;
        } else if (!HIWORD(wParam)) {
            // Like a dialog: the focus goes back to the control that had it.
            if (m_LastFocus && IsWindow(m_LastFocus) && IsChild(m_hWnd, m_LastFocus))
                SetFocus(m_LastFocus);
            else
                FocusInitialControl();
        }
        return 0;
    case WM_CLOSE:
        if (isTopLevel) {
            Unload();
            return 0;
        }
        break;
    case WM_DESTROY:
        if (isTopLevel && m_EndsProgram)
            PostQuitMessage(0);
        break;
    case kUnloadMessage:
        if (isTopLevel) {
            Unload();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Form::TextBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR form)
{
    return GuardedCall([&] { return reinterpret_cast<Form*>(form)->HandleTextBoxMessage(window, message, wParam, lParam); });
}

LRESULT Form::HandleTextBoxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter belongs to the text box's own key-down event, not to a default button.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = DefSubclassProc(window, message, wParam, lParam);
        if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        if (Control* control = ControlOfWindow(window)) {
            Raise(*control, FormEvent::KeyDown, {static_cast<int16_t>(wParam), ShiftState()});
            if (!IsWindow(window))
                return 0;
        }
        break;
    case WM_CHAR:
        // A single-line box has no use for Enter's character; it would only beep.
        if (wParam == '\r' || wParam == '\n')
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, TextBoxProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}


void DeliverMessage(MSG& message)
{
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && Form::FromWindow(root) && IsDialogMessageW(root, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool PumpMessage()
{
    MSG message;
    const BOOL result = GetMessageW(&message, nullptr, 0, 0);
    if (result == 0 || result == -1) {
        PostQuitMessage(static_cast<int>(message.wParam)); // the outer loop must see it too
        return false;
    }
    DeliverMessage(message);
    return true;
}

int RunMessageLoop()
{
    MSG message;
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1)
            return 1;
        DeliverMessage(message);
    }
    return static_cast<int>(message.wParam);
}

int MsgBox(TextView prompt, UINT style, TextView title)
{
    const Text promptText(prompt), titleText(title);
    HWND owner = GetActiveWindow();
    return MessageBoxW(Form::FromWindow(owner) ? owner : nullptr, Wide(promptText), Wide(titleText), style);
}
