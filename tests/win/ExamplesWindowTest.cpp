// The examples window opened from "...", driven from inside its modal loop.
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "WinTestSupport.h"
#include "accessibility/Ole.h"
#include "links/Addresses.h"
#include "platform/Handles.h"

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

TEST_F(ExamplesWindow, OpensModalCentredAndFixedWithTheFocusInTheListAndClosesAsItWasFoundLeavingNothingBehind)
{
    HWND search = ShownSearchWindow().hWnd();
    IAccessible* held = nullptr; // as a screen reader may, after the window has gone
    const auto owned = [] { // the windows, and the GDI objects, icons and cursors the program made
        size_t windows = 0;
        const WNDENUMPROC count = [](HWND, LPARAM windows) CALLBACK { return ++*reinterpret_cast<size_t*>(windows), TRUE; };
        EnumChildWindows(GetDesktopWindow(), count, reinterpret_cast<LPARAM>(&windows)); // the whole desktop's
        return std::vector<int>{int(windows), ScopedGdiObject::LiveCount(), ScopedIcon::LiveCount(), ScopedCursor::LiveCount()};
    };
    const std::vector<int> before = owned();
    for (int opening = 0; opening < 2; ++opening)
        WithExamplesOpen([&](frmInfo& window) {
            EXPECT_FALSE(IsWindowEnabled(search)) << "the search window takes no input";
            if (!held)
                AccessibleObjectFromWindow(window.hWnd(), OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&held));
            RECT frame;
            GetWindowRect(window.hWnd(), &frame);
            EXPECT_NEAR(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN),
                        frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN), 2) << "centred";
            EXPECT_TRUE(SendMessageW(window.hWnd(), WM_GETICON, ICON_BIG, 0) && GetFocus() == List().hWnd());
            EXPECT_EQ(List().ListCount(), 0) << "empty at every opening";
            window.ControlToolTipWindow(); // the banner's tooltip subclasses the window
            ClickCategory(2);
            EXPECT_EQ(Form::FromWindow(window.hWnd()), &window) << "still a form under its tooltip's subclass";
            PressKey(List().hWnd(), VK_ESCAPE);
            PumpFor(50);
            EXPECT_FALSE(window.IsLoaded()) << "Escape, a dialog key, does what the close box does";
        });
    EXPECT_TRUE(IsWindowEnabled(search));
    EXPECT_EQ(SearchBox().GetText(), u"before") << "closing leaves the search text alone";
    PumpFor(50);
    EXPECT_EQ(owned(), before) << "each opening gives back all it took";
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

TEST_F(ExamplesWindow, ANewScaleKeepsTheEntriesInWholeRowsAndTheCaptionsApart)
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
            GetClientRect(window.hWnd(), &box);
            MapWindowPoints(window.hWnd(), nullptr, reinterpret_cast<POINT*>(&box), 2);
            std::vector<RECT> seen; // where a screen reader finds each element: inside the window, none touching
            for (AccessibleElement* each : window.AccessibleElements()) {
                RECT element = each->AccessibleLocation(), both;
                EXPECT_TRUE(IntersectRect(&both, &element, &box) && EqualRect(&both, &element)) << seen.size() << " at " << dpi;
                InflateRect(&element, 1, 0);
                EXPECT_TRUE(std::none_of(seen.begin(), seen.end(), [&](const RECT& other) { return IntersectRect(&both, &element, &other); }))
                    << seen.size() << " touches another at " << dpi;
                seen.push_back(each->AccessibleLocation());
            }
        }
    });
}
