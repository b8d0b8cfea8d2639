// The search window as built from its design, driven through its own message handling.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "WinTestSupport.h"
#include "app/Hosts.h"
#include "app/WebLinks.h"
#include "app/frmGoogleVideo.h"
#include "forms/RuntimeError.h"
#include "forms/TextConversion.h"

namespace {

using Id = frmGoogleVideo::ControlId;

const std::string kSearchPrefix = std::string("http://") + kServiceHost + "/ISAPI/search.dll?keywords=";

class SearchWindow : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextBox(u"");
    }

    void SetTextBox(TextView text) { form.Controls(Id::txtSearch).SetText(text); }
    HWND TextBox() { return form.Controls(Id::txtSearch).hWnd(); }
    Control& Link(int16_t index) { return form.Controls(Id::Label2, index); }
    HWND Container() { return form.Controls(Id::Picture1).hWnd(); }

    frmGoogleVideo& form = ShownSearchWindow();
};

RECT PixelRect(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected)
{
    if (EqualRect(&actual, &expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.left << "," << actual.top << ")-(" << actual.right << ","
                                         << actual.bottom << ") instead of (" << expected.left << "," << expected.top
                                         << ")-(" << expected.right << "," << expected.bottom << ")";
}

LOGFONTW FontOf(const Control& control)
{
    LOGFONTW font{};
    GetObjectW(control.Font(), sizeof(font), &font);
    return font;
}

} // namespace

TEST_F(SearchWindow, WindowIsFixedSizeCentredAndCaptioned)
{
    HWND window = form.hWnd();
    EXPECT_EQ(WindowText(window), u"Quorvel - tutti i file audio in rete :-)");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 415);
    EXPECT_EQ(client.bottom, 194);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "resizable";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "can be maximised";
    EXPECT_TRUE(style & WS_SYSMENU);

    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    // Picture1 is the window's one child; everything else lives inside it.
    EXPECT_EQ(GetWindow(window, GW_CHILD), Container());
    EXPECT_EQ(GetWindow(Container(), GW_HWNDNEXT), nullptr);
}

TEST_F(SearchWindow, ControlsStandWhereTheDesignPutsThemAt96Dpi)
{
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);

    EXPECT_TRUE(SameRect(form.Controls(Id::Picture1).Bounds(), PixelRect(1, -2, 422, 217)));
    EXPECT_TRUE(SameRect(form.Controls(Id::Command1).Bounds(), PixelRect(244, 115, 40, 22)));
    EXPECT_TRUE(SameRect(form.Controls(Id::txtSearch).Bounds(), PixelRect(28, 115, 214, 22)));
    EXPECT_TRUE(SameRect(form.Controls(Id::cmdSearch).Bounds(), PixelRect(287, 115, 103, 22)));
    EXPECT_TRUE(SameRect(form.Controls(Id::Label1).Bounds(), PixelRect(194, 5, 223, 14)));
    EXPECT_TRUE(SameRect(form.Controls(Id::Label3).Bounds(), PixelRect(27, 139, 233, 13)));
    EXPECT_TRUE(SameRect(form.Controls(Id::Image1).Bounds(), PixelRect(-1, -3, 422, 226)));

    // Windowed controls really sit there inside their container.
    for (Id id : {Id::Command1, Id::txtSearch, Id::cmdSearch}) {
        const Control& control = form.Controls(id);
        RECT actual;
        GetWindowRect(control.hWnd(), &actual);
        MapWindowPoints(nullptr, Container(), reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_TRUE(SameRect(actual, control.Bounds())) << std::string(control.Name().begin(), control.Name().end());
    }
    RECT picture;
    GetWindowRect(Container(), &picture);
    MapWindowPoints(nullptr, form.hWnd(), reinterpret_cast<POINT*>(&picture), 2);
    EXPECT_TRUE(SameRect(picture, PixelRect(1, -2, 422, 217)));

    // The links size themselves to their captions in their own fonts; "Chiudi" and "Info"
    // kept their designed captions, so their boxes come out as designed.
    HDC dc = GetDC(nullptr);
    for (int16_t index = 0; index < 4; ++index) {
        const Control& link = Link(index);
        SIZE extent{};
        HGDIOBJ old = SelectObject(dc, link.Font());
        const Text caption = link.GetText();
        GetTextExtentPoint32W(dc, Wide(caption), static_cast<int>(caption.size()), &extent);
        SelectObject(dc, old);
        const RECT& bounds = link.Bounds();
        EXPECT_EQ(bounds.right - bounds.left, extent.cx) << "Label2 " << index;
        EXPECT_EQ(bounds.bottom - bounds.top, extent.cy) << "Label2 " << index;
        EXPECT_NEAR(extent.cy, 13, 1) << "Label2 " << index;
    }
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(Link(0).Bounds().left, 359);
    EXPECT_EQ(Link(0).Bounds().top, 181);
    EXPECT_NEAR(Link(0).Bounds().right - Link(0).Bounds().left, 36, 3);
    EXPECT_EQ(Link(1).Bounds().left, 92);
    EXPECT_EQ(Link(2).Bounds().left, 7);
    EXPECT_EQ(Link(2).Bounds().top, 150);
    EXPECT_NEAR(Link(2).Bounds().right - Link(2).Bounds().left, 18, 3);
    EXPECT_EQ(Link(3).Bounds().left, 4);
    EXPECT_EQ(Link(3).Bounds().top, 181);
}

