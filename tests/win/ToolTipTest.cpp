// The balloon tooltip class against the real tooltip control, asked with its own messages.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "tooltip/cToolTip.h"

TEST(ToolTips, TheSearchWindowsBalloonsBreakTheirLinesWhereTheBarsWereAndALabelHasNone)
{
    frmGoogleVideo& form = ShownSearchWindow();
    const std::pair<frmGoogleVideo::ControlId, const wchar_t*> expected[] = {
        {frmGoogleVideo::txtSearch,
         L"Cerca la parola specificata in rete : \r\n Inserire per intero o parzialmente il nome del suono da cercare"},
        {frmGoogleVideo::Command1,
         L"Visualizza parole d'esempio\r\nfare click su questo pulsante per mostrare gli esempi"},
        {frmGoogleVideo::cmdSearch, L"Avvia Ricerca\r\n-> cerca i suoni specificati in rete\r\n"}};
    ASSERT_EQ(form.ToolTips()->size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const auto& [key, tip] = (*form.ToolTips())[i];
        wchar_t text[512] = {}; // in full: the ANSI TTM_GETTOOLINFO copies 80 characters
        TOOLINFOW tool{sizeof(tool)};
        tool.hwnd = form.Controls(expected[i].first).hWnd(), tool.lpszText = text;
        SendMessageW(tip->hWnd(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tip->hWnd(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(key, form.Controls(expected[i].first).Name()) << "kept by control name, in the order made";
        EXPECT_EQ(text, std::wstring(expected[i].second));
        EXPECT_EQ(GetWindowLongW(tip->hWnd(), GWL_STYLE) & 0xFF, 0x43) << "a balloon shown also when inactive";
        EXPECT_EQ(SendMessageW(tip->hWnd(), TTM_GETTIPBKCOLOR, 0, 0), i == 1 ? RGB(255, 255, 0) : RGB(255, 255, 255));
    }
    const Control& button = form.Controls(frmGoogleVideo::Command1);
    cToolTip tip;
    const int32_t made = tip.Create(button, u"a|b");
    EXPECT_EQ(made, static_cast<int32_t>(reinterpret_cast<INT_PTR>(tip.hWnd()))) << "the tooltip window";
    EXPECT_EQ(tip.Create(form.Controls(frmGoogleVideo::Label3), u"x"), 0) << "a label has no window";
}
