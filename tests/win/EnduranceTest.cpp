// 500 trips to the examples window, each choosing a word, leave the program as they found it. Wine
// answers GetGuiResources with 0 and has no private-bytes figure, so what is counted is what can
// be: the windows, the GDI objects, icons and cursors the layer holds, and the heaps' bytes.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "platform/Handles.h"

TEST(LongRuns, FiveHundredTripsToTheExamplesLeaveNothingBehind)
{
    const auto usage = [] {
        PumpFor(50);
        size_t windows = 0, bytes = 0;
        const WNDENUMPROC countOne = [](HWND, LPARAM count) CALLBACK -> BOOL {
            ++*reinterpret_cast<size_t*>(count);
            return TRUE;
        };
        EnumChildWindows(GetDesktopWindow(), countOne, reinterpret_cast<LPARAM>(&windows)); // the whole desktop's
        HANDLE heaps[64];
        for (DWORD i = 0, count = GetProcessHeaps(64, heaps); i < count && i < 64; ++i)
            for (PROCESS_HEAP_ENTRY entry{}; HeapWalk(heaps[i], &entry);)
                bytes += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
        // Heaps keep some slack after a burst of work; one allocation leaked per trip would not fit.
        return std::vector<size_t>{windows, size_t(ScopedGdiObject::LiveCount()), size_t(ScopedIcon::LiveCount()),
                                   size_t(ScopedCursor::LiveCount()), bytes / (24 * 1024)};
    };
    Control& box = ShownSearchWindow().Controls(frmGoogleVideo::txtSearch);
    const auto trip = [&](int16_t category) { // a word chosen from the keyboard lands in the box
        box.SetText(u"");
        WithExamplesOpen([&](frmInfo& examples) {
            ClickAt(examples.hWnd(), CentreOf(examples.Controls(frmInfo::Voci, category)));
            PumpFor();
            PressKey(examples.Controls(frmInfo::List1).hWnd(), VK_RETURN); // the entry its focus rectangle is on
            PumpFor();
        });
        return !box.GetText().empty();
    };
    trip(0);
    const std::vector<size_t> before = usage();
    for (int cycle = 0; cycle < 500; ++cycle)
        ASSERT_TRUE(trip(static_cast<int16_t>(cycle % 15))) << cycle;
    const std::vector<size_t> after = usage();
    EXPECT_LE(after.back(), before.back() + 1) << "heap in 24 KB";
    EXPECT_EQ(std::vector(after.begin(), after.end() - 1), std::vector(before.begin(), before.end() - 1));
}