TEST_F(SearchWindow, CaptionsFontsAndColoursAreTheDesigned)
{
    EXPECT_EQ(form.Controls(Id::Command1).GetText(), u"...");
    EXPECT_EQ(form.Controls(Id::cmdSearch).GetText(), u"&Cerca in rete");
    EXPECT_EQ(form.Controls(Id::Label3).GetText(), u"Note: inserire parte del file audio da trovare");
    EXPECT_EQ(Link(0).GetText(), u"Chiudi");
    EXPECT_EQ(Link(1).GetText(), u"thanks to Tavernix");
    EXPECT_EQ(Link(2).GetText(), u"Info");
    EXPECT_EQ(Link(3).GetText(), u"Quorvel home");

    const struct {
        Id id;
        int16_t index;
        const wchar_t* face;
        LONG height;
        LONG weight;
        bool underline;
    } fonts[] = {
        {Id::Command1, kNoIndex, L"MS Sans Serif", -11, FW_BOLD, false},
        {Id::txtSearch, kNoIndex, L"MS Sans Serif", -16, FW_BOLD, false},
        {Id::cmdSearch, kNoIndex, L"MS Sans Serif", -11, FW_BOLD, false},
        {Id::Label2, 0, L"MS Sans Serif", -11, FW_BOLD, true},
        {Id::Label2, 1, L"MS Sans Serif", -11, FW_NORMAL, true},
        {Id::Label2, 2, L"MS Sans Serif", -11, FW_NORMAL, true},
        {Id::Label2, 3, L"MS Sans Serif", -11, FW_NORMAL, true},
        {Id::Label3, kNoIndex, L"Arial", -9, FW_BOLD, false},
    };
    for (const auto& expected : fonts) {
        const Control& control = form.Controls(expected.id, expected.index);
        const LOGFONTW font = FontOf(control);
        SCOPED_TRACE(std::string(control.Name().begin(), control.Name().end()) + " " + std::to_string(expected.index));
        EXPECT_STREQ(font.lfFaceName, expected.face);
        EXPECT_EQ(font.lfHeight, expected.height);
        EXPECT_EQ(font.lfWeight, expected.weight);
        EXPECT_EQ(font.lfUnderline != 0, expected.underline);
        EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
        if (control.hWnd())
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control.hWnd(), WM_GETFONT, 0, 0)), control.Font());
    }

    // The labels are drawn in their colours straight onto the background picture.
    int width = 0, height = 0;
    const std::vector<COLORREF> pixels = RenderClient(Container(), width, height);
    auto coloursIn = [&](const RECT& box, COLORREF wanted, bool& backgroundShows) {
        int count = 0;
        backgroundShows = false;
        for (int y = std::max<LONG>(box.top, 0); y < std::min<LONG>(box.bottom, height); ++y)
            for (int x = std::max<LONG>(box.left, 0); x < std::min<LONG>(box.right, width); ++x) {
                const COLORREF pixel = pixels[static_cast<size_t>(y * width + x)];
                count += pixel == wanted;
                backgroundShows |= pixel != wanted && pixel != GetSysColor(COLOR_BTNFACE);
            }
        return count;
    };
    bool backgroundShows = false;
    for (int16_t index = 0; index < 4; ++index) {
        EXPECT_GT(coloursIn(Link(index).Bounds(), RGB(0, 0, 255), backgroundShows), 10) << "Label2 " << index;
        EXPECT_TRUE(backgroundShows) << "Label2 " << index << " hides the picture";
    }
    EXPECT_GT(coloursIn(form.Controls(Id::Label3).Bounds(), RGB(255, 0, 0), backgroundShows), 10);
    EXPECT_TRUE(backgroundShows);
    EXPECT_GT(coloursIn(form.Controls(Id::Label1).Bounds(), RGB(128, 128, 128), backgroundShows), 10);
}

