// The search window as a person sees and uses it, at every scale.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "app/Hosts.h"
#include "app/WebLinks.h"
#include "forms/MessageLoop.h"
#include "forms/RuntimeError.h"
#include "forms/TextConversion.h"

namespace {

using Id = frmGoogleVideo::ControlId;
const std::string kSearch = "http://" QUORVEL_SERVICE_HOST "/ISAPI/search.dll?keywords=";

class SearchWindow : public testing::Test {
protected:
    void SetUp() override { Box().SetText(u""); }
    Control& Box() { return form.Controls(Id::txtSearch); }
    Control& Link(int16_t index) { return form.Controls(Id::Label2, index); }
    HWND Container() { return form.Controls(Id::Picture1).hWnd(); }
    void Enter(LPARAM flags = 0) { PressKey(Box().hWnd(), VK_RETURN, flags), PumpFor(); }

    frmGoogleVideo& form = ShownSearchWindow();
};

// The designed pixels at 96 DPI: left, top, width, height.
const struct {
    Id Control;
    RECT Box;
} kPixels[] = {
    {Id::Picture1, {1, -2, 422, 217}},   {Id::Command1, {244, 115, 40, 22}}, {Id::txtSearch, {28, 115, 214, 22}},
    {Id::cmdSearch, {287, 115, 103, 22}}, {Id::Label1, {194, 5, 223, 14}},  {Id::Label3, {27, 139, 233, 13}},
    {Id::Image1, {-1, -3, 422, 226}},
};

} // namespace

TEST_F(SearchWindow, EveryControlStandsAtItsDesignedPlaceAtEveryScale)
{
    Box().SetText(u"typed before");
    for (int dpi : {96, 120, 144, 192, 96}) {
        SCOPED_TRACE(dpi);
        ScaleTo(form, dpi);
        RECT client;
        GetClientRect(form.hWnd(), &client);
        EXPECT_NEAR(client.right, MulDiv(415, dpi, 96), 1);
        EXPECT_NEAR(client.bottom, MulDiv(194, dpi, 96), 1);
        for (const auto& [id, box] : kPixels) {
            const Control& control = form.Controls(id);
            const RECT& r = control.Bounds();
            EXPECT_NEAR(r.left, MulDiv(box.left, dpi, 96), 1) << control.Name().size() << " " << id;
            EXPECT_NEAR(r.top, MulDiv(box.top, dpi, 96), 1) << id;
            EXPECT_NEAR(r.right - r.left, MulDiv(box.right, dpi, 96), 1) << id;
            EXPECT_NEAR(r.bottom - r.top, MulDiv(box.bottom, dpi, 96), 1) << id;
            if (control.hWnd() && id != Id::Picture1) { // a window really sits there
                RECT actual;
                GetWindowRect(control.hWnd(), &actual);
                MapWindowPoints(nullptr, Container(), reinterpret_cast<POINT*>(&actual), 2);
                EXPECT_TRUE(EqualRect(&actual, &r)) << id;
            }
        }
        BITMAP picture{}; // the background fills its box, drawn to size
        GetObjectW(form.Controls(Id::Image1).Picture(), sizeof(picture), &picture);
        EXPECT_EQ(picture.bmWidth, MulDiv(422, dpi, 96));
        for (int16_t index = 0; index < 4; ++index) // the links fit their captions and stay inside
            EXPECT_LE(Link(index).Bounds().right, client.right) << index;
        EXPECT_EQ(Box().GetText(), u"typed before");
    }
    EXPECT_EQ(Link(0).Bounds().left, 359); // "Chiudi" and "Info" keep their designed corners
    EXPECT_EQ(Link(2).Bounds().top, 150);
}

