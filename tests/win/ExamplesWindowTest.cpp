// The examples window opened from "...", driven from inside its modal loop.
#include <oleacc.h>

#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "app/Addresses.h"

namespace {

struct ExamplesWindow : testing::Test {
    void SetUp() override { SearchBox().SetText(u"before"); }
    Control& SearchBox() { return ShownSearchWindow().Controls(frmGoogleVideo::txtSearch); }
    Control& List() { return examples.Controls(frmInfo::List1); }
    void Click(POINT point) { ClickAt(examples.hWnd(), point), PumpFor(); }
    void ClickCategory(int16_t index) { Click(CentreOf(examples.Controls(frmInfo::Voci, index))); }
    frmInfo& examples = frmInfo::Instance();
};

} // namespace

TEST_F(ExamplesWindow, OpensModalCentredAndFixedWithTheFocusInTheListAndClosesAsItWasFound)
{
    HWND search = ShownSearchWindow().hWnd();
    IAccessible* held = nullptr; // as a screen reader may, after the window has gone
    for (int opening = 0; opening < 2; ++opening)
        WithExamplesOpen([&](frmInfo& window) {
            EXPECT_FALSE(IsWindowEnabled(search)) << "the search window takes no input";
            if (!held)
                held = AccessibleOf(window.hWnd());
            RECT frame;
            GetWindowRect(window.hWnd(), &frame);
            EXPECT_NEAR(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN),
                        frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN), 2) << "centred";
            EXPECT_TRUE(SendMessageW(window.hWnd(), WM_GETICON, ICON_BIG, 0) && GetFocus() == List().hWnd());
            EXPECT_EQ(List().ListCount(), 0) << "empty at every opening";
            for (size_t stop = 0; opening == 0 && stop < window.TabStops().size(); ++stop) {
                PressKey(GetFocus(), VK_TAB);
                PumpFor();
                Control* focused = window.FocusedControl();
                SwitchAwayAndBack(window.hWnd());
                EXPECT_TRUE(focused && window.FocusedControl() == focused) << "the focus comes back to stop " << stop;
            }
            window.ControlToolTipWindow(); // the banner's tooltip subclasses the window
            ClickCategory(2);
            EXPECT_EQ(Form::FromWindow(window.hWnd()), &window) << "still a form under its tooltip's subclass";
            PressKey(List().hWnd(), VK_ESCAPE);
            PumpFor(50);
            EXPECT_FALSE(window.IsLoaded()) << "Escape, a dialog key, does what the close box does";
        });
    EXPECT_TRUE(IsWindowEnabled(search));
    EXPECT_EQ(SearchBox().GetText(), u"before") << "closing leaves the search text alone";
    LONG count = 0;
    ASSERT_TRUE(held);
    EXPECT_EQ(held->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(held->accDoDefaultAction(VARIANT{{{VT_I4, 0, 0, 0, {.lVal = 1}}}}), CO_E_OBJNOTCONNECTED);
    held->Release();
}