TEST_F(SearchWindow, TabOrderFollowsTheTabIndexAndTheSearchBoxHasTheFocus)
{
    HWND search = form.Controls(Id::cmdSearch).hWnd();
    HWND text = TextBox();
    HWND examples = form.Controls(Id::Command1).hWnd();
    EXPECT_EQ(GetNextDlgTabItem(form.hWnd(), search, FALSE), text);
    EXPECT_EQ(GetNextDlgTabItem(form.hWnd(), text, FALSE), examples);
    EXPECT_EQ(GetNextDlgTabItem(form.hWnd(), examples, FALSE), search);
    if (GetActiveWindow() == form.hWnd())
        EXPECT_EQ(GetFocus(), text);
}

TEST_F(SearchWindow, LinksShowTheHandWithItsHotSpotAndEverythingElseTheArrow)
{
    HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    auto cursorAt = [&](POINT point) {
        ClientToScreen(Container(), &point);
        SetCursorPos(point.x, point.y);
        SetCursor(nullptr);
        SendMessageW(Container(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Container()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    HCURSOR hand = cursorAt(CentreOf(Link(0)));
    ASSERT_NE(hand, nullptr);
    EXPECT_NE(hand, arrow);
    for (int16_t index = 1; index < 4; ++index)
        EXPECT_EQ(cursorAt(CentreOf(Link(index))), hand) << "Label2 " << index;
    EXPECT_EQ(cursorAt(CentreOf(form.Controls(Id::Label1))), arrow);
    EXPECT_EQ(cursorAt(CentreOf(form.Controls(Id::Label3))), arrow);
    EXPECT_EQ(cursorAt({300, 60}), arrow); // the background picture

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 1u);
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
}

TEST_F(SearchWindow, EachLinkHasItsOrdinaryToolTip)
{
    HWND tips = form.ControlToolTipWindow();
    ASSERT_NE(tips, nullptr);
    EXPECT_FALSE(GetWindowLongW(tips, GWL_STYLE) & TTS_BALLOON);
    const std::u16string sponsorTip = u"entra nel mondo di " QUORVEL_SPONSOR_HOST;
    const int count = static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(count, 4);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)));
        const Control& control = form.AllControls()[tool.uId];
        ASSERT_EQ(control.Id(), Id::Label2);
        EXPECT_TRUE(EqualRect(&tool.rect, &control.Bounds()));
        const std::u16string expected = control.Index() == 0 ? u"Chiudi il programma" : sponsorTip;
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), expected) << "Label2 " << control.Index();
    }
}

