// The examples window opened from the search window's "..." button, driven from inside its
// modal loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>

#include "WinTestSupport.h"
#include "app/Hosts.h"
#include "app/frmGoogleVideo.h"
#include "examples/frmInfo.h"
#include "forms/TextConversion.h"

namespace {

using Id = frmInfo::ControlId;

class ExamplesWindow : public testing::Test {
protected:
    void SetUp() override
    {
        search.Controls(frmGoogleVideo::txtSearch).SetText(u"before");
    }

    // Clicks "..." and runs `during` inside the examples window's modal loop; returns once the
    // window has closed (closing it with the close box if `during` left it open).
    void WhileOpen(std::function<void(frmInfo&)> during)
    {
        bool ran = false;
        WhenWindowAppears(L"Info Sul Programma", [&](HWND) {
            ran = true;
            during(examples);
            if (examples.IsLoaded())
                PostMessageW(examples.hWnd(), WM_CLOSE, 0, 0);
        });
        SendMessageW(search.Controls(frmGoogleVideo::Command1).hWnd(), BM_CLICK, 0, 0);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(examples.IsLoaded());
    }

    void ClickCategory(int16_t index)
    {
        const POINT centre = CentreOf(examples.Controls(Id::Voci, index));
        ClickAt(examples.hWnd(), centre.x, centre.y);
        PumpFor();
    }

    std::vector<Text> ListEntries()
    {
        Control& list = examples.Controls(Id::List1);
        std::vector<Text> entries;
        for (int i = 0; i < list.ListCount(); ++i)
            entries.push_back(list.List(i));
        return entries;
    }

    Text SearchText() { return search.Controls(frmGoogleVideo::txtSearch).GetText(); }

    frmGoogleVideo& search = ShownSearchWindow();
    frmInfo& examples = frmInfo::Instance();
};

RECT PixelRect(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

} // namespace

TEST_F(ExamplesWindow, OpensModallyAsDesigned)
{
    WhileOpen([&](frmInfo& window) {
        EXPECT_FALSE(IsWindowEnabled(search.hWnd())) << "the search window must take no input";
        EXPECT_EQ(GetWindow(window.hWnd(), GW_OWNER), search.hWnd());
        EXPECT_EQ(WindowText(window.hWnd()), u"Info Sul Programma");
        RECT client;
        GetClientRect(window.hWnd(), &client);
        EXPECT_EQ(client.right, 205);
        EXPECT_EQ(client.bottom, 373);
        const LONG style = GetWindowLongW(window.hWnd(), GWL_STYLE);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
        EXPECT_TRUE(style & WS_SYSMENU);
        RECT frame;
        GetWindowRect(window.hWnd(), &frame);
        EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        EXPECT_NE(SendMessageW(window.hWnd(), WM_GETICON, ICON_BIG, 0), 0);

        Control& list = window.Controls(Id::List1);
        RECT listBox;
        GetWindowRect(list.hWnd(), &listBox);
        MapWindowPoints(nullptr, window.hWnd(), reinterpret_cast<POINT*>(&listBox), 2);
        const RECT designedList = PixelRect(6, 82, 188, 225);
        EXPECT_TRUE(EqualRect(&listBox, &designedList));
        EXPECT_EQ(list.ListCount(), 0);
        EXPECT_EQ(GetFocus(), list.hWnd()) << "the list holds the focus on opening";
        const LONG listStyle = GetWindowLongW(list.hWnd(), GWL_STYLE);
        EXPECT_FALSE(listStyle & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL));

        const RECT banner = PixelRect(29, 308, 143, 62);
        EXPECT_TRUE(EqualRect(&window.Controls(Id::Image6).Bounds(), &banner));

        const char16_t* captions[] = {u"Uccelli", u"Animali", u"Feste",   u"Famiglia",           u"Insetti",
                                      u"Guerra",  u"Varie",   u"Strumenti musicali", u"Natura", u"Rumori",
                                      u"Ufficio", u"Persone/Sport", u"Attrezzi", u"TV",         u"Veicoli"};
        for (int16_t index = 0; index < 15; ++index) {
            const Control& label = window.Controls(Id::Voci, index);
            EXPECT_EQ(label.GetText(), captions[index]);
            EXPECT_EQ(label.Cursor(), nullptr) << "the arrow";
            LOGFONTW font{};
            GetObjectW(label.Font(), sizeof(font), &font);
            EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
            EXPECT_EQ(font.lfHeight, -11);
            EXPECT_EQ(font.lfWeight, FW_NORMAL);
            EXPECT_TRUE(font.lfUnderline);
        }
        const RECT uccelli = PixelRect(12, 9, 42, 14);
        EXPECT_TRUE(EqualRect(&window.Controls(Id::Voci, 0).Bounds(), &uccelli));

        // The one ordinary tooltip is the banner's.
        HWND tips = window.ControlToolTipWindow();
        ASSERT_NE(tips, nullptr);
        EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
        wchar_t text[128] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.lpszText = text;
        SendMessageW(tips, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, L"Doppio click per accedere al sito");
    });
    EXPECT_TRUE(IsWindowEnabled(search.hWnd()));
    EXPECT_EQ(SearchText(), u"before") << "the close box leaves the search text alone";
}

