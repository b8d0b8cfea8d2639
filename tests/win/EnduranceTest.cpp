// Long runs: the examples window opened, filled and closed 500 times, 500 searches, Enter held
// down. Wine answers GetGuiResources with 0 and has no private-bytes figure, so what is counted
// is what can be: the program's windows, the GDI objects and icons the layer holds, and the
// bytes in use on the process heaps.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "WinTestSupport.h"
#include "app/Hosts.h"
#include "app/WebLinks.h"
#include "app/frmGoogleVideo.h"
#include "examples/ExampleVocabulary.h"
#include "examples/frmInfo.h"
#include "forms/Handles.h"

namespace {

struct Usage {
    int Windows = 0;
    int GdiObjects = 0;
    int Icons = 0;
    int Cursors = 0;
    size_t HeapBytes = 0;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, [](HWND, LPARAM c) -> BOOL { return ++*reinterpret_cast<int*>(c), TRUE; }, count);
    return TRUE;
}

Usage Measure()
{
    Usage usage;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&usage.Windows));
    usage.GdiObjects = ScopedGdiObject::LiveCount();
    usage.Icons = ScopedIcon::LiveCount();
    usage.Cursors = ScopedCursor::LiveCount();
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                usage.HeapBytes += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return usage;
}

void ExpectSameLevel(const Usage& before, const Usage& after)
{
    std::printf("windows %d -> %d, GDI objects %d -> %d, icons %d -> %d, cursors %d -> %d, heap bytes %zu -> %zu\n",
                before.Windows, after.Windows, before.GdiObjects, after.GdiObjects, before.Icons, after.Icons,
                before.Cursors, after.Cursors, before.HeapBytes, after.HeapBytes);
    EXPECT_EQ(after.Windows, before.Windows);
    EXPECT_EQ(after.GdiObjects, before.GdiObjects);
    EXPECT_EQ(after.Icons, before.Icons);
    EXPECT_EQ(after.Cursors, before.Cursors);
    // The heaps keep some slack after a burst of work; a leak of one allocation per cycle
    // would show as tens of kilobytes here.
    EXPECT_LT(after.HeapBytes, before.HeapBytes + 16 * 1024) << before.HeapBytes << " -> " << after.HeapBytes;
}

class LongRuns : public testing::Test {
protected:
    // One cycle as a user makes it: "...", a category, the first entry by arrow key.
    void ChooseFirstEntryOf(int16_t category)
    {
        WhenWindowAppears(L"Info Sul Programma", [&](HWND) {
            const POINT centre = CentreOf(examples.Controls(frmInfo::Voci, category));
            ClickAt(examples.hWnd(), centre.x, centre.y);
            PumpFor();
            HWND list = examples.Controls(frmInfo::List1).hWnd();
            SetFocus(list);
            PressKey(list, VK_DOWN);
            PumpFor();
            if (examples.IsLoaded()) {
                ADD_FAILURE() << "the examples window stayed open";
                PostMessageW(examples.hWnd(), WM_CLOSE, 0, 0);
            }
        });
        SendMessageW(search.Controls(frmGoogleVideo::Command1).hWnd(), BM_CLICK, 0, 0);
    }

    frmGoogleVideo& search = ShownSearchWindow();
    frmInfo& examples = frmInfo::Instance();
};

} // namespace

TEST_F(LongRuns, FiveHundredExamplesCyclesLeaveNothingBehind)
{
    ChooseFirstEntryOf(0);
    PumpFor(50);
    const Usage before = Measure();
    for (int cycle = 0; cycle < 500; ++cycle) {
        const auto category = static_cast<int16_t>(cycle % 15);
        ChooseFirstEntryOf(category);
        ASSERT_EQ(search.Controls(frmGoogleVideo::txtSearch).GetText(), ExampleVocabulary[category].Words.front())
            << "cycle " << cycle;
    }
    PumpFor(50);
    ExpectSameLevel(before, Measure());
}

TEST_F(LongRuns, FiveHundredSearchesLeaveNothingBehind)
{
    LaunchRecorder recorder;
    HWND text = search.Controls(frmGoogleVideo::txtSearch).hWnd();
    search.Controls(frmGoogleVideo::txtSearch).SetText(u"warm-up");
    PressKey(text, VK_RETURN);
    PumpFor();
    recorder.Launches().clear();
    size_t launches = 0;
    const Usage before = Measure();
    for (int i = 0; i < 500; ++i) {
        search.Controls(frmGoogleVideo::txtSearch).SetText(i % 2 ? u"door bell" : u"citt\u00e0 \u65e5\u672c \"x\"");
        PressKey(text, VK_RETURN);
        PumpFor();
        launches += recorder.Launches().size();
        recorder.Launches().clear(); // the addresses recorded are the test's memory, not the program's
    }
    EXPECT_EQ(launches, 500u);
    ExpectSameLevel(before, Measure());
}

TEST_F(LongRuns, HeldEnterSearchesOncePerKeyDown)
{
    LaunchRecorder recorder;
    HWND text = search.Controls(frmGoogleVideo::txtSearch).hWnd();
    search.Controls(frmGoogleVideo::txtSearch).SetText(u"siren");
    // The first press, 49 auto-repeats (previous-state bit set), one release.
    const LPARAM scan = MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC) << 16;
    for (int i = 0; i < 50; ++i)
        PostMessageW(text, WM_KEYDOWN, VK_RETURN, 1 | scan | (i > 0 ? 1 << 30 : 0));
    PostMessageW(text, WM_KEYUP, VK_RETURN, 1 | scan | (3u << 30));
    PumpFor(50);
    EXPECT_EQ(recorder.Launches().size(), 50u);
}

TEST_F(LongRuns, TheShellGetsAddressesUpToItsLimit)
{
    LaunchRecorder recorder;
    const std::string prefix = "http://" QUORVEL_SERVICE_HOST "/ISAPI/search.dll?keywords=";
    for (size_t length : {kLongestShellAddress, kLongestShellAddress + 1}) {
        recorder.Launches().clear();
        const std::u16string text(length - prefix.size(), u'x');
        search.Controls(frmGoogleVideo::txtSearch).SetText(text);
        search.cmdSearch_Click();
        EXPECT_EQ(recorder.Launches().size(), length == kLongestShellAddress ? 1u : 0u) << length;
    }
}

TEST_F(LongRuns, AMegabyteOfTextIsSearchedWithoutFuss)
{
    LaunchRecorder recorder;
    std::u16string text;
    text.reserve(1 << 20);
    while (text.size() < (1u << 20))
        text += u"rumore bianco \u00e8 \u65e5 ";
    text.resize(1 << 20);
    search.Controls(frmGoogleVideo::txtSearch).SetText(text);
    EXPECT_EQ(search.Controls(frmGoogleVideo::txtSearch).GetText().size(), text.size()) << "no length limit";
    PressKey(search.Controls(frmGoogleVideo::txtSearch).hWnd(), VK_RETURN);
    PumpFor();
    EXPECT_TRUE(recorder.Launches().empty()) << "no shell could take that address: the launch fails silently";
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(search.hWnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    search.Controls(frmGoogleVideo::txtSearch).SetText(u"");
}
