// The windows in a high-contrast scheme, switched on and off while they run. High contrast is
// answered through the program's one question to the system (Wine cannot switch it on); the
// scheme's colours are the system's own, set with SetSysColors.
#include <gtest/gtest.h>

#include <set>

#include "WinTestSupport.h"
#include "forms/Colours.h"
#include "tooltip/cToolTip.h"

namespace {

// The colours a surface paints inside a box (in its client area), as COLORREFs.
std::set<COLORREF> PaintedColours(HWND surface, RECT box)
{
    RECT client;
    GetClientRect(surface, &client);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB}};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(surface, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::set<COLORREF> colours;
    IntersectRect(&box, &box, &client);
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x) {
            const uint32_t pixel = static_cast<const uint32_t*>(bits)[y * client.right + x];
            colours.insert(RGB(pixel >> 16 & 255, pixel >> 8 & 255, pixel & 255));
        }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colours;
}

} // namespace

TEST(Colours, HighContrastDrawsEveryTextAndBackgroundInTheSystemsColoursAndKeepsTheBannerFramed)
{
    frmGoogleVideo& search = ShownSearchWindow();
    HWND surface = search.Controls(frmGoogleVideo::Picture1).hWnd();
    const RECT note = search.Controls(frmGoogleVideo::Label3).CaptionBounds(), background{280, 40, 320, 80};
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HOTLIGHT, COLOR_INFOBK, COLOR_INFOTEXT};
    const COLORREF scheme[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 0, 64), RGB(0, 255, 0)};
    COLORREF saved[std::size(elements)];
    for (size_t i = 0; i < std::size(elements); ++i)
        saved[i] = GetSysColor(elements[i]);
    SetSysColors(std::size(elements), elements, scheme);
    SetHighContrastForTesting([] { return true; });
    SendMessageW(search.hWnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0); // switched while it runs
    EXPECT_EQ(PaintedColours(surface, background), std::set<COLORREF>{scheme[0]}) << "the background gives way";
    EXPECT_EQ(PaintedColours(surface, note), (std::set<COLORREF>{scheme[0], scheme[1]}));
    const RECT link = search.Controls(frmGoogleVideo::Label2, 1).CaptionBounds();
    EXPECT_EQ(PaintedColours(surface, link), (std::set<COLORREF>{scheme[0], scheme[2]}));
    for (const auto& [key, balloon] : *search.ToolTips())
        EXPECT_TRUE(SendMessageW(balloon->hWnd(), TTM_GETTIPBKCOLOR, 0, 0) == LRESULT(scheme[3]) &&
                    SendMessageW(balloon->hWnd(), TTM_GETTIPTEXTCOLOR, 0, 0) == LRESULT(scheme[4]));
    WithExamplesOpen([&](frmInfo& examples) {
        RECT banner = examples.Controls(frmInfo::Image6).Bounds(), frame = banner;
        InflateRect(&frame, 2, 2);
        frame.bottom = frame.top + 2;
        EXPECT_GT(PaintedColours(examples.hWnd(), banner).size(), 8u) << "the banner is content: it stays";
        EXPECT_EQ(PaintedColours(examples.hWnd(), frame), std::set<COLORREF>{scheme[1]}) << "framed";
        EXPECT_EQ(PaintedColours(examples.hWnd(), examples.Controls(frmInfo::Voci, 5).CaptionBounds()),
                  (std::set<COLORREF>{scheme[0], scheme[2]}));
    });
    SetHighContrastForTesting(nullptr);
    SetSysColors(std::size(elements), elements, saved); // and back, the windows with it
    PumpFor(50);
    EXPECT_TRUE(PaintedColours(surface, background).size() > 8 && PaintedColours(surface, note).count(RGB(255, 0, 0)));
    EXPECT_EQ(SendMessageW((*search.ToolTips())[1].second->hWnd(), TTM_GETTIPBKCOLOR, 0, 0), LRESULT(RGB(255, 255, 0)));
}
