// The balloon tooltip class against the real tooltip control, asked with its own messages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "WinTestSupport.h"
#include "app/frmGoogleVideo.h"
#include "tooltip/cToolTip.h"

namespace {

using Id = frmGoogleVideo::ControlId;

class ToolTips : public testing::Test {
protected:
    frmGoogleVideo& form = ShownSearchWindow();
};

// The tool as the tooltip window holds it: text, flags and rectangle. The text is asked for
// separately, in full: the ANSI form of TTM_GETTOOLINFO copies at most 80 characters.
struct RegisteredTool {
    bool Found = false;
    std::string Text;
    UINT Flags = 0;
    RECT Rect{};
};

RegisteredTool ToolOf(HWND tip, HWND control)
{
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = control;
    tool.uId = 0;
    RegisteredTool result;
    result.Found = SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    result.Flags = tool.uFlags;
    result.Rect = tool.rect;

    wchar_t text[512] = {};
    TOOLINFOW textRequest{};
    textRequest.cbSize = sizeof(textRequest);
    textRequest.hwnd = control;
    textRequest.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&textRequest));
    for (const wchar_t* c = text; *c; ++c)
        result.Text += static_cast<char>(*c);
    return result;
}

int DelayOf(HWND tip, WPARAM which) { return static_cast<int>(SendMessageW(tip, TTM_GETDELAYTIME, which, 0)); }

} // namespace

TEST_F(ToolTips, TheSearchWindowHasItsThreeBalloons)
{
    const auto& tips = form.ToolTips();
    ASSERT_TRUE(tips.has_value());
    ASSERT_EQ(tips->size(), 3u);

    const struct {
        const char16_t* key;
        Id control;
        const char* text;
        const wchar_t* title;
        COLORREF back;
    } expected[] = {
        {u"txtSearch", Id::txtSearch,
         "Cerca la parola specificata in rete : \r\n Inserire per intero o parzialmente il nome del suono da cercare",
         L"Inserire il nome del suono di riferimento", 0xFFFFFF},
        {u"Command1", Id::Command1,
         "Visualizza parole d'esempio\r\nfare click su questo pulsante per mostrare gli esempi", L"Esempi", 0xFFFF},
        {u"cmdSearch", Id::cmdSearch, "Avvia Ricerca\r\n-> cerca i suoni specificati in rete\r\n", L"Query builder",
         0xFFFFFF},
    };
    for (size_t i = 0; i < 3; ++i) {
        const auto& [key, tip] = (*tips)[i];
        const auto& want = expected[i];
        SCOPED_TRACE(std::string(key.begin(), key.end()));
        EXPECT_EQ(key, want.key) << "kept in insertion order";

        HWND window = tip->hWnd();
        ASSERT_NE(window, nullptr);
        HWND control = form.Controls(want.control).hWnd();
        const RegisteredTool tool = ToolOf(window, control);
        ASSERT_TRUE(tool.Found);
        EXPECT_EQ(tool.Text, want.text);
        EXPECT_EQ(tool.Flags & (TTF_SUBCLASS | TTF_CENTERTIP | TTF_IDISHWND), static_cast<UINT>(TTF_SUBCLASS));
        RECT client;
        GetClientRect(control, &client);
        EXPECT_TRUE(EqualRect(&tool.Rect, &client));

        // Wine's tooltip control cannot be asked for its title; the object says what it sent.
        EXPECT_EQ(tip->Title(), std::u16string(want.title, want.title + wcslen(want.title)));
        EXPECT_EQ(SendMessageW(window, TTM_GETTIPTEXTCOLOR, 0, 0), 0);
        EXPECT_EQ(static_cast<COLORREF>(SendMessageW(window, TTM_GETTIPBKCOLOR, 0, 0)), want.back);
        EXPECT_EQ(DelayOf(window, TTDT_INITIAL), 150);
        EXPECT_EQ(DelayOf(window, TTDT_AUTOPOP), 10000);
        EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & 0xFF, 0x43);
        EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetAncestor(GetWindow(window, GW_OWNER), GA_ROOT), form.hWnd());

        EXPECT_EQ(tip->Style(), 0x41);
        EXPECT_EQ(tip->Icon(), 0);
        EXPECT_FALSE(tip->Centered());
        EXPECT_EQ(tip->ForeCol(), 0);
        EXPECT_EQ(tip->BackCol(), static_cast<int32_t>(want.back));
        EXPECT_EQ(tip->HoverTime(), 150);
        EXPECT_EQ(tip->PopupTime(), 10000);
        EXPECT_EQ(tip->InitialTitle(), tip->Title());
        EXPECT_EQ(tip->InitialText(), tip->Text());
    }
}

