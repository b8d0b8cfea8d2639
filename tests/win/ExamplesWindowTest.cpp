// The examples window opened from "...", driven from inside its modal loop.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "app/Hosts.h"
#include "forms/TextConversion.h"

namespace {

using Id = frmInfo::ControlId;

class ExamplesWindow : public testing::Test {
protected:
    void SetUp() override { SearchBox().SetText(u"before"); }
    Control& SearchBox() { return search.Controls(frmGoogleVideo::txtSearch); }
    Control& List() { return examples.Controls(Id::List1); }
    void ClickCategory(int16_t index)
    {
        ClickAt(examples.hWnd(), CentreOf(examples.Controls(Id::Voci, index)));
        PumpFor();
    }
    std::vector<Text> Entries()
    {
        std::vector<Text> entries;
        for (int i = 0; i < List().ListCount(); ++i)
            entries.push_back(List().List(i));
        return entries;
    }

    frmGoogleVideo& search = ShownSearchWindow();
    frmInfo& examples = frmInfo::Instance();
};

} // namespace

TEST_F(ExamplesWindow, OpensModalCentredAndFixedWithTheFocusInTheList)
{
    WithExamplesOpen([&](frmInfo& window) {
        EXPECT_FALSE(IsWindowEnabled(search.hWnd())) << "the search window takes no input";
        EXPECT_EQ(GetWindow(window.hWnd(), GW_OWNER), search.hWnd());
        RECT client, frame;
        GetClientRect(window.hWnd(), &client);
        EXPECT_EQ(client.right, 205);
        EXPECT_EQ(client.bottom, 373);
        GetWindowRect(window.hWnd(), &frame);
        EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        EXPECT_FALSE(GetWindowLongW(window.hWnd(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
        EXPECT_NE(SendMessageW(window.hWnd(), WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_EQ(GetFocus(), List().hWnd());
        EXPECT_EQ(List().ListCount(), 0);
        HWND tips = window.ControlToolTipWindow(); // the banner's, the only one
        wchar_t text[64] = {};
        TOOLINFOW tool{sizeof(tool)};
        tool.lpszText = text;
        SendMessageW(tips, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
        EXPECT_STREQ(text, L"Doppio click per accedere al sito");
    });
    EXPECT_TRUE(IsWindowEnabled(search.hWnd()));
    EXPECT_EQ(SearchBox().GetText(), u"before") << "the close box leaves the search text alone";
}

TEST_F(ExamplesWindow, ACategoryFillsTheListOnceInTableOrder)
{
    WithExamplesOpen([&](frmInfo& window) {
        ClickCategory(0);
        ClickCategory(0);
        const std::vector<Text> birds = Entries();
        ASSERT_EQ(birds.size(), 94u);
        EXPECT_EQ(birds.back(), u"wren ");
        EXPECT_EQ(List().ListIndex(), -1) << "nothing chosen yet";
        ClickCategory(5);
        EXPECT_EQ(Entries()[6], u"broken glass") << "after bullet: not sorted";
        // Where the boxes of "Uccelli" and "Animali" overlap, "Animali" lies on top.
        const RECT& birdsBox = window.Controls(Id::Voci, 0).Bounds();
        ClickAt(window.hWnd(), {window.Controls(Id::Voci, 1).Bounds().left + 1, birdsBox.top + 5});
        PumpFor();
        EXPECT_EQ(Entries().size(), 65u);
    });
    EXPECT_EQ(SearchBox().GetText(), u"before");
}

TEST_F(ExamplesWindow, AChosenEntryReplacesTheSearchTextAndEnterSearchesIt)
{
    LaunchRecorder recorder;
    WithExamplesOpen([&](frmInfo& window) {
        ClickCategory(0);
        SendMessageW(List().hWnd(), LB_SETTOPINDEX, 93, 0);
        RECT wren{};
        SendMessageW(List().hWnd(), LB_GETITEMRECT, 93, reinterpret_cast<LPARAM>(&wren));
        ClickAt(List().hWnd(), {20, (wren.top + wren.bottom) / 2});
        PumpFor(50);
        EXPECT_FALSE(window.IsLoaded());
    });
    PumpFor(50);
    EXPECT_EQ(SearchBox().GetText(), u"wren ") << "replaced, trailing blank and all";
    EXPECT_TRUE(recorder.Launches().empty()) << "choosing starts no search";
    if (GetActiveWindow() == search.hWnd()) { // where the test window manager lets it be active
        EXPECT_EQ(GetFocus(), SearchBox().hWnd());
        DWORD start = 0, end = 0;
        SendMessageW(SearchBox().hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 5u) << "the caret at the end";
    }

    WithExamplesOpen([&](frmInfo& window) { // by keyboard: the first arrow key chooses
        PressKey(List().hWnd(), VK_DOWN);
        PumpFor(20);
        EXPECT_TRUE(window.IsLoaded()) << "an empty list has nothing to choose";
        ClickCategory(4);
        PressKey(List().hWnd(), VK_DOWN);
        PumpFor(50);
    });
    EXPECT_EQ(SearchBox().GetText(), u"bee");
}

TEST_F(ExamplesWindow, EscapeClosesAndReopeningShowsTheSameWindowEmpty)
{
    const frmInfo* first = nullptr;
    WithExamplesOpen([&](frmInfo& window) {
        first = &window;
        ClickCategory(2);
        PressKey(List().hWnd(), VK_ESCAPE);
        PumpFor(50);
        EXPECT_FALSE(window.IsLoaded()) << "Escape does what the close box does";
    });
    WithExamplesOpen([&](frmInfo& window) {
        EXPECT_EQ(&window, first);
        EXPECT_EQ(List().ListCount(), 0);
    });
    EXPECT_EQ(SearchBox().GetText(), u"before");
}

TEST_F(ExamplesWindow, DoubleClickingTheBannerOpensTheSponsorAndKeepsTheWindow)
{
    LaunchRecorder recorder;
    WithExamplesOpen([&](frmInfo& window) {
        ClickCategory(9);
        const POINT centre = CentreOf(window.Controls(Id::Image6));
        ClickAt(window.hWnd(), centre);
        PostMessageW(window.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        PumpFor(20);
        EXPECT_TRUE(window.IsLoaded());
        EXPECT_EQ(List().ListCount(), 11);
    });
    EXPECT_EQ(recorder.Launches(), std::vector<std::string>{"http://" QUORVEL_SPONSOR_HOST});
}

TEST_F(ExamplesWindow, ANewScaleKeepsTheEntriesAndTheWindowWhole)
{
    WithExamplesOpen([&](frmInfo& window) {
        ClickCategory(7);
        for (int dpi : {120, 144, 192, 96}) {
            ScaleTo(window, dpi);
            RECT client;
            GetClientRect(window.hWnd(), &client);
            for (const Control& control : window.AllControls())
                EXPECT_LE(control.Bounds().right, client.right) << dpi << " " << control.Index();
            EXPECT_EQ(List().ListCount(), 56) << dpi;
            EXPECT_NEAR(SendMessageW(List().hWnd(), LB_GETITEMHEIGHT, 0, 0), MulDiv(13, dpi, 96), 2) << dpi;
        }
    });
}
