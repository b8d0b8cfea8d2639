#include "forms/Layout.h"

#include <algorithm>

#include "forms/Control.h"
#include "forms/Dpi.h"
#include "forms/Picture.h"
#include "forms/TextConversion.h"

LayoutResources LayoutResources::Make(const FormDesign& design, std::span<Control> controls, int dpi)
{
    LayoutResources layout;
    for (Control& control : controls) {
        const ControlDesign& row = control.Design();
        control.m_Font = layout.FontFor(row.Font ? *row.Font : *design.DefaultFont, dpi);
        control.m_Cursor = layout.CursorFor(row.MouseIcon, dpi);
        RECT& box = control.m_Bounds;
        box.left = Pixels(row.Left, dpi);
        box.top = Pixels(row.Top, dpi);
        box.right = box.left + Pixels(row.Width, dpi);
        box.bottom = box.top + Pixels(row.Height, dpi);
        if (row.Picture) {
            layout.Pictures.push_back(PictureOfSize(*row.Picture, box.right - box.left, box.bottom - box.top));
            control.m_Picture = static_cast<HBITMAP>(layout.Pictures.back().Get());
        }
        if (row.Kind == ControlKind::Label && row.AutoSize) {
            FitToCaption(control);
            // A caption wider than its font promised (another scale, a substitute font) stays
            // inside the window: the label moves left rather than past the edge.
            int windowRight = Pixels(design.ClientWidth, dpi);
            for (const Control& container : controls) {
                if (row.Container != kOnForm && container.Id() == row.Container)
                    windowRight -= container.m_Bounds.left;
            }
            OffsetRect(&box, std::min(0L, std::max<LONG>(windowRight - box.right, -box.left)), 0);
        }
    }
    if (design.IconData)
        layout.Icon = IconFromIcoFile(*design.IconData, MetricForDpi(SM_CXICON, dpi));
    return layout;
}

HFONT LayoutResources::FontFor(const FontDesign& font, int dpi)
{
    // One font object per design font, however many controls share it.
    for (const auto& [design, made] : Fonts) {
        if (design == &font)
            return static_cast<HFONT>(made.Get());
    }
    const int height = -MulDiv(font.PointsX100, dpi, 7200);
    Fonts.emplace_back(&font, ScopedGdiObject(CreateFontW(height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE,
                                                          font.Underline, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                          DEFAULT_PITCH | FF_DONTCARE, font.Face)));
    return static_cast<HFONT>(Fonts.back().second.Get());
}

HCURSOR LayoutResources::CursorFor(const EmbeddedData* data, int dpi)
{
    if (!data)
        return nullptr;
    for (const auto& [source, made] : Cursors) {
        if (source == data)
            return made.Get();
    }
    Cursors.emplace_back(data, CursorFromCurFile(*data, MetricForDpi(SM_CXCURSOR, dpi)));
    return Cursors.back().second.Get();
}

void LayoutResources::FitToCaption(Control& control)
{
    HDC screen = GetDC(nullptr);
    {
        ScopedSelect font(screen, control.m_Font);
        RECT measured{};
        DrawTextW(screen, Wide(control.m_Caption), -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        control.m_Bounds.right = control.m_Bounds.left + measured.right;
        control.m_Bounds.bottom = control.m_Bounds.top + measured.bottom;
    }
    ReleaseDC(nullptr, screen);
}
