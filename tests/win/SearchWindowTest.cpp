// The search window as a person sees and uses it, at every scale.
#include <gtest/gtest.h>

#include <functional>

#include "WinTestSupport.h"
#include "app/Addresses.h"
#include "app/WebLinks.h"
#include "app/mXPManifest.h"
#include "forms/MessageLoop.h"
#include "forms/RuntimeError.h"
#include "tooltip/cToolTip.h"

namespace {

using Id = frmGoogleVideo::ControlId;
const std::string kSearch = kSearchAddress;

struct SearchWindow : testing::Test {
    void SetUp() override { Box().SetText(u""); }
    Control& Box() { return form.Controls(Id::txtSearch); }
    Control& Link(int16_t index) { return form.Controls(Id::Label2, index); }
    HWND Container() { return form.Controls(Id::Picture1).hWnd(); }
    void Enter() { PressKey(Box().hWnd(), VK_RETURN), PumpFor(); }
    frmGoogleVideo& form = ShownSearchWindow();
};

} // namespace

TEST_F(SearchWindow, EveryControlStandsAtItsDesignedPixelsTimesTheScale)
{
    const std::pair<Id, RECT> designed[] = {// left, top, width, height at 96 DPI
        {Id::Picture1, {1, -2, 422, 217}}, {Id::Command1, {244, 115, 40, 22}}, {Id::txtSearch, {28, 115, 214, 22}},
        {Id::cmdSearch, {287, 115, 103, 22}}, {Id::Label1, {194, 5, 223, 14}}, {Id::Label3, {27, 139, 233, 13}},
        {Id::Image1, {-1, -3, 422, 226}}};
    Box().SetText(u"typed before");
    for (int dpi : {96, 120, 144, 192, 96}) {
        ScaleTo(form, dpi);
        RECT client;
        GetClientRect(form.hWnd(), &client);
        EXPECT_NEAR(client.right + client.bottom, MulDiv(415 + 194, dpi, 96), 2) << dpi;
        for (const auto& [id, box] : designed) {
            const RECT& r = form.Controls(id).Bounds();
            const LONG designedPixels[] = {box.left, box.top, box.right, box.bottom};
            const LONG got[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
            for (int i = 0; i < 4; ++i)
                EXPECT_NEAR(got[i], MulDiv(designedPixels[i], dpi, 96), 1) << dpi << " " << id;
        }
        BITMAP picture{}; // the background is drawn to the size of its box
        GetObjectW(form.Controls(Id::Image1).Picture(), sizeof(picture), &picture);
        EXPECT_EQ(picture.bmWidth, MulDiv(422, dpi, 96));
        for (int16_t index = 0; index < 4; ++index)
            EXPECT_LE(Link(index).Bounds().right, client.right) << "a link leaves the window at " << dpi;
    }
    EXPECT_EQ(Box().GetText(), u"typed before");
    EXPECT_EQ(Link(0).Bounds().left * 1000 + Link(2).Bounds().top, 359150) << "Chiudi, Info at their corners";
    SendMessageW(form.hWnd(), WM_SETICON, ICON_BIG, 0), SendMessageW(form.hWnd(), WM_SETICON, ICON_SMALL, 0);
    HWND balloon = form.ToolTips()->front().second->hWnd(); // owned by the search window
    InstallWindowIcons(balloon, u"ICON_0", true);           // so its top owner gets the icons too
    for (const auto& [kind, size] : {std::pair{ICON_BIG, 32}, {ICON_SMALL, 16}}) // the shell's own icon, ICON_0
        for (HWND window : {form.hWnd(), balloon})
            EXPECT_EQ(SendMessageW(window, WM_GETICON, kind, 0),
                      LPARAM(LoadImageA(GetModuleHandleW(nullptr), "ICON_0", IMAGE_ICON, size, size, LR_SHARED)));
}

TEST_F(SearchWindow, LinksAreBlueAndUnderlinedOnThePictureWithTheHandOverThem)
{
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, CreateCompatibleBitmap(screen, 430, 230));
    SendMessageW(Container(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    for (const auto& [control, colour] : {std::pair{&Link(0), RGB(0, 0, 255)}, {&Link(3), RGB(0, 0, 255)},
                                          {&form.Controls(Id::Label3), RGB(255, 0, 0)},
                                          {&form.Controls(Id::Label1), RGB(128, 128, 128)}}) {
        int inColour = 0, picture = 0; // without a background of their own: the picture shows round them
        const RECT& r = control->Bounds();
        for (LONG at = 0; at < (r.right - r.left) * (r.bottom - r.top); ++at) {
            const COLORREF pixel = GetPixel(dc, r.left + at % (r.right - r.left), r.top + at / (r.right - r.left));
            inColour += pixel == colour, picture += pixel != colour && pixel != GetSysColor(COLOR_BTNFACE);
        }
        EXPECT_TRUE(inColour > 10 && picture > 10) << inColour << " " << picture;
        LOGFONTW font{};
        GetObjectW(control->Font(), sizeof(font), &font);
        EXPECT_EQ(font.lfUnderline != 0, colour == RGB(0, 0, 255)) << "only the links are underlined";
    }
    DeleteObject(SelectObject(dc, old)), DeleteDC(dc), ReleaseDC(nullptr, screen);
    const auto cursorAt = [&](POINT point) {
        ClientToScreen(Container(), &point);
        SetCursorPos(point.x, point.y);
        SendMessageW(Container(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Container()), MAKELPARAM(HTCLIENT, 0));
        return GetCursor();
    };
    HCURSOR hand = cursorAt(CentreOf(Link(0))), arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    for (const auto& [point, cursor] : {std::pair{CentreOf(Link(1)), hand}, {CentreOf(Link(2)), hand},
                                        {CentreOf(Link(3)), hand}, {CentreOf(form.Controls(Id::Label3)), arrow},
                                        {POINT{300, 60}, arrow}})
        EXPECT_EQ(cursorAt(point), cursor);
    ICONINFO info{};
    GetIconInfo(hand, &info);
    EXPECT_EQ(info.xHotspot * 100 + info.yHotspot, 1201u) << "a hand with the fingertip at (12, 1)";
    DeleteObject(info.hbmMask), DeleteObject(info.hbmColor);
}

TEST_F(SearchWindow, EnterInEveryFormAndTheButtonSearchTheTextAsTyped)
{
    LaunchRecorder recorder;
    Box().SetText(u"blackbird");
    for (int held : {0, VK_SHIFT, VK_CONTROL}) {
        HoldKeys({held});
        Enter();
    }
    HoldKeys({VK_MENU});
    PostMessageW(Box().hWnd(), WM_SYSKEYDOWN, VK_RETURN, 1 | (1 << 29)); // Alt+Enter
    PumpFor();
    HoldKeys({});
    SendMessageW(form.Controls(Id::cmdSearch).hWnd(), BM_CLICK, 0, 0);
    for (int i = 0; i < 49; ++i) // held down: the first press and 48 auto-repeats search once
        PostMessageW(Box().hWnd(), WM_KEYDOWN, VK_RETURN, 1 | (i > 0 ? 1 << 30 : 0));
    PressKey(Box().hWnd(), VK_ESCAPE), PressKey(Box().hWnd(), VK_TAB); // other keys search nothing
    PumpFor(20);
    EXPECT_EQ(recorder.Launches(), std::vector<std::string>(6, kSearch + "blackbird"));
    EXPECT_EQ(Box().GetText(), u"blackbird");

    ASSERT_EQ(GetACP(), 1252u) << "the addresses below are those of Windows-1252";
    for (const auto& [text, address] : {std::pair{u"citt\u00e0 \u20ac\t", "citt\xE0 \x80\t"},
                                        {u"\uff02\u65e5", "%EF%BC%82%E6%97%A5"} /* no best fit */}) {
        Box().SetText(text);
        form.cmdSearch_Click();
        EXPECT_EQ(recorder.Launches().back(), kSearch + address);
    }
}

TEST_F(SearchWindow, BlankAndOverlongSearchesInfoAndTheLinksAnswer)
{
    LaunchRecorder recorder;
    const size_t fitting = (kLongestShellAddress - kSearch.size()) / 9; // a CJK letter goes in as nine
    const Text megabyte(1 << 20, u'x');
    OpenClipboard(nullptr), EmptyClipboard(); // pasted, as a person would: the box takes it all
    HGLOBAL clip = GlobalAlloc(GMEM_MOVEABLE, (megabyte.size() + 1) * 2);
    CopyMemory(GlobalLock(clip), megabyte.c_str(), (megabyte.size() + 1) * 2), GlobalUnlock(clip);
    SetClipboardData(CF_UNICODETEXT, clip), CloseClipboard();
    for (const auto& [text, message] : {std::pair{Text(u"   "), L"Nessuna parola inserita per la ricerca"},
                                        {Text(fitting + 1, u'\u65e5'), L"Testo troppo lungo per la ricerca"},
                                        {megabyte, L"Testo troppo lungo per la ricerca"}}) {
        Box().SetText(text.size() > 1000 ? u"" : text);
        if (text.size() > 1000)
            SendMessageW(Box().hWnd(), WM_PASTE, 0, 0);
        const SeenMessageBox box = ExpectMessageBox(L"Dide QV", [&] { Enter(); });
        EXPECT_EQ(box.Text, message);
        EXPECT_EQ(box.Icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32515)));
        EXPECT_TRUE(box.OkAlone && box.Owner == form.hWnd()) << "OK alone, modal to the search window";
        EXPECT_TRUE(Box().GetText() == text) << "the text stays, all of it";
    }
    Box().SetText(Text(fitting, u'\u65e5'));
    form.cmdSearch_Click();
    EXPECT_EQ(recorder.Launches().size(), 1u);

    LaunchRecorder failing(false); // no browser: every launch says so, and the window stays as it was
    for (const std::function<void()>& launch : std::initializer_list<std::function<void()>>{
             [&] { Enter(); }, [&] { ClickAt(Container(), CentreOf(Link(1))); },
             [&] { ClickAt(Container(), CentreOf(Link(3))); }, [&] { frmInfo::Instance().Image6_DblClick(); }}) {
        const SeenMessageBox box = ExpectMessageBox(L"Dide QV", launch);
        EXPECT_EQ(box.Text, L"Nessun browser ha potuto aprire l'indirizzo");
        EXPECT_EQ(box.Icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32515)));
    }
    EXPECT_EQ(failing.Launches().size(), 4u);
    EXPECT_EQ(Box().GetText(), Text(fitting, u'\u65e5'));

    const SeenMessageBox info = ExpectMessageBox(L"Dide Quorvel", [&] { ClickAt(Container(), CentreOf(Link(2))); });
    EXPECT_EQ(info.Text, L"Dide Quorvel\r\nVersione 1.0.0.2\r\nIvo Marchetti") << "name, version, author";
    EXPECT_EQ(info.Icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32516)));
    LaunchRecorder links;
    ClickAt(Container(), CentreOf(Link(1))), ClickAt(Container(), CentreOf(Link(3))), PumpFor();
    EXPECT_EQ(links.Launches(), (std::vector<std::string>{kSponsorAddress, kHomeAddress}));
}