TEST_F(SearchWindow, EnterInEveryFormAndAltCSearch)
{
    LaunchRecorder recorder;
    SetTextBox(u"blackbird");
    const std::string expected = kSearchPrefix + "blackbird";

    PressKey(TextBox(), VK_RETURN);
    PumpFor();
    PressKey(TextBox(), VK_RETURN, /*extended: keypad Enter*/ true);
    PumpFor();
    HoldKeys({VK_SHIFT});
    PressKey(TextBox(), VK_RETURN);
    PumpFor();
    HoldKeys({VK_CONTROL});
    PressKey(TextBox(), VK_RETURN);
    PumpFor();
    HoldKeys({});
    EXPECT_EQ(recorder.Launches(), std::vector<std::string>(4, expected));
    EXPECT_EQ(form.Controls(Id::txtSearch).GetText(), u"blackbird") << "Enter must not change the text";

    // Alt+C: the mnemonic of "&Cerca in rete".
    recorder.Launches().clear();
    HoldKeys({VK_MENU});
    const LPARAM altFlags = 1 | (1 << 29);
    PostMessageW(TextBox(), WM_SYSKEYDOWN, 'C', altFlags);
    PostMessageW(TextBox(), WM_SYSKEYUP, 'C', altFlags | (3u << 30));
    PumpFor(50);
    HoldKeys({});
    EXPECT_EQ(recorder.Launches(), std::vector<std::string>{expected});

    recorder.Launches().clear();
    SendMessageW(form.Controls(Id::cmdSearch).hWnd(), BM_CLICK, 0, 0);
    PumpFor();
    EXPECT_EQ(recorder.Launches(), std::vector<std::string>{expected});
}

TEST_F(SearchWindow, OtherKeysDoNotSearch)
{
    LaunchRecorder recorder;
    SetTextBox(u"owl");
    PressKey(TextBox(), VK_TAB);
    PressKey(TextBox(), VK_ESCAPE);
    PressKey(TextBox(), 'A');
    PumpFor(50);
    EXPECT_TRUE(recorder.Launches().empty());
    SetFocus(TextBox());
}

TEST_F(SearchWindow, TheAddressCarriesTheTextAsTyped)
{
    LaunchRecorder recorder;
    const struct {
        std::u16string text;
        std::string address;
    } cases[] = {
        {u"  door bell ", kSearchPrefix + "  door bell "},
        {u"\t", kSearchPrefix + "\t"},
        {u"a&b#c?d%e", kSearchPrefix + "a&b#c?d%e"},
        {u"a\" --evil \"b", kSearchPrefix + "a%22 --evil %22b"},
        {u"end\\", kSearchPrefix + "end%5C"},
        {u"citt\u00e0", kSearchPrefix + "citt\xE0"},      // in the ANSI code page
        {u"\uff02x", kSearchPrefix + "%EF%BC%82x"},       // no best fit to '"'
        {u"\u65e5\u672c", kSearchPrefix + "%E6%97%A5%E6%9C%AC"},
    };
    ASSERT_EQ(GetACP(), 1252u) << "the expected addresses assume Windows-1252";
    for (const auto& c : cases) {
        recorder.Launches().clear();
        SetTextBox(c.text);
        form.cmdSearch_Click();
        EXPECT_EQ(recorder.Launches(), std::vector<std::string>{c.address});
    }
}

