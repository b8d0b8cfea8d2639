#include "forms/Layout.h"

#include <algorithm>

#include "display/Dpi.h"
#include "forms/Control.h"
#include "pictures/Picture.h"
#include "platform/TextConversion.h"

LayoutResources LayoutResources::Make(const FormDesign& design, std::span<Control> controls, int dpi, bool dark)
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
            layout.Pictures.push_back(
                PictureOfSize(*row.Picture, box.right - box.left, box.bottom - box.top, dark && control.IsDecoration()));
            control.m_Picture = static_cast<HBITMAP>(layout.Pictures.back().Get());
        }
        if (row.Kind == ControlKind::Label && row.AutoSize)
            FitToCaption(control);
    }
    SpreadRows(design, controls, dpi);
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

SIZE LayoutResources::CaptionSize(const Control& control)
{
    HDC screen = GetDC(nullptr);
    RECT measured{};
    {
        ScopedSelect font(screen, control.m_Font);
        DrawTextW(screen, Wide(control.m_Caption), -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    ReleaseDC(nullptr, screen);
    return {measured.right, measured.bottom};
}

void LayoutResources::FitToCaption(Control& control)
{
    const SIZE caption = CaptionSize(control);
    control.m_Bounds.right = control.m_Bounds.left + caption.cx;
    control.m_Bounds.bottom = control.m_Bounds.top + caption.cy;
}

void LayoutResources::SpreadRows(const FormDesign& design, std::span<Control> controls, int dpi)
{
    // A row: the labels of one control array whose designed boxes share a line.
    const auto sameRow = [](const ControlDesign& a, const ControlDesign& b) {
        return a.Kind == ControlKind::Label && b.Kind == ControlKind::Label && a.Id == b.Id &&
               a.Container == b.Container && a.Top < b.Top + b.Height && b.Top < a.Top + a.Height;
    };
    std::vector<bool> placed(controls.size());
    for (size_t first = 0; first < controls.size(); ++first) {
        if (placed[first] || controls[first].Design().Kind != ControlKind::Label)
            continue;
        std::vector<Control*> row;
        for (size_t i = first; i < controls.size(); ++i) {
            if (!placed[i] && sameRow(controls[first].Design(), controls[i].Design())) {
                row.push_back(&controls[i]);
                placed[i] = true;
            }
        }
        // The window's edges in the container's coordinates, with room for a focus rectangle.
        int left = 0, right = Pixels(design.ClientWidth, dpi);
        for (const Control& container : controls) {
            if (row.front()->Design().Container != kOnForm && container.Id() == row.front()->Design().Container)
                left -= container.m_Bounds.left, right -= container.m_Bounds.left;
        }
        const int margin = Pixels(kCaptionMarginTwips, dpi);
        SpreadRow(row, left + margin, right - margin, Pixels(kCaptionGapTwips, dpi));
    }
}

void LayoutResources::SpreadRow(std::vector<Control*>& row, int left, int right, int gap)
{
    std::sort(row.begin(), row.end(),
              [](const Control* a, const Control* b) { return a->m_Bounds.left < b->m_Bounds.left; });
    const size_t count = row.size();
    std::vector<int> x(count), width(count);
    for (size_t i = 0; i < count; ++i) {
        x[i] = row[i]->m_Bounds.left;
        width[i] = row[i]->Design().AutoSize ? row[i]->m_Bounds.right - row[i]->m_Bounds.left : CaptionSize(*row[i]).cx;
    }
    // Each caption clear of the one before it, then the row pulled back inside the right edge;
    // a row that still does not fit shares out what room there is.
    for (size_t i = 1; i < count; ++i)
        x[i] = std::max(x[i], x[i - 1] + width[i - 1] + gap);
    for (size_t i = count; i-- > 0;)
        x[i] = std::min(x[i], i + 1 < count ? x[i + 1] - gap - width[i] : right - width[i]);
    if (x[0] < left) {
        int total = 0;
        for (int w : width)
            total += w;
        const int share = count > 1 ? std::max(0, (right - left - total) / static_cast<int>(count - 1)) : 0;
        for (size_t i = 0; i < count; ++i)
            x[i] = i == 0 ? left : x[i - 1] + width[i - 1] + share;
    }
    for (size_t i = 0; i < count; ++i)
        OffsetRect(&row[i]->m_Bounds, x[i] - row[i]->m_Bounds.left, 0);
}
