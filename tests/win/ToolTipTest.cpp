// The balloon tooltip class against the real tooltip control, asked with its own messages.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "tooltip/cToolTip.h"

namespace {

using Id = frmGoogleVideo::ControlId;

// What the tooltip window holds for a control's tool: its text (asked for in full: the ANSI
// form of TTM_GETTOOLINFO copies at most 80 characters), flags and rectangle.
struct Tool {
    std::u16string Text;
    UINT Flags = 0;
    RECT Rect{};
};

Tool ToolOf(HWND tip, HWND control)
{
    wchar_t text[512] = {};
    TOOLINFOW tool{sizeof(tool)};
    tool.hwnd = control;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return {reinterpret_cast<const char16_t*>(text), tool.uFlags, tool.rect};
}

LONG StyleOf(HWND window) { return GetWindowLongW(window, GWL_STYLE) & 0xFF; }

} // namespace

TEST(ToolTips, TheSearchWindowHasItsThreeBalloons)
{
    frmGoogleVideo& form = ShownSearchWindow();
    const struct {
        const char16_t* Key;
        Id Control;
        const char16_t* Text;
        COLORREF Back;
    } expected[] = {
        {u"txtSearch", Id::txtSearch,
         u"Cerca la parola specificata in rete : \r\n Inserire per intero o parzialmente il nome del suono da cercare",
         RGB(255, 255, 255)},
        {u"Command1", Id::Command1, u"Visualizza parole d'esempio\r\nfare click su questo pulsante per mostrare gli esempi",
         RGB(255, 255, 0)},
        {u"cmdSearch", Id::cmdSearch, u"Avvia Ricerca\r\n-> cerca i suoni specificati in rete\r\n", RGB(255, 255, 255)},
    };
    ASSERT_EQ(form.ToolTips()->size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const auto& [key, tip] = (*form.ToolTips())[i];
        EXPECT_EQ(key, expected[i].Key) << "kept in the order they were made";
        HWND control = form.Controls(expected[i].Control).hWnd();
        const Tool tool = ToolOf(tip->hWnd(), control);
        EXPECT_EQ(tool.Text, expected[i].Text);
        EXPECT_EQ(tool.Flags & (TTF_SUBCLASS | TTF_CENTERTIP | TTF_IDISHWND), UINT(TTF_SUBCLASS));
        RECT client;
        GetClientRect(control, &client);
        EXPECT_TRUE(EqualRect(&tool.Rect, &client));
        EXPECT_EQ(SendMessageW(tip->hWnd(), TTM_GETTIPTEXTCOLOR, 0, 0), 0);
        EXPECT_EQ(COLORREF(SendMessageW(tip->hWnd(), TTM_GETTIPBKCOLOR, 0, 0)), expected[i].Back);
        EXPECT_EQ(SendMessageW(tip->hWnd(), TTM_GETDELAYTIME, TTDT_INITIAL, 0), 150);
        EXPECT_EQ(SendMessageW(tip->hWnd(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
        EXPECT_EQ(StyleOf(tip->hWnd()), 0x43);
        EXPECT_EQ(tip->InitialText(), tip->Text());
        EXPECT_EQ(tip->InitialTitle(), tip->Title());
    }
}

TEST(ToolTips, CreateDefaultsFallbacksAndRefusals)
{
    const Control& button = ShownSearchWindow().Controls(Id::Command1);
    cToolTip tip;
    EXPECT_EQ(tip.Style(), -1);
    const int32_t made = tip.Create(button, u"a|b");
    ASSERT_EQ(made, static_cast<int32_t>(reinterpret_cast<INT_PTR>(tip.hWnd())));
    EXPECT_EQ(ToolOf(tip.hWnd(), button.hWnd()).Text, u"a b") << "without a title a line break is a space";
    EXPECT_EQ(StyleOf(tip.hWnd()), 0x43);
    EXPECT_EQ(tip.ForeCol(), int32_t(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_EQ(COLORREF(SendMessageW(tip.hWnd(), TTM_GETTIPBKCOLOR, 0, 0)), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(tip.HoverTime(), -1);

    HWND first = tip.hWnd();
    tip.Create(button, u"x|", 0x40, true, 1, u"T", 0xFFFFFF, 0xFFFFFF); // equal colours fall back
    EXPECT_FALSE(IsWindow(first)) << "the earlier window goes first";
    EXPECT_EQ(tip.Text(), u"x\r\n");
    EXPECT_TRUE(tip.Centered());
    EXPECT_TRUE(ToolOf(tip.hWnd(), button.hWnd()).Flags & TTF_CENTERTIP);
    EXPECT_EQ(StyleOf(tip.hWnd()), 0x42);
    EXPECT_EQ(COLORREF(SendMessageW(tip.hWnd(), TTM_GETTIPTEXTCOLOR, 0, 0)), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(tip.BackCol(), int32_t(GetSysColor(COLOR_INFOBK)));
    // Equal only once the system colour is resolved.
    tip.Create(button, u"x", 0x01, false, 0, u"U", int32_t(0x80000012), int32_t(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_EQ(tip.BackCol(), int32_t(GetSysColor(COLOR_INFOBK)));
    EXPECT_EQ(tip.InitialText(), u"a b");
    EXPECT_EQ(tip.InitialTitle(), u"T");

    HWND live = tip.hWnd();
    for (auto refused : {+[](cToolTip& t, const Control& c) { return t.Create(c, u"x", 2); },
                         +[](cToolTip& t, const Control& c) { return t.Create(c, u"x", 0x41, false, 4); }}) {
        EXPECT_EQ(refused(tip, button), 0);
        EXPECT_EQ(tip.Style(), -1);
    }
    EXPECT_FALSE(IsWindow(live)) << "a refused Create still tears the earlier tip down";
    EXPECT_EQ(tip.Text(), u"x") << "the earlier values stay readable";
    EXPECT_EQ(tip.Create(ShownSearchWindow().Controls(Id::Label3), u"x"), 0) << "a label has no window";
    {
        cToolTip scoped;
        scoped.Create(button, u"bye");
        live = scoped.hWnd();
    }
    EXPECT_FALSE(IsWindow(live)) << "teardown destroys the window";
}
