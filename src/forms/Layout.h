#pragma once
// The design in pixels at one DPI: every control's box, and the fonts, pictures, cursors and
// window icon drawn at that size. Made when a window loads and again when its DPI changes; it
// owns what it made, so the previous set is freed once the controls have taken the new one.
#include <windows.h>

#include <span>
#include <utility>
#include <vector>

#include "forms/Design.h"
#include "platform/Handles.h"

class Control;

struct LayoutResources {
    // Gives each control its box, font, picture and cursor at dpi; dark: a decorative picture (a
    // background) in its dark rendering.
    static LayoutResources Make(const FormDesign& design, std::span<Control> controls, int dpi, bool dark);

    std::vector<std::pair<const FontDesign*, ScopedGdiObject>> Fonts;
    std::vector<ScopedGdiObject> Pictures;
    std::vector<std::pair<const EmbeddedData*, ScopedCursor>> Cursors;
    ScopedIcon Icon; // the window's designed icon, when the design carries one as data

private:
    HFONT FontFor(const FontDesign& font, int dpi);
    HCURSOR CursorFor(const EmbeddedData* data, int dpi);
    static SIZE CaptionSize(const Control& control);
    static void FitToCaption(Control& control);
    // The captions of a row of labels keep apart and inside the window: where the font is wider
    // than the design assumed (another scale, a substitute font), they are spread with a small
    // gap, their boxes (and so the places a click lands) following them. Nothing moves where
    // the design's own font leaves them apart.
    static void SpreadRows(const FormDesign& design, std::span<Control> controls, int dpi);
    static void SpreadRow(std::vector<Control*>& row, int left, int right, int gap);
    static constexpr int kCaptionGapTwips = 45;    // 3 pixels at 96 DPI
    static constexpr int kCaptionMarginTwips = 15; // a focus rectangle's room at the window's edge
};