TEST_F(SearchWindow, TabGoesRoundEveryStopBothWaysAndOnlyAFocusedButtonIsTheDefault)
{
    SetForegroundWindow(form.hWnd()), PumpFor(50);
    Box().SetFocus();
    const auto focused = [&] {
        Control* control = form.FocusedControl();
        return control ? control->AccessibleName() : u"";
    };
    const auto defaults = [&] {
        Text buttons;
        for (Id id : {Id::Command1, Id::cmdSearch})
            if ((GetWindowLongW(form.Controls(id).hWnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                buttons += form.Controls(id).AccessibleName();
        return buttons;
    };
    const std::vector<Text> round = {u"thanks to Tavernix", u"Chiudi", u"Info", u"Esempi", u"Quorvel home",
                                     u"Cerca in rete", u"Inserire il nome del suono di riferimento"};
    std::vector<Text> forwards, backwards;
    for (size_t i = 0; i < round.size(); ++i) {
        PressKey(GetFocus(), VK_TAB), PumpFor();
        forwards.push_back(focused() + u" " + defaults());
    }
    HoldKeys({VK_SHIFT});
    for (size_t i = 0; i < round.size(); ++i)
        PressKey(GetFocus(), VK_TAB), PumpFor(), backwards.insert(backwards.begin(), focused());
    HoldKeys({});
    for (size_t i = 0; i < round.size(); ++i) {
        const bool button = round[i] == u"Esempi" || round[i] == u"Cerca in rete";
        EXPECT_EQ(forwards[i], round[i] + u" " + (button ? round[i] : u"")) << "the focused button alone is default";
        EXPECT_EQ(backwards[(i + 1) % round.size()], round[i]) << "Shift+Tab goes the same way back";
    }
}

namespace {
// In a process of its own, which the error ends: 1 when the box said what it should.
[[maybe_unused]] const bool registered = RegisterChildRoutine("untrapped-error", [] {
    SetShellLaunchForTesting(+[](const std::string&) -> bool { throw RuntimeError(1234, u"Shell", u"no shell"); });
    WhenWindowAppears(L"Dide Quorvel", [](HWND box) {
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        if (std::wstring(text) != L"Errore di run-time '1234':\r\n\r\nDide QV")
            ExitProcess(2);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ShownSearchWindow().Controls(Id::txtSearch).SetText(u"owl");
    PressKey(ShownSearchWindow().Controls(Id::txtSearch).hWnd(), VK_RETURN);
    return RunMessageLoop();
});
} // namespace

TEST(TopLevelErrorHandler, ShowsTheNumberAndDescriptionOfTheSearchsErrorThenEndsTheProgram)
{
    EXPECT_EQ(ChildExitCode("untrapped-error"), 1u);
}

namespace {
// In a process of its own, the window's first moments: 0 when all went as it should.
[[maybe_unused]] const bool opening = RegisterChildRoutine("first-moments", [] {
    frmGoogleVideo& form = frmGoogleVideo::Instance();
    form.Show();
    const auto icon = [&](int size) { return LPARAM(LoadImageA(ProgramInstance(), "ICON_0", IMAGE_ICON, size, size, LR_SHARED)); };
    // 1: the balloons were made before the window could show itself (and the scale change
    // below would not test what it should); 2: meanwhile the window shows another icon.
    int faults = (form.ToolTips() ? 1 : 0) | (GetClassLongPtrW(form.hWnd(), GCLP_HICON) == icon(32) ? 0 : 2);
    ScaleTo(form, 144); // before the balloons exist
    PumpFor(50);
    // 4: no balloons, or balloons measured at the old scale; 8: the window's own icons missing.
    RECT tool{};
    if (form.ToolTips() && form.ToolTips()->size() == 3)
        GetWindowRect(form.Controls(Id::txtSearch).hWnd(), &tool);
    faults |= tool.right - tool.left == MulDiv(214, 144, 96) ? 0 : 4;
    faults |= SendMessageW(form.hWnd(), WM_GETICON, ICON_BIG, 0) == icon(48) ? 0 : 8;
    return faults;
});
} // namespace

TEST(SearchWindowOpening, ShowsTheProgramsIconAtOnceAndMakesTheBalloonsOnceOnScreen)
{
    EXPECT_EQ(ChildExitCode("first-moments"), 0u);
    // The child's window took the activation with it; this process's window gets it back, as a
    // click on it would, so the windows the next tests open are activated.
    SetForegroundWindow(ShownSearchWindow().hWnd());
    PumpFor(100);
}