TEST_F(ExamplesWindow, ACategoryFillsTheListInTableOrderOnce)
{
    WhileOpen([&](frmInfo&) {
        ClickCategory(0);
        std::vector<Text> birds = ListEntries();
        ASSERT_EQ(birds.size(), 94u);
        EXPECT_EQ(birds.front(), u"blackbird");
        EXPECT_EQ(birds.back(), u"wren ");
        ClickCategory(0);
        EXPECT_EQ(ListEntries(), birds) << "a second click shows the entries once";
        EXPECT_EQ(examples.Controls(Id::List1).ListIndex(), -1) << "nothing selected after a fill";

        ClickCategory(1);
        const std::vector<Text> animals = ListEntries();
        ASSERT_EQ(animals.size(), 65u);
        EXPECT_EQ(animals.front(), u"alligator");

        ClickCategory(5);
        const std::vector<Text> war = ListEntries();
        ASSERT_EQ(war.size(), 34u);
        EXPECT_EQ(war[5], u"bullet");
        EXPECT_EQ(war[6], u"broken glass") << "not re-sorted";
    });
    EXPECT_EQ(SearchText(), u"before");
}

TEST_F(ExamplesWindow, WhereCategoryBoxesOverlapTheHigherIndexGetsTheClick)
{
    WhileOpen([&](frmInfo& window) {
        const RECT& birds = window.Controls(Id::Voci, 0).Bounds();
        const RECT& animals = window.Controls(Id::Voci, 1).Bounds();
        ASSERT_LT(animals.left, birds.right) << "the boxes overlap";
        ClickAt(window.hWnd(), (animals.left + birds.right) / 2, (birds.top + birds.bottom) / 2 + 1);
        PumpFor();
        const std::vector<Text> entries = ListEntries();
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.front(), u"alligator");
    });
}

TEST_F(ExamplesWindow, ChoosingAnEntryByMouseCopiesItWithItsBlankAndCloses)
{
    WhileOpen([&](frmInfo& window) {
        ClickCategory(0);
        Control& list = window.Controls(Id::List1);
        SendMessageW(list.hWnd(), LB_SETTOPINDEX, 93, 0);
        RECT wren{};
        SendMessageW(list.hWnd(), LB_GETITEMRECT, 93, reinterpret_cast<LPARAM>(&wren));
        ClickAt(list.hWnd(), 20, (wren.top + wren.bottom) / 2);
        PumpFor(50);
        EXPECT_FALSE(window.IsLoaded());
    });
    EXPECT_EQ(SearchText(), u"wren ") << "replaced, not extended, and not trimmed";
}

TEST_F(ExamplesWindow, TheFirstArrowKeyThatSelectsChoosesTheEntry)
{
    WhileOpen([&](frmInfo& window) {
        Control& list = window.Controls(Id::List1);
        PressKey(list.hWnd(), VK_DOWN); // an empty list: nothing to choose, the window stays
        PumpFor(20);
        EXPECT_TRUE(window.IsLoaded());
        ClickCategory(4); // Insetti: "bee" ... "wasp "
        SetFocus(list.hWnd());
        PressKey(list.hWnd(), VK_DOWN);
        PumpFor(50);
        EXPECT_FALSE(window.IsLoaded());
    });
    EXPECT_EQ(SearchText(), u"bee");
}

TEST_F(ExamplesWindow, ReopeningShowsTheSameInstanceWithAnEmptyList)
{
    frmInfo* first = nullptr;
    WhileOpen([&](frmInfo& window) {
        first = &window;
        ClickCategory(2);
        EXPECT_EQ(ListEntries().size(), 10u);
    });
    WhileOpen([&](frmInfo& window) {
        EXPECT_EQ(&window, first);
        EXPECT_EQ(window.Controls(Id::List1).ListCount(), 0);
    });
}

TEST_F(ExamplesWindow, DoubleClickingTheBannerOpensTheSponsorAndKeepsTheWindow)
{
    LaunchRecorder recorder;
    WhileOpen([&](frmInfo& window) {
        ClickCategory(9);
        const POINT centre = CentreOf(window.Controls(Id::Image6));
        const LPARAM point = MAKELPARAM(centre.x, centre.y);
        PostMessageW(window.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageW(window.hWnd(), WM_LBUTTONUP, 0, point);
        PostMessageW(window.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        PostMessageW(window.hWnd(), WM_LBUTTONUP, 0, point);
        PumpFor(20);
        EXPECT_TRUE(window.IsLoaded());
        EXPECT_EQ(ListEntries().size(), 11u);
    });
    EXPECT_EQ(recorder.Launches().size(), 1u);
    EXPECT_EQ(recorder.Launches().at(0), "http://" QUORVEL_SPONSOR_HOST);
    EXPECT_EQ(SearchText(), u"before");
}