TEST_F(ExamplesWindow, ACategoryFillsTheListOnceInTableOrderAndTheUpperLabelTakesTheClick)
{
    WithExamplesOpen([&](frmInfo& window) {
        ClickCategory(0);
        ClickCategory(0);
        EXPECT_TRUE(List().ListCount() == 94 && List().List(93) == u"wren " && List().ListIndex() == -1)
            << "filled once, nothing chosen yet";
        ClickCategory(5);
        EXPECT_EQ(List().List(6), u"broken glass") << "after bullet: not sorted";
        // Where the boxes of "Uccelli" and "Animali" overlap, "Animali" lies on top.
        const RECT &animals = window.Controls(frmInfo::Voci, 1).Bounds(), &birds = window.Controls(frmInfo::Voci, 0).Bounds();
        Click({animals.left + 1, birds.top + 4});
        EXPECT_EQ(List().ListCount(), 65);
        LaunchRecorder recorder; // a double-click on the banner opens the sponsor and keeps the window as it is
        const POINT centre = CentreOf(window.Controls(frmInfo::Image6));
        ClickAt(window.hWnd(), centre);
        PostMessageW(window.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        PumpFor(20);
        EXPECT_TRUE(window.IsLoaded() && List().ListCount() == 65);
        EXPECT_EQ(recorder.Launches(), std::vector<std::string>{kSponsorAddress});
    });
}

TEST_F(ExamplesWindow, ANewScaleKeepsTheEntriesInWholeRows)
{
    WithExamplesOpen([&](frmInfo& window) {
        ClickCategory(7);
        for (int dpi : {120, 144, 192, 96}) {
            ScaleTo(window, dpi);
            EXPECT_EQ(List().ListCount(), 56) << "the entries stay at " << dpi;
            const LRESULT row = SendMessageW(List().hWnd(), LB_GETITEMHEIGHT, 0, 0);
            EXPECT_NEAR(row, MulDiv(13, dpi, 96), 2) << dpi;
            RECT rows, box;
            GetClientRect(List().hWnd(), &rows), GetWindowRect(List().hWnd(), &box);
            EXPECT_EQ(rows.bottom % row, 0) << "whole rows only at " << dpi;
            EXPECT_LE(box.bottom - box.top, MulDiv(3375, dpi, 1440)) << "no taller than designed at " << dpi;
        }
    });
}

TEST_F(ExamplesWindow, EachCategoryIsWhereItsCaptionIsAndADoubleClickedEntryIsChosenOnce)
{
    static int reopened = 0;
    static HWND first = nullptr;
    UINT_PTR watch = 0;
    WithExamplesOpen([&](frmInfo& window) {
        IAccessible* surface = AccessibleOf(window.hWnd());
        std::vector<RECT> captions;
        for (LONG id = 1; id <= 17; ++id) {
            RECT r{};
            LONG width = 0, height = 0;
            surface->accLocation(&r.left, &r.top, &width, &height, ChildOf(id));
            r.right = r.left + width;
            r.bottom = r.top + height;
            for (const RECT& other : captions) {
                RECT both;
                EXPECT_FALSE(IntersectRect(&both, &r, &other)) << "element " << id << " lies over another";
            }
            captions.push_back(r);
        }
        surface->Release();

        // An entry lying over "..." is double-clicked: the first click chooses it, the second
        // lands where the window was.
        ClickCategory(0);
        const Control& examplesButton = ShownSearchWindow().Controls(frmGoogleVideo::Command1);
        POINT dots = CentreOf(examplesButton), entry = CentreOf(List());
        MapWindowPoints(examplesButton.ContainerWindow(), nullptr, &dots, 1);
        MapWindowPoints(window.hWnd(), nullptr, &entry, 1);
        RECT frame;
        GetWindowRect(ShownSearchWindow().hWnd(), &frame); // moved where "..." lies under the list
        SetWindowPos(ShownSearchWindow().hWnd(), nullptr, frame.left + entry.x - dots.x, frame.top + entry.y - dots.y, 0,
                     0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        dots = entry;
        ASSERT_EQ(WindowFromPoint(dots), List().hWnd());
        first = window.hWnd();
        watch = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK {
            if (frmInfo::Instance().IsLoaded() && frmInfo::Instance().hWnd() != first) {
                ++reopened;
                PostMessageW(frmInfo::Instance().hWnd(), WM_CLOSE, 0, 0);
            }
        });
        INPUT clicks[5] = {};
        for (INPUT& input : clicks)
            input.type = INPUT_MOUSE;
        clicks[0].mi = {MulDiv(dots.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1,
                        MulDiv(dots.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE};
        for (int i = 1; i < 5; ++i)
            clicks[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        SendInput(5, clicks, sizeof(INPUT));
        PumpFor(300);
    });
    PumpFor(600);
    KillTimer(nullptr, watch);
    EXPECT_EQ(reopened, 0) << "the second click pressed what lay beneath";
    EXPECT_NE(SearchBox().GetText(), u"before") << "the first click chose";
}
