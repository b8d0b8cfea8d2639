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

TEST(WindowingLayer, ACommandWithoutASenderClicksNothingAndAFailedGetMessageEndsTheLoop)
{
    LaunchRecorder recorder;
    for (WORD id : {IDOK, IDCANCEL, 40001})
        for (HWND window : {ShownSearchWindow().hWnd(), ShownSearchWindow().Controls(frmGoogleVideo::Picture1).hWnd()})
            SendMessageW(window, WM_COMMAND, id, 0);
    EXPECT_TRUE(recorder.Launches().empty() && ShownSearchWindow().IsLoaded() && !ShownSearchWindow().ControlOfWindow(nullptr));

    const auto previous = SetGetMessageForTesting([](LPMSG message, HWND, UINT, UINT) WINAPI -> BOOL {
        message->wParam = 0x5A5A; // what the system leaves there is undefined
        return -1;
    });
    EXPECT_FALSE(PumpMessage());
    SetGetMessageForTesting(previous);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 1);
}

TEST(WindowingLayer, ABrokenModalWindowOrListFillGivesEverythingBack)
{
    WithExamplesOpen([&](frmInfo& window) { DestroyWindow(window.hWnd()); }); // behind the layer's back
    EXPECT_TRUE(IsWindowEnabled(ShownSearchWindow().hWnd()));

    static std::vector<WPARAM> redraws;
    const SUBCLASSPROC failing = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) CALLBACK {
        if (message == WM_SETREDRAW)
            redraws.push_back(wParam);
        const bool fail = message == LB_ADDSTRING && SendMessageW(window, LB_GETCOUNT, 0, 0) == 3;
        return fail ? LRESULT(LB_ERRSPACE) : DefSubclassProc(window, message, wParam, lParam);
    };
    WithExamplesOpen([&](frmInfo& window) {
        SetWindowSubclass(window.Controls(frmInfo::List1).hWnd(), failing, 1, 0);
        EXPECT_THROW(window.Voci_Click(0), RuntimeError);
        EXPECT_EQ(redraws, (std::vector<WPARAM>{FALSE, TRUE})) << "the list draws again";
    });
}