TEST_F(SearchWindow, LinksAreBlueOnThePictureWithTheHandAndEverythingElseTheArrow)
{
    RECT client;
    GetClientRect(Container(), &client);
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(Container(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const auto count = [&](const RECT& box, COLORREF colour, bool& pictureShows) {
        int hits = 0;
        for (int y = std::max<LONG>(box.top, 0); y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) {
                const COLORREF pixel = GetPixel(dc, x, y);
                hits += pixel == colour;
                pictureShows |= pixel != colour && pixel != GetSysColor(COLOR_BTNFACE);
            }
        return hits;
    };
    for (const auto& [control, colour] : {std::pair{&Link(0), RGB(0, 0, 255)}, {&Link(3), RGB(0, 0, 255)},
                                          {&form.Controls(Id::Label3), RGB(255, 0, 0)},
                                          {&form.Controls(Id::Label1), RGB(128, 128, 128)}}) {
        bool pictureShows = false;
        EXPECT_GT(count(control->Bounds(), colour, pictureShows), 10) << control->GetText().size();
        EXPECT_TRUE(pictureShows) << "the caption has no background";
    }
    SelectObject(dc, old), DeleteObject(bitmap), DeleteDC(dc), ReleaseDC(nullptr, screen);

    const auto cursorAt = [&](POINT point) {
        ClientToScreen(Container(), &point);
        SetCursorPos(point.x, point.y);
        SendMessageW(Container(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Container()), MAKELPARAM(HTCLIENT, 0));
        return GetCursor();
    };
    HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    HCURSOR hand = cursorAt(CentreOf(Link(0)));
    EXPECT_NE(hand, arrow);
    for (int16_t index = 1; index < 4; ++index)
        EXPECT_EQ(cursorAt(CentreOf(Link(index))), hand);
    for (POINT elsewhere : {CentreOf(form.Controls(Id::Label1)), CentreOf(form.Controls(Id::Label3)), POINT{300, 60}})
        EXPECT_EQ(cursorAt(elsewhere), arrow);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_EQ(info.xHotspot, 12u); // the fingertip
    EXPECT_EQ(info.yHotspot, 1u);
    DeleteObject(info.hbmMask), DeleteObject(info.hbmColor);
}

TEST_F(SearchWindow, EnterInEveryFormAltCAndTheButtonSearch)
{
    LaunchRecorder recorder;
    Box().SetText(u"blackbird");
    Enter();
    Enter(1 << 24); // keypad Enter
    for (int held : {VK_SHIFT, VK_CONTROL}) {
        HoldKeys({held});
        Enter();
    }
    HoldKeys({VK_MENU});
    for (UINT key : {UINT(VK_RETURN), UINT('C')}) { // Alt+Enter, and Alt+C: the mnemonic of "&Cerca in rete"
        PostMessageW(Box().hWnd(), WM_SYSKEYDOWN, key, 1 | (1 << 29));
        PostMessageW(Box().hWnd(), WM_SYSKEYUP, key, 1 | (1 << 29) | (3u << 30));
        PumpFor(20);
    }
    HoldKeys({});
    SendMessageW(form.Controls(Id::cmdSearch).hWnd(), BM_CLICK, 0, 0);
    // Held down: the first press and 48 auto-repeats.
    for (int i = 0; i < 49; ++i)
        PostMessageW(Box().hWnd(), WM_KEYDOWN, VK_RETURN, 1 | (i > 0 ? 1 << 30 : 0));
    PressKey(Box().hWnd(), VK_ESCAPE), PressKey(Box().hWnd(), VK_TAB); // other keys do not search
    PumpFor(20);
    EXPECT_EQ(recorder.Launches(), std::vector<std::string>(56, kSearch + "blackbird"));
    EXPECT_EQ(Box().GetText(), u"blackbird");
}

TEST_F(SearchWindow, TheAddressCarriesTheTextInTheSystemCodePage)
{
    ASSERT_EQ(GetACP(), 1252u) << "the expected addresses are those of Windows-1252";
    LaunchRecorder recorder;
    const std::pair<const char16_t*, std::string> cases[] = {
        {u"  door bell\t", "  door bell\t"}, {u"a&b#c?d%e", "a&b#c?d%e"}, {u"citt\u00e0 \u20ac", "citt\xE0 \x80"},
        {u"a\" \"b\\", "a%22 %22b%5C"}, {u"\uff02", "%EF%BC%82"} /* no best fit to '"' */,
        {u"\u65e5\U0001F426", "%E6%97%A5%F0%9F%90%A6"},
    };
    for (const auto& [text, address] : cases) {
        Box().SetText(text);
        form.cmdSearch_Click();
        EXPECT_EQ(recorder.Launches().back(), kSearch + address);
    }
}

TEST_F(SearchWindow, ABlankOrOverlongSearchAndInfoAnswerWithABox)
{
    LaunchRecorder recorder;
    HICON exclamation = LoadIconW(nullptr, MAKEINTRESOURCEW(32515));
    const size_t fitting = (kLongestShellAddress - kSearch.size()) / 9; // a CJK character goes in as nine
    for (const auto& [text, message] : {std::pair{Text(u""), L"Nessuna parola inserita per la ricerca"},
                                        {Text(u"   "), L"Nessuna parola inserita per la ricerca"},
                                        {Text(fitting + 1, u'\u65e5'), L"Testo troppo lungo per la ricerca"}}) {
        Box().SetText(text);
        const SeenMessageBox box = ExpectMessageBox(L"Dide QV", [&] { Enter(); });
        EXPECT_EQ(box.Text, message);
        EXPECT_EQ(box.Icon, exclamation);
        EXPECT_EQ(box.Buttons, 1);
        EXPECT_EQ(box.Owner, form.hWnd()) << "modal to the search window";
        EXPECT_EQ(Box().GetText(), text);
    }
    Box().SetText(Text(fitting, u'\u65e5'));
    form.cmdSearch_Click();
    EXPECT_EQ(recorder.Launches().size(), 1u);

    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::vector<BYTE> version(GetFileVersionInfoSizeW(path, nullptr));
    GetFileVersionInfoW(path, 0, static_cast<DWORD>(version.size()), version.data());
    const auto value = [&](const wchar_t* key) {
        wchar_t* text = nullptr;
        UINT length = 0;
        VerQueryValueW(version.data(), (std::wstring(L"\\StringFileInfo\\041004B0\\") + key).c_str(),
                       reinterpret_cast<void**>(&text), &length);
        return std::wstring(text ? text : L"");
    };
    const SeenMessageBox info = ExpectMessageBox(L"Dide Quorvel", [&] { ClickAt(Container(), CentreOf(Link(2))); });
    EXPECT_EQ(info.Text, value(L"InternalName") + L"\r\nVersione 1.0.0.2\r\n" + value(L"LegalCopyright"));
    EXPECT_EQ(info.Icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32516)));
    EXPECT_EQ(recorder.Launches().size(), 1u) << "Info opens nothing";
}

