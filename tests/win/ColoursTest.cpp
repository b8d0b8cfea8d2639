// The windows in high contrast, switched on and off while they run, through the program's one
// question to the system (Wine cannot switch it on). Colours set with SetSysColors outlast a test:
// Wine keeps them for the rest of its session, above those a later program's user sets; so the
// test runs in a session of its own. Dark mode is followed on the screen: the looks journey.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "WinTestSupport.h"
#include "display/Colours.h"
#include "tooltip/cToolTip.h"

namespace {

// The colours a window paints of its client area inside a box, as COLORREFs.
std::set<COLORREF> PaintedColours(HWND window, RECT box)
{
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::set<COLORREF> colours;
    IntersectRect(&box, &box, &client);
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x)
            colours.insert(GetPixel(dc, x, y));
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colours;
}

} // namespace

// Run in a Wine session of its own (own_session.sh): the colours it sets outlast it in a session.
TEST(OwnSession, HighContrastDrawsEachTextBackgroundFrameAndBalloonInItsOwnSystemColour)
{
    // A dark high-contrast palette in which every colour the windows may take differs from every
    // other: a surface filled or a caption written in the wrong one shows.
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HOTLIGHT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_INFOBK, COLOR_INFOTEXT};
    const COLORREF colours[] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 0, 96),
                                RGB(0, 255, 0),   RGB(96, 0, 0),      RGB(0, 255, 255)};
    ASSERT_TRUE(SetSysColors(7, elements, colours));
    const COLORREF window = colours[0], text = colours[1], link = colours[2];
    frmGoogleVideo& search = ShownSearchWindow();
    HWND surface = search.Controls(frmGoogleVideo::Picture1).hWnd();
    const RECT background{280, 40, 320, 80};
    static std::map<UINT, int> told; // what the surface was told, how often
    const SUBCLASSPROC count = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) CALLBACK {
        ++told[message];
        return DefSubclassProc(window, message, wParam, lParam);
    };
    PumpFor(50);
    SetWindowSubclass(surface, count, 1, 0);
    SetHighContrastForTesting([] { return true; });
    for (UINT message : {WM_SETTINGCHANGE, WM_SYSCOLORCHANGE, WM_THEMECHANGED}) // switched while it runs, as Windows tells it
        SendMessageW(search.hWnd(), message, message == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
    PumpFor(50);
    EXPECT_EQ(std::pair(told[WM_PAINT], told[WM_SYSCOLORCHANGE]), std::pair(1, 1)) << "followed once, not once a message";
    RemoveWindowSubclass(surface, count, 1);
    EXPECT_EQ(PaintedColours(surface, background), std::set<COLORREF>{window}) << "the background gives way";
    for (const Control* caption : {&search.Controls(frmGoogleVideo::Label3), &search.Controls(frmGoogleVideo::Label1)})
        EXPECT_EQ(PaintedColours(surface, caption->CaptionBounds()), (std::set<COLORREF>{window, text}));
    EXPECT_EQ(PaintedColours(surface, search.Controls(frmGoogleVideo::Label2, 1).CaptionBounds()), (std::set<COLORREF>{window, link}));
    for (const auto& [key, balloon] : *search.ToolTips())
        EXPECT_TRUE(SendMessageW(balloon->hWnd(), TTM_GETTIPBKCOLOR, 0, 0) == LRESULT(colours[5]) &&
                    SendMessageW(balloon->hWnd(), TTM_GETTIPTEXTCOLOR, 0, 0) == LRESULT(colours[6]));
    WithExamplesOpen([&](frmInfo& examples) {
        RECT banner = examples.Controls(frmInfo::Image6).Bounds(), frame = banner;
        InflateRect(&frame, 2, 2);
        frame.bottom = frame.top + 2;
        EXPECT_GT(PaintedColours(examples.hWnd(), banner).size(), 8u) << "the banner is content: it stays";
        EXPECT_EQ(PaintedColours(examples.hWnd(), frame), std::set<COLORREF>{text}) << "framed";
        EXPECT_EQ(PaintedColours(examples.hWnd(), examples.Controls(frmInfo::Voci, 5).CaptionBounds()), (std::set<COLORREF>{window, link}));
    });
    SetHighContrastForTesting(nullptr);
    SendMessageW(search.hWnd(), WM_SYSCOLORCHANGE, 0, 0); // and back, the windows with it
    PumpFor(50);
    EXPECT_GT(PaintedColours(surface, background).size(), 8u) << "the background back";
    EXPECT_EQ(SendMessageW((*search.ToolTips())[1].second->hWnd(), TTM_GETTIPBKCOLOR, 0, 0), LRESULT(RGB(255, 255, 0)));
}
