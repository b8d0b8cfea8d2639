// The search window as a person sees and uses it, at every scale.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "WinTestSupport.h"
#include "links/Addresses.h"
#include "links/WebLinks.h"
#include "forms/MessageLoop.h"
#include "accessibility/Ole.h"
#include "platform/RuntimeError.h"
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

TEST_F(SearchWindow, ANewScaleKeepsTheTextAndTheWindowShowsTheProgramsIcon)
{
    Box().SetText(u"typed before");
    for (int dpi : {120, 144, 192, 96}) {
        ScaleTo(form, dpi);
        RECT client;
        GetClientRect(form.hWnd(), &client);
        EXPECT_NEAR(client.right + client.bottom, MulDiv(415 + 194, dpi, 96), 2) << dpi;
    }
    EXPECT_EQ(Box().GetText(), u"typed before");
    for (const auto& [kind, size] : {std::pair{ICON_BIG, 32}, {ICON_SMALL, 16}}) // the shell's own icon, ICON_0
        EXPECT_EQ(SendMessageW(form.hWnd(), WM_GETICON, kind, 0),
                  LPARAM(LoadImageA(GetModuleHandleW(nullptr), "ICON_0", IMAGE_ICON, size, size, LR_SHARED)));
}

TEST_F(SearchWindow, TheHandShowsOverTheLinksAlone)
{
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
    EXPECT_NE(hand, arrow);
}

TEST_F(SearchWindow, BlankOverlongAndFailedSearchesSaySoAndTheTextGoesInTheSystemsCodePage)
{
    LaunchRecorder recorder;
    const size_t fitting = (kLongestShellAddress - kSearch.size()) / 9; // a CJK letter goes in as nine
    for (const auto& [text, message] : {std::pair{Text(u"   "), L"Nessuna parola inserita per la ricerca"},
                                        {Text(fitting + 1, u'\u65e5'), L"Testo troppo lungo per la ricerca"}}) {
        Box().SetText(text);
        const SeenMessageBox box = ExpectMessageBox(L"Dide QV", [&] { Enter(); });
        EXPECT_EQ(box.Text, message);
        EXPECT_EQ(box.Icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32515)));
        EXPECT_EQ(box.Owner, form.hWnd()) << "modal to the search window";
        EXPECT_TRUE(Box().GetText() == text) << "the text stays";
    }
    ASSERT_EQ(GetACP(), 1252u) << "the addresses below are those of Windows-1252";
    for (const auto& [text, address] : {std::pair{u"citt\u00e0 \u20ac\t", "citt\xE0 \x80%09"},
                                        {u"\uff02\u65e5", "%EF%BC%82%E6%97%A5"} /* no best fit */}) {
        Box().SetText(text);
        form.cmdSearch_Click();
        EXPECT_EQ(recorder.Launches().back(), kSearch + address);
    }
    Box().SetText(Text(fitting, u'\u65e5'));
    form.cmdSearch_Click();
    EXPECT_EQ(recorder.Launches().size(), 3u) << "the longest text that fits is searched";

    LaunchRecorder failing(false); // no browser: every launch says so, and the window stays as it was
    for (const std::function<void()>& launch : std::initializer_list<std::function<void()>>{
             [&] { Enter(); }, [&] { ClickAt(Container(), CentreOf(Link(1))); },
             [&] { ClickAt(Container(), CentreOf(Link(3))); }, [&] { frmInfo::Instance().Image6_DblClick(); }})
        EXPECT_EQ(ExpectMessageBox(L"Dide QV", launch).Text, L"Nessun browser ha potuto aprire l'indirizzo");
    EXPECT_EQ(failing.Launches().size(), 4u);
    EXPECT_EQ(Box().GetText(), Text(fitting, u'\u65e5'));

    const SeenMessageBox info = ExpectMessageBox(L"Dide Quorvel", [&] { ClickAt(Container(), CentreOf(Link(2))); });
    EXPECT_EQ(info.Text, L"Dide Quorvel\r\nVersione 1.0.0.2\r\nIvo Marchetti") << "name, version, author";
    EXPECT_EQ(info.Icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32516)));
}