TEST_F(ToolTips, CreateWithDefaultsMakesAnAlwaysShownBalloonInSystemColours)
{
    const Control& button = form.Controls(Id::Command1);
    cToolTip tip;
    EXPECT_EQ(tip.Style(), -1);
    const int32_t result = tip.Create(button, u"a|b");
    ASSERT_NE(result, 0);
    EXPECT_EQ(result, static_cast<int32_t>(reinterpret_cast<INT_PTR>(tip.hWnd())));
    EXPECT_EQ(tip.Style(), 0x41);
    EXPECT_EQ(GetWindowLongW(tip.hWnd(), GWL_STYLE) & 0xFF, 0x43);
    EXPECT_FALSE(tip.Centered());
    EXPECT_EQ(tip.Icon(), 0);
    EXPECT_EQ(tip.Title(), u"");
    EXPECT_EQ(tip.Text(), u"a b") << "without a title a line break becomes a space";
    EXPECT_EQ(ToolOf(tip.hWnd(), button.hWnd()).Text, "a b");
    EXPECT_EQ(tip.ForeCol(), static_cast<int32_t>(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_EQ(tip.BackCol(), static_cast<int32_t>(GetSysColor(COLOR_INFOBK)));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tip.hWnd(), TTM_GETTIPBKCOLOR, 0, 0)), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(tip.HoverTime(), -1);
    EXPECT_EQ(tip.PopupTime(), -1);

    // A title keeps the line break; centring sets its flag.
    tip.Create(button, u"a|b", 0x40, true, 1, u"T");
    EXPECT_EQ(tip.Text(), u"a\r\nb");
    EXPECT_TRUE(tip.Centered());
    EXPECT_TRUE(ToolOf(tip.hWnd(), button.hWnd()).Flags & TTF_CENTERTIP);
    EXPECT_EQ(tip.Title(), u"T");
    EXPECT_EQ(tip.Icon(), 1);
    EXPECT_EQ(GetWindowLongW(tip.hWnd(), GWL_STYLE) & 0xFF, 0x42);
}

TEST_F(ToolTips, EqualColoursFallBackToTheSystemTooltipColours)
{
    const Control& button = form.Controls(Id::cmdSearch);
    cToolTip tip;
    tip.Create(button, u"x", 0x41, false, 0, u"", 0xFFFFFF, 0xFFFFFF);
    EXPECT_EQ(tip.ForeCol(), static_cast<int32_t>(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_EQ(tip.BackCol(), static_cast<int32_t>(GetSysColor(COLOR_INFOBK)));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tip.hWnd(), TTM_GETTIPTEXTCOLOR, 0, 0)), GetSysColor(COLOR_BTNTEXT));

    // Equal only once the system colour is resolved.
    const auto buttonText = static_cast<int32_t>(GetSysColor(COLOR_BTNTEXT));
    tip.Create(button, u"x", 0x41, false, 0, u"", static_cast<int32_t>(0x80000012), buttonText);
    EXPECT_EQ(tip.ForeCol(), buttonText);
    EXPECT_EQ(tip.BackCol(), static_cast<int32_t>(GetSysColor(COLOR_INFOBK)));
}

TEST_F(ToolTips, RefusedArgumentsLeaveNoTooltipAndDestroyTheEarlierOne)
{
    const Control& button = form.Controls(Id::Command1);
    cToolTip tip;
    ASSERT_NE(tip.Create(button, u"first", 0x41, false, 2, u"T1"), 0);
    HWND first = tip.hWnd();
    ASSERT_TRUE(IsWindow(first));

    EXPECT_EQ(tip.Create(button, u"x", 2), 0);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(tip.hWnd(), nullptr);
    EXPECT_EQ(tip.Style(), -1);
    EXPECT_EQ(tip.Text(), u"first") << "the earlier tip's values stay readable";
    EXPECT_EQ(tip.Icon(), 2);

    EXPECT_EQ(tip.Create(button, u"x", 0x41, false, 4), 0);
    EXPECT_EQ(tip.Style(), -1);

    // A windowless control cannot say which window it is.
    EXPECT_EQ(tip.Create(form.Controls(Id::Label3), u"x"), 0);
    EXPECT_EQ(tip.hWnd(), nullptr);
}

TEST_F(ToolTips, ASecondCreateReplacesTheWindowAndKeepsTheFirstTexts)
{
    const Control& button = form.Controls(Id::Command1);
    cToolTip tip;
    tip.Create(button, u"", 0x41, false, 0, u"");
    tip.Create(button, u"one", 0x41, false, 0, u"First");
    HWND first = tip.hWnd();
    tip.Create(button, u"two|lines", 0x01, false, 0, u"Second");
    EXPECT_FALSE(IsWindow(first)) << "the first window is destroyed before the second is made";
    EXPECT_TRUE(IsWindow(tip.hWnd()));
    EXPECT_EQ(tip.Text(), u"two\r\nlines");
    EXPECT_EQ(tip.Title(), u"Second");
    EXPECT_EQ(tip.InitialText(), u"one") << "the first non-empty text";
    EXPECT_EQ(tip.InitialTitle(), u"First");
    EXPECT_EQ(tip.Style(), 0x01);
}

TEST_F(ToolTips, TeardownDestroysTheWindow)
{
    HWND window = nullptr;
    {
        cToolTip tip;
        tip.Create(form.Controls(Id::cmdSearch), u"bye");
        window = tip.hWnd();
        ASSERT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
}