TEST_F(SearchWindow, LinksOpenTheirAddresses)
{
    LaunchRecorder recorder;
    for (int16_t index : {1, 3})
        ClickAt(Container(), CentreOf(Link(index)));
    PumpFor();
    EXPECT_EQ(recorder.Launches(), (std::vector<std::string>{"http://" QUORVEL_SPONSOR_HOST,
                                                             "http://" QUORVEL_SERVICE_HOST "/index.html"}));
}

TEST_F(SearchWindow, SearchErrorsComeBackAsCmdSearchClickErrors)
{
    Box().SetText(u"owl");
    for (auto failure : {+[](const std::string&) { throw RuntimeError(1234, u"Shell", u"no shell"); },
                         +[](const std::string&) { throw std::bad_alloc(); }}) {
        SetShellLaunchForTesting(failure);
        try {
            form.cmdSearch_Click();
            ADD_FAILURE() << "no error raised";
        } catch (const RuntimeError& error) {
            EXPECT_TRUE(error.Number == 1234 || error.Number == kErrOutOfMemory) << error.Number;
            EXPECT_EQ(error.Source, u"cmdSearch_Click");
            EXPECT_EQ(error.Description, u"Dide QV");
        }
    }
    SetShellLaunchForTesting(nullptr);
}

namespace {
[[maybe_unused]] const bool registered = RegisterChildRoutine("untrapped-error", [] {
    SetShellLaunchForTesting(+[](const std::string&) { throw RuntimeError(1234, u"Shell", u"no shell"); });
    frmGoogleVideo& form = ShownSearchWindow();
    form.Controls(Id::txtSearch).SetText(u"owl");
    PressKey(form.Controls(Id::txtSearch).hWnd(), VK_RETURN);
    return RunMessageLoop();
});
} // namespace

TEST(TopLevelErrorHandler, ShowsTheNumberAndDescriptionThenEndsTheProgram)
{
    PROCESS_INFORMATION child = StartChild("untrapped-error");
    HWND box = WaitForProcessWindow(child.dwProcessId, L"Dide Quorvel");
    ASSERT_NE(box, nullptr) << "no error box";
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_EQ(std::wstring(text), L"Errore di run-time '1234':\r\n\r\nDide QV");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 10000), WAIT_OBJECT_0) << "the program did not end";
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 1u);
    CloseHandle(child.hThread), CloseHandle(child.hProcess);
}
