// How a surface draws the windowless controls lying on it: off screen first, bottom to top, the
// pictures and the captions in the design's colours, the user's or high contrast's, and the
// focused link's focus rectangle.
#include "display/Colours.h"
#include "display/Contrast.h"
#include "display/DarkMode.h"
#include "forms/Control.h"
#include "forms/Surface.h"
#include "pictures/Picture.h"
#include "platform/Handles.h"
#include "platform/TextConversion.h"

void Surface::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd(), &ps);
    RECT client;
    GetClientRect(hWnd(), &client);
    // Drawn off screen first, so the picture and the captions on it never flicker.
    HDC buffer = CreateCompatibleDC(dc);
    ScopedGdiObject bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    {
        ScopedSelect select(buffer, bitmap.Get());
        Paint(buffer);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    }
    DeleteDC(buffer);
    EndPaint(hWnd(), &ps);
}

void Surface::Paint(HDC dc)
{
    RECT client;
    GetClientRect(hWnd(), &client);
    const bool highContrast = HighContrast();
    FillRect(dc, &client, highContrast ? GetSysColorBrush(COLOR_WINDOW) : m_Host.Dark() ? DarkFaceBrush() : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    // Bottom to top: the last row is drawn first.
    const auto controls = m_Host.AllControls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const Control& control = *it;
        if (control.hWnd() || control.ContainerWindow() != hWnd())
            continue;
        if (control.Picture() && !(highContrast && control.IsDecoration()))
            DrawPicture(dc, control, highContrast);
        else if (control.Design().Kind == ControlKind::Label)
            DrawCaption(dc, control);
    }
    // A focused link is framed as the system frames one: a dotted rectangle round its caption,
    // while the window shows its keyboard cues; in high contrast, in the text colour.
    const LRESULT cues = SendMessageW(hWnd(), WM_QUERYUISTATE, 0, 0);
    if (Control* focused = FocusedElement(); focused && !(cues & UISF_HIDEFOCUS)) {
        RECT frame = focused->CaptionBounds();
        InflateRect(&frame, 1, 1);
        if (highContrast) {
            const LOGBRUSH ink{BS_SOLID, GetSysColor(COLOR_WINDOWTEXT), 0};
            ScopedGdiObject dots(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &ink, 0, nullptr));
            ScopedSelect pen(dc, dots.Get());
            ScopedSelect hollow(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
        } else {
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            DrawFocusRect(dc, &frame);
        }
    }
}

void Surface::DrawPicture(HDC dc, const Control& control, bool highContrast)
{
    RECT r = control.Bounds();
    HDC pictureDc = CreateCompatibleDC(dc);
    {
        ScopedSelect picture(pictureDc, control.Picture());
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, pictureDc, 0, 0, SRCCOPY);
    }
    DeleteDC(pictureDc);
    // A picture that is content (the sponsor's banner) stays in high contrast, framed in the
    // text colour so that it stands out from the window around it.
    if (highContrast) {
        for (int line = 0; line < MulDiv(2, m_Host.Dpi(), 96); ++line) {
            InflateRect(&r, 1, 1);
            FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
    }
}

void Surface::DrawCaption(HDC dc, const Control& label)
{
    ScopedSelect font(dc, label.Font());
    SetTextColor(dc, TextColour(label));
    RECT box = label.Bounds();
    const Text caption = label.GetText();
    DrawTextW(dc, Wide(caption), -1, &box, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

COLORREF Surface::TextColour(const Control& label) const
{
    const bool link = label.IsLink();
    if (HighContrast())
        return GetSysColor(link ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT);
    const bool dark = m_Host.Dark();
    const int32_t colour = label.Design().ForeColour;
    const COLORREF design = colour != kDefaultColour ? static_cast<COLORREF>(colour)
                            : dark                   ? kDarkText
                                                     : GetSysColor(COLOR_BTNTEXT);
    if (!dark && StandardColours())
        return design;
    // Under the user's own colours, and in dark mode, the design's colour stays where it reads
    // against what it lands on (the picture beneath the caption, or the face). Else, in dark mode,
    // the nearest shade of it that reads; under the user's colours the system's colour for it, and
    // where that does not read on a picture the scheme did not choose, the face colour.
    const RECT caption = label.CaptionBounds();
    COLORREF background = dark ? kDarkFace : GetSysColor(COLOR_BTNFACE);
    const auto controls = m_Host.AllControls();
    for (const Control& below : controls.subspan(static_cast<size_t>(&label - controls.data()) + 1)) {
        RECT under;
        if (below.Picture() && below.ContainerWindow() == hWnd() && IntersectRect(&under, &caption, &below.Bounds())) {
            OffsetRect(&under, -below.Bounds().left, -below.Bounds().top);
            background = AverageColour(below.Picture(), under);
            break;
        }
    }
    const FontDesign* font = label.Design().Font ? label.Design().Font : &m_Host.DefaultFont();
    const bool large = IsLargeText(font->PointsX100, font->Bold);
    if (dark)
        return ReadableShade(design, background, large);
    const uint32_t candidates[] = {design, GetSysColor(link ? COLOR_HOTLIGHT : COLOR_BTNTEXT), GetSysColor(COLOR_BTNTEXT),
                                   GetSysColor(COLOR_BTNFACE)};
    return FirstReadable(candidates, background, large);
}