TEST_F(SearchWindow, ABlankBoxGetsTheWarningAndLaunchesNothing)
{
    LaunchRecorder recorder;
    for (const char16_t* blank : {u"", u"   "}) {
        SetTextBox(blank);
        bool seen = false;
        WhenWindowAppears(L"Dide QV", [&](HWND box) {
            seen = true;
            EXPECT_EQ(MessageBoxText(box), L"Nessuna parola inserita per la ricerca");
            // One OK button and the exclamation icon.
            int buttons = 0;
            HICON icon = nullptr;
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                wchar_t className[32] = {};
                GetClassNameW(child, className, 32);
                if (lstrcmpiW(className, L"Button") == 0 && IsWindowVisible(child))
                    ++buttons;
                if (lstrcmpiW(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            }
            EXPECT_EQ(buttons, 1);
            EXPECT_EQ(icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32515) /* IDI_EXCLAMATION */));
            EXPECT_EQ(GetWindow(box, GW_OWNER), form.hWnd()) << "modal to the search window";
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        PressKey(TextBox(), VK_RETURN);
        PumpFor(100);
        EXPECT_TRUE(seen);
        EXPECT_EQ(form.Controls(Id::txtSearch).GetText(), blank);
    }
    EXPECT_TRUE(recorder.Launches().empty());
}

TEST_F(SearchWindow, LinksOpenTheirAddressesAndInfoDoesNothing)
{
    LaunchRecorder recorder;
    for (int16_t index : {1, 2, 3}) {
        const POINT centre = CentreOf(Link(index));
        ClickAt(Container(), centre.x, centre.y);
        PumpFor();
    }
    const std::vector<std::string> expected{std::string("http://") + kSponsorHost,
                                            std::string("http://") + kServiceHost + "/index.html"};
    EXPECT_EQ(recorder.Launches(), expected);
}

TEST_F(SearchWindow, SearchErrorsComeBackAsCmdSearchClickErrors)
{
    SetTextBox(u"owl");
    for (auto failure : {+[](const std::string&) { throw RuntimeError(1234, u"ShellLaunch", u"no shell"); },
                         +[](const std::string&) { throw std::bad_alloc(); }}) {
        SetShellLaunchForTesting(failure);
        try {
            form.cmdSearch_Click();
            ADD_FAILURE() << "no error raised";
        } catch (const RuntimeError& error) {
            EXPECT_TRUE(error.Number == 1234 || error.Number == kErrOutOfMemory);
            EXPECT_EQ(error.Source, u"cmdSearch_Click");
            EXPECT_EQ(error.Description, u"Dide QV");
            EXPECT_TRUE(error.HelpFile.empty());
            EXPECT_EQ(error.HelpContext, 0);
        }
    }
    SetShellLaunchForTesting(nullptr);
}

// ---- the top-level handler, watched from outside the process it ends ----

namespace {

int UntrappedSearchError()
{
    SetShellLaunchForTesting(+[](const std::string&) { throw RuntimeError(1234, u"ShellLaunch", u"no shell"); });
    frmGoogleVideo& form = ShownSearchWindow();
    form.EndProgramWhenClosed();
    form.Controls(Id::txtSearch).SetText(u"owl");
    PressKey(form.Controls(Id::txtSearch).hWnd(), VK_RETURN);
    RunMessageLoop();
    return 0; // not reached: the error ends the process
}

[[maybe_unused]] const bool registered = RegisterChildRoutine("untrapped-search-error", UntrappedSearchError);

} // namespace

TEST(TopLevelErrorHandler, ShowsTheNumberAndDescriptionThenEndsTheProgram)
{
    PROCESS_INFORMATION child = StartChild("untrapped-search-error");
    ASSERT_NE(child.hProcess, nullptr);
    HWND box = WaitForProcessWindow(child.dwProcessId, L"Dide Quorvel", 20000);
    ASSERT_NE(box, nullptr) << "no error box";
    const std::wstring text = MessageBoxText(box);
    EXPECT_NE(text.find(L"1234"), std::wstring::npos) << std::string(text.begin(), text.end());
    EXPECT_NE(text.find(L"Dide QV"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 20000), WAIT_OBJECT_0) << "the program did not end";
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 1u);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}
