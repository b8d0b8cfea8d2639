// The window layer (forms/) where it meets the system's odd corners.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "forms/MessageLoop.h"
#include "platform/RuntimeError.h"

namespace {
// In a process of its own, as the search window closes for good: 0 when all went as it should.
[[maybe_unused]] const bool registered = RegisterChildRoutine("close-during-modal", [] {
    frmGoogleVideo& search = ShownSearchWindow();
    int faults = 0;
    WithExamplesOpen([&](frmInfo&) {
        PostMessageW(search.hWnd(), WM_CLOSE, 0, 0); // from the task bar, another program, the session
        PumpFor(100);
        // 1: asked again and again; 2: closed while the click runs; 4: open after it has returned.
        faults = (HIWORD(GetQueueStatus(QS_POSTMESSAGE)) ? 1 : 0) | (search.IsLoaded() ? 0 : 2);
    });
    PumpFor(50);
    return faults | (search.IsLoaded() ? 4 : 0);
});
} // namespace

TEST(WindowingLayer, AFailedGetMessageEndsTheLoopAndABrokenModalWindowGivesTheOthersBack)
{
    const auto previous = SetGetMessageForTesting([](LPMSG message, HWND, UINT, UINT) WINAPI -> BOOL {
        message->wParam = 0x5A5A; // what the system leaves there is undefined
        return -1;
    });
    EXPECT_FALSE(PumpMessage());
    SetGetMessageForTesting(previous);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 1);
    WithExamplesOpen([&](frmInfo& window) { DestroyWindow(window.hWnd()); }); // behind the layer's back
    EXPECT_TRUE(IsWindowEnabled(ShownSearchWindow().hWnd())) << "a modal window destroyed gives the others back";
}

TEST(WindowingLayer, TheLoopDropsAHeldEnterAndTheRestOfADoubleClickWhoseFirstClickClosedItsWindow)
{
    LaunchRecorder recorder;
    frmGoogleVideo& search = ShownSearchWindow();
    search.Controls(frmGoogleVideo::txtSearch).SetText(u"owl");
    const LPARAM press = 1 | static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC) << 16);
    for (LPARAM held : {press, press | (1 << 30), press | (1 << 30)}) // a press, then the key's repeats
        PostMessageW(search.Controls(frmGoogleVideo::txtSearch).hWnd(), WM_KEYDOWN, VK_RETURN, held);
    PumpFor();
    EXPECT_EQ(recorder.Launches().size(), 1u) << "one press, one search";
    // A double-click on the entry that lies over "...": the first click chooses it and closes the
    // examples; the second lands on "..." beneath, which must not be pressed (counted here, not done);
    // a third click, after the double-click has ended, presses it.
    HWND button = search.Controls(frmGoogleVideo::Command1).hWnd();
    static int pressed = 0;
    const SUBCLASSPROC count = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR button) CALLBACK {
        const bool press = message == WM_COMMAND && HWND(lParam) == HWND(button) && HIWORD(wParam) == BN_CLICKED;
        return press ? LRESULT(++pressed) : DefSubclassProc(window, message, wParam, lParam);
    };
    WithExamplesOpen([&](frmInfo& examples) {
        SetWindowSubclass(GetParent(button), count, 1, DWORD_PTR(button));
        ClickAt(examples.hWnd(), CentreOf(examples.Controls(frmInfo::Voci, 0)));
        PumpFor();
        HWND list = examples.Controls(frmInfo::List1).hWnd();
        RECT entries, beneath, frame;
        GetClientRect(list, &entries), GetWindowRect(button, &beneath), GetWindowRect(search.hWnd(), &frame);
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&entries), 2);
        const POINT centre = CentreOf(entries), under = CentreOf(beneath);
        // The search window moved so that "..." lies under the middle of the list.
        SetWindowPos(search.hWnd(), nullptr, frame.left + centre.x - under.x, frame.top + centre.y - under.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The second click lands on the edge of the rectangle a double-click may wander in.
        POINT onList = centre, onButton{centre.x + GetSystemMetrics(SM_CXDOUBLECLK) / 2,
                                        centre.y + GetSystemMetrics(SM_CYDOUBLECLK) / 2};
        ScreenToClient(list, &onList), ScreenToClient(button, &onButton);
        ClickAt(list, onList);
        PostMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(onButton.x, onButton.y));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(onButton.x, onButton.y));
        ClickAt(button, onButton); // a click after the double-click is one of its own
    });
    PumpFor(50);
    RemoveWindowSubclass(GetParent(button), count, 1);
    EXPECT_NE(search.Controls(frmGoogleVideo::txtSearch).GetText(), u"owl") << "an entry chosen";
    EXPECT_EQ(pressed, 1) << "the rest of the double-click pressed what lay beneath, or the click after it did not";
}
