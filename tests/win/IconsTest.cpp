// The window icons as windows receive them.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "app/mXPManifest.h"

namespace {

struct IconSend {
    HWND Window;
    WPARAM Kind;
    LPARAM Icon;
    bool operator==(const IconSend&) const = default;
};
std::vector<IconSend> g_Sends;

HWND LoggingWindow(HWND owner)
{
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_SETICON)
                g_Sends.push_back({window, wParam, lParam});
            return DefWindowProcW(window, message, wParam, lParam);
        };
        windowClass.lpszClassName = L"IconLogger";
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    return CreateWindowExW(0, L"IconLogger", L"", WS_OVERLAPPEDWINDOW, 0, 0, 99, 99, owner, nullptr, nullptr, nullptr);
}

LPARAM Icon0(int widthMetric, int heightMetric)
{
    return reinterpret_cast<LPARAM>(LoadImageA(GetModuleHandleW(nullptr), "ICON_0", IMAGE_ICON,
                                               GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
}

} // namespace

TEST(WindowIcons, TheTopOwnerGetsEachIconFirstAndTheBigBeforeTheSmall)
{
    HWND top = LoggingWindow(nullptr), middle = LoggingWindow(top), window = LoggingWindow(middle);
    const LPARAM big = Icon0(SM_CXICON, SM_CYICON), small = Icon0(SM_CXSMICON, SM_CYSMICON);
    ASSERT_NE(big, 0);
    const auto sends = [&](HWND target, const char16_t* name, bool includeTopOwner) {
        g_Sends.clear();
        InstallWindowIcons(target, name, includeTopOwner);
        return g_Sends;
    };
    EXPECT_EQ(sends(window, u"ICON_0", true),
              (std::vector<IconSend>{{top, ICON_BIG, big}, {window, ICON_BIG, big}, {top, ICON_SMALL, small},
                                     {window, ICON_SMALL, small}}));
    EXPECT_EQ(sends(window, u"ICON_0", false),
              (std::vector<IconSend>{{window, ICON_BIG, big}, {window, ICON_SMALL, small}}));
    EXPECT_EQ(sends(top, u"ICON_0", true), (std::vector<IconSend>{{top, ICON_BIG, big}, {top, ICON_BIG, big},
                                                                   {top, ICON_SMALL, small}, {top, ICON_SMALL, small}}));
    // A name the program does not hold takes both icons away, silently.
    EXPECT_EQ(sends(window, u"NO_SUCH_ICON", true),
              (std::vector<IconSend>{{top, ICON_BIG, 0}, {window, ICON_BIG, 0}, {top, ICON_SMALL, 0},
                                     {window, ICON_SMALL, 0}}));
    EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    DestroyWindow(window), DestroyWindow(middle), DestroyWindow(top);

    HWND search = ShownSearchWindow().hWnd();
    EXPECT_EQ(SendMessageW(search, WM_GETICON, ICON_BIG, 0), big);
    EXPECT_EQ(SendMessageW(search, WM_GETICON, ICON_SMALL, 0), small);
}
