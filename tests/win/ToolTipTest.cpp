// The balloon tooltip class against the real tooltip control, asked with its own messages.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "tooltip/cToolTip.h"

namespace {

// The text (in full: the ANSI TTM_GETTOOLINFO copies 80 characters) and flags the tooltip window
// holds for a control's tool.
std::pair<std::u16string, UINT> ToolOf(const cToolTip& tip, HWND control)
{
    wchar_t text[512] = {};
    TOOLINFOW tool{sizeof(tool)};
    tool.hwnd = control;
    tool.lpszText = text;
    SendMessageW(tip.hWnd(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip.hWnd(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return {reinterpret_cast<const char16_t*>(text), tool.uFlags};
}

COLORREF Colour(const cToolTip& tip, UINT message) { return COLORREF(SendMessageW(tip.hWnd(), message, 0, 0)); }

} // namespace

TEST(ToolTips, TheSearchWindowsBalloonsBreakTheirLinesWhereTheBarsWere)
{
    frmGoogleVideo& form = ShownSearchWindow();
    const std::pair<frmGoogleVideo::ControlId, const char16_t*> expected[] = {
        {frmGoogleVideo::txtSearch,
         u"Cerca la parola specificata in rete : \r\n Inserire per intero o parzialmente il nome del suono da cercare"},
        {frmGoogleVideo::Command1,
         u"Visualizza parole d'esempio\r\nfare click su questo pulsante per mostrare gli esempi"},
        {frmGoogleVideo::cmdSearch, u"Avvia Ricerca\r\n-> cerca i suoni specificati in rete\r\n"}};
    ASSERT_EQ(form.ToolTips()->size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const auto& [key, tip] = (*form.ToolTips())[i];
        EXPECT_EQ(key, form.Controls(expected[i].first).Name()) << "kept by control name, in the order made";
        EXPECT_EQ(ToolOf(*tip, form.Controls(expected[i].first).hWnd()),
                  (std::pair<std::u16string, UINT>{expected[i].second, TTF_SUBCLASS}));
        EXPECT_EQ(GetWindowLongW(tip->hWnd(), GWL_STYLE) & 0xFF, 0x43) << "a balloon shown also when inactive";
        EXPECT_EQ(Colour(*tip, TTM_GETTIPBKCOLOR), i == 1 ? RGB(255, 255, 0) : RGB(255, 255, 255));
    }
}

TEST(ToolTips, CreateDefaultsFallbacksAndRefusals)
{
    const Control& button = ShownSearchWindow().Controls(frmGoogleVideo::Command1);
    cToolTip tip;
    const int32_t made = tip.Create(button, u"a|b"); // no title: a line break is a space
    EXPECT_EQ(made, static_cast<int32_t>(reinterpret_cast<INT_PTR>(tip.hWnd())));
    EXPECT_EQ(ToolOf(tip, button.hWnd()), (std::pair<std::u16string, UINT>{u"a b", TTF_SUBCLASS}));
    tip.Create(button, u"x|", 0x40, true, 1, u"T", 0xFFFFFF, 0xFFFFFF); // equal colours fall back
    EXPECT_EQ(ToolOf(tip, button.hWnd()), (std::pair<std::u16string, UINT>{u"x\r\n", TTF_SUBCLASS | TTF_CENTERTIP}));
    EXPECT_EQ(Colour(tip, TTM_GETTIPTEXTCOLOR), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(Colour(tip, TTM_GETTIPBKCOLOR), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(tip.InitialText() + tip.InitialTitle(), u"a bT") << "the first non-empty ones";
    HWND live = tip.hWnd();
    EXPECT_EQ(tip.Create(button, u"x", 2) + tip.Style(), -1) << "a style it does not know: no tooltip";
    EXPECT_FALSE(IsWindow(live)) << "and the earlier one torn down";
    EXPECT_EQ(tip.Create(button, u"x", 0x41, false, 4), 0) << "nor an icon it does not know";
    EXPECT_EQ(tip.Create(ShownSearchWindow().Controls(frmGoogleVideo::Label3), u"x"), 0) << "a label has no window";
}