TEST_F(SearchWindow, TabGoesRoundEveryStopBothWaysTheDefaultButtonIsTheOneEnterPressesAndTheFocusComesBack)
{
    SetForegroundWindow(form.hWnd()), PumpFor(50);
    Box().SetFocus();
    const auto stop = [&] { // the focused control, which button is the default, and whether the focus comes back
        Control* focused = form.FocusedControl();
        Text seen = focused ? focused->AccessibleName() : u"";
        for (Control* button : {&form.Controls(Id::Command1), &form.Controls(Id::cmdSearch)})
            if ((GetWindowLongW(button->hWnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                seen += focused == button ? u" (default)" : u", " + button->AccessibleName() + u" default";
        AnotherProgram(); // and back
        SetActiveWindow(form.hWnd()), PumpFor(20);
        return form.FocusedControl() == focused ? seen : seen + u" (lost)";
    };
    const std::vector<Text> round = {u"thanks to Tavernix", u"Chiudi", u"Info", u"Esempi (default)", u"Quorvel home",
                                     u"Cerca in rete (default)",
                                     u"Inserire il nome del suono di riferimento, Cerca in rete default"};
    std::vector<Text> forwards, backwards;
    for (size_t i = 0; i < round.size(); ++i)
        PressKey(GetFocus(), VK_TAB), PumpFor(), forwards.push_back(stop());
    BYTE keyboard[256] = {}; // Shift held, as GetKeyState reports it
    keyboard[VK_SHIFT] = 0x80;
    SetKeyboardState(keyboard);
    for (size_t i = 0; i < round.size(); ++i)
        backwards.insert(backwards.begin(), stop()), PressKey(GetFocus(), VK_TAB), PumpFor();
    keyboard[VK_SHIFT] = 0;
    SetKeyboardState(keyboard);
    EXPECT_EQ(forwards, round);
    EXPECT_EQ(backwards, round) << "Shift+Tab goes the same way back";
}

TEST_F(SearchWindow, ABoxBelongsToTheWindowWhoseActionOpenedItAndOneEnterIsOneAction)
{
    const auto held = MessageBoxesFrom(L"Dide QV", [&] { Enter(); }, [](HWND box) {
        for (int repeat = 0; repeat < 3; ++repeat) // the Enter that opened the box, still held down
            PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
    });
    EXPECT_TRUE(held.size() == 1 && held.front().StayedOpen) << "the key's repeats closed the warning";
    AnotherProgram(); // a screen reader acts on "Info" twice, quickly, while another program is in front
    const auto boxes = MessageBoxesFrom(L"Dide Quorvel", [&] { Link(2).DoAccessibleAction(), Link(2).DoAccessibleAction(); });
    ASSERT_EQ(boxes.size(), 1u) << "the second action came while the box was up";
    EXPECT_TRUE(boxes.front().Owner == form.hWnd() && !boxes.front().OwnerEnabled);
}

namespace {
// The top-level error handler, in a process of its own which the error ends: says "as it should"
// when the box showed the error's number and description.
[[maybe_unused]] const bool registered = RegisterChildRoutine("untrapped-error", [] {
    SetShellLaunchForTesting(+[](const std::string&) -> bool { throw RuntimeError(1234, u"Shell", u"no shell"); });
    Control& box = ShownSearchWindow().Controls(Id::txtSearch);
    WatchWindows(L"Dide Quorvel", [&] { box.SetText(u"owl"), PressKey(box.hWnd(), VK_RETURN); }, [](HWND error) {
        wchar_t text[256] = {};
        GetDlgItemTextW(error, 0xFFFF, text, 256);
        if (std::wstring(text) == L"Errore di run-time '1234':\r\n\r\nDide QV")
            std::puts("as it should"), std::fflush(stdout);
        PostMessageW(error, WM_COMMAND, IDOK, 0);
    });
    return RunMessageLoop();
});

// In a process of its own, the window's first moments: 0 when all went as it should; 1: the search
// box had no description for a screen reader to read as soon as it existed; 2: the balloons were made
// before the window could show itself (and the scale change below would not test what it should);
// 4: meanwhile the window shows another icon; 8: a pointer resting on the box since before its
// balloon existed got none; 16: no balloons after the change of scale, or the box at the old size;
// 32: the window's own icons missing.
[[maybe_unused]] const bool opening = RegisterChildRoutine("first-moments", [] {
    frmGoogleVideo& form = frmGoogleVideo::Instance();
    form.Load();
    const Control& box = form.Controls(Id::txtSearch);
    int faults = box.AccessibleDescription().empty();
    form.Show();
    const auto icon = [&](int size) { return LPARAM(LoadImageA(ProgramInstance(), "ICON_0", IMAGE_ICON, size, size, LR_SHARED)); };
    faults |= (form.ToolTips() ? 2 : 0) | (GetClassLongPtrW(form.hWnd(), GCLP_HICON) == icon(32) ? 0 : 4);
    ScaleTo(form, 144); // before the balloons exist
    POINT centre = CentreOf(box);
    MapWindowPoints(box.ContainerWindow(), nullptr, &centre, 1);
    SetCursorPos(centre.x, centre.y);
    PumpFor(1000);
    RECT tool{};
    if (form.ToolTips() && form.ToolTips()->size() == 3)
        GetWindowRect(box.hWnd(), &tool);
    faults |= form.ToolTips() && IsWindowVisible(form.ToolTips()->front().second->hWnd()) ? 0 : 8;
    faults |= tool.right - tool.left == MulDiv(214, 144, 96) ? 0 : 16;
    return faults | (SendMessageW(form.hWnd(), WM_GETICON, ICON_BIG, 0) == icon(48) ? 0 : 32);
});
} // namespace
