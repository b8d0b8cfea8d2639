// Long runs: 500 trips to the examples window and 500 searches leave the program as they found
// it. Wine answers GetGuiResources with 0 and has no private-bytes figure, so what is counted
// is what can be: the program's windows, the GDI objects, icons and cursors the layer holds,
// and the bytes in use on the process heaps.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "examples/ExampleVocabulary.h"
#include "forms/Handles.h"

namespace {

struct Usage {
    int Windows = 0, GdiObjects = 0, Icons = 0, Cursors = 0;
    size_t HeapBytes = 0;
};

Usage Measure()
{
    PumpFor(50);
    Usage usage{0, ScopedGdiObject::LiveCount(), ScopedIcon::LiveCount(), ScopedCursor::LiveCount()};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM count) {
            ++*reinterpret_cast<int*>(count);
            EnumChildWindows(window, [](HWND, LPARAM c) { return ++*reinterpret_cast<int*>(c), TRUE; }, count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&usage.Windows));
    HANDLE heaps[64];
    for (DWORD i = 0, count = GetProcessHeaps(64, heaps); i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            usage.HeapBytes += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
        HeapUnlock(heaps[i]);
    }
    return usage;
}

void ExpectSameLevel(const Usage& before, const Usage& after)
{
    EXPECT_EQ(after.Windows, before.Windows);
    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_EQ(after.Icons, before.Icons);
    EXPECT_EQ(after.Cursors, before.Cursors);
    // The heaps keep some slack after a burst of work; one allocation leaked per cycle would show
    // as tens of kilobytes.
    EXPECT_LT(after.HeapBytes, before.HeapBytes + 16 * 1024) << before.HeapBytes << " -> " << after.HeapBytes;
}

} // namespace

TEST(LongRuns, FiveHundredTripsToTheExamplesAndFiveHundredSearchesLeaveNothingBehind)
{
    frmGoogleVideo& search = ShownSearchWindow();
    Control& box = search.Controls(frmGoogleVideo::txtSearch);
    const auto trip = [&](int16_t category) {
        WithExamplesOpen([&](frmInfo& examples) {
            ClickAt(examples.hWnd(), CentreOf(examples.Controls(frmInfo::Voci, category)));
            PumpFor();
            PressKey(examples.Controls(frmInfo::List1).hWnd(), VK_DOWN);
            PumpFor();
        });
        return box.GetText() == ExampleVocabulary[static_cast<size_t>(category)].Words.front();
    };
    LaunchRecorder recorder;
    trip(0);
    PressKey(box.hWnd(), VK_RETURN);
    const Usage before = Measure();
    for (int cycle = 0; cycle < 500; ++cycle) {
        ASSERT_TRUE(trip(static_cast<int16_t>(cycle % 15))) << cycle;
        box.SetText(cycle % 2 ? u"door bell" : u"citt\u00e0 \u65e5\u672c \"x\"");
        PressKey(box.hWnd(), VK_RETURN);
        PumpFor();
        ASSERT_EQ(recorder.Launches().size(), 2u) << cycle;
        recorder.Launches().pop_back(); // the recorded addresses are the test's memory, not the program's
    }
    ExpectSameLevel(before, Measure());
}

TEST(LongRuns, AMegabyteOfTextIsRefusedWithAMessageAndTheWindowAnswers)
{
    frmGoogleVideo& search = ShownSearchWindow();
    Control& box = search.Controls(frmGoogleVideo::txtSearch);
    Text text;
    while (text.size() < (1u << 20))
        text += u"rumore bianco \u00e8 \u65e5 ";
    box.SetText(text);
    EXPECT_EQ(box.GetText().size(), text.size()) << "no length limit";
    LaunchRecorder recorder;
    const SeenMessageBox refused = ExpectMessageBox(L"Dide QV", [&] { PressKey(box.hWnd(), VK_RETURN); });
    EXPECT_EQ(refused.Text, L"Testo troppo lungo per la ricerca");
    EXPECT_TRUE(recorder.Launches().empty());
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(search.hWnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    box.SetText(u"");
}
