// The windowing layer where it meets the system's odd corners: unloading from inside events,
// subclassed windows, commands without a sender, failed message retrieval, windows destroyed
// behind its back, failures half-way through a list, and the runtime's own errors.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "forms/MessageLoop.h"
#include "forms/RuntimeError.h"

namespace {
// In a process of its own: the search window is closed for good.
[[maybe_unused]] const bool registered = RegisterChildRoutine("close-during-modal", [] {
    frmGoogleVideo& search = ShownSearchWindow();
    int faults = 0;
    WithExamplesOpen([&](frmInfo&) {
        PostMessageW(search.hWnd(), WM_CLOSE, 0, 0); // from the task bar, another program, the session
        PumpFor(100);
        faults |= HIWORD(GetQueueStatus(QS_POSTMESSAGE)) ? 1 : 0; // asked again and again
        faults |= search.IsLoaded() ? 0 : 2;                      // closed while Command1_Click runs
    });
    PumpFor(50);
    return faults | (search.IsLoaded() ? 4 : 0); // not closed once the click had returned
});
} // namespace

TEST(WindowingLayer, ACloseRequestDuringAModalLoopWaitsOnceForTheEventToEnd)
{
    EXPECT_EQ(ChildExitCode("close-during-modal"), 0u);
}

TEST(WindowingLayer, AWindowSubclassedByItsTooltipIsStillAFormWithDialogKeys)
{
    WithExamplesOpen([&](frmInfo& window) {
        window.ControlToolTipWindow(); // the banner's tooltip subclasses the window itself
        EXPECT_EQ(Form::FromWindow(window.hWnd()), &window);
        PressKey(window.Controls(frmInfo::List1).hWnd(), VK_ESCAPE);
        PumpFor(50);
        EXPECT_FALSE(window.IsLoaded()) << "Escape reaches the window through the dialog keys";
    });
}

TEST(WindowingLayer, ACommandWithoutASenderClicksNothing)
{
    LaunchRecorder recorder;
    frmGoogleVideo& search = ShownSearchWindow();
    for (WORD id : {IDOK, IDCANCEL, 40001}) {
        SendMessageW(search.hWnd(), WM_COMMAND, id, 0);
        SendMessageW(search.Controls(frmGoogleVideo::Picture1).hWnd(), WM_COMMAND, id, 0);
    }
    PumpFor(20);
    EXPECT_TRUE(recorder.Launches().empty());
    EXPECT_TRUE(search.IsLoaded());
    EXPECT_EQ(search.ControlOfWindow(nullptr), nullptr);
}

TEST(WindowingLayer, AFailedGetMessageEndsTheLoopWithoutReadingTheMessage)
{
    const auto previous = SetGetMessageForTesting([](LPMSG message, HWND, UINT, UINT) -> BOOL {
        message->wParam = 0x5A5A; // what the system leaves there is undefined
        return -1;
    });
    EXPECT_FALSE(PumpMessage());
    SetGetMessageForTesting(previous);
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 1u);
}

TEST(WindowingLayer, AModalWindowDestroyedBehindItsBackGivesTheOthersBackTheirInput)
{
    frmGoogleVideo& search = ShownSearchWindow();
    WithExamplesOpen([&](frmInfo& window) { DestroyWindow(window.hWnd()); });
    EXPECT_TRUE(IsWindowEnabled(search.hWnd()));
}

namespace {
std::vector<WPARAM> g_Redraws;
LRESULT CALLBACK FailingList(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_SETREDRAW)
        g_Redraws.push_back(wParam);
    if (message == LB_ADDSTRING && SendMessageW(window, LB_GETCOUNT, 0, 0) == 3)
        return LB_ERRSPACE;
    return DefSubclassProc(window, message, wParam, lParam);
}
} // namespace

TEST(WindowingLayer, AFailureWhileFillingAListLeavesItDrawing)
{
    ShownSearchWindow();
    WithExamplesOpen([&](frmInfo& window) {
        Control& list = window.Controls(frmInfo::List1);
        SetWindowSubclass(list.hWnd(), FailingList, 1, 0);
        g_Redraws.clear();
        try {
            window.Voci_Click(0);
            ADD_FAILURE() << "the failure was swallowed";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number, kErrOutOfMemory);
        }
        EXPECT_EQ(g_Redraws, (std::vector<WPARAM>{FALSE, TRUE}));
        RemoveWindowSubclass(list.hWnd(), FailingList, 1);
    });
}

TEST(WindowingLayer, TheRuntimeReportsProgrammingFaultsAsInternalErrors)
{
    // The program's runtime raises its own error; the library's would escape as std::out_of_range.
    for (auto fault : {+[] { (void)Text(u"abc").at(7); }, +[] { (void)Text(u"abc").substr(9); }}) {
        try {
            fault();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number, kErrInternal);
            EXPECT_EQ(error.Description, u"Errore interno");
        }
    }
    try {
        Text().reserve(Text().max_size() + 1);
        ADD_FAILURE() << "no error";
    } catch (...) {
        EXPECT_EQ(ErrorFromCurrentException().Number, kErrOutOfMemory);
    }
}
