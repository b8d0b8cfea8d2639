// Both windows as a screen reader reads them, through oleacc.
#include <oleacc.h>

#include <gtest/gtest.h>

#include "WinTestSupport.h"

namespace {

// Spelled out: the import library's IID_IAccessible is not the one oleacc answers to.
constexpr IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
using Element = std::pair<std::wstring, LONG>;

IAccessible* ClientOf(HWND window)
{
    IAccessible* object = nullptr;
    CoInitialize(nullptr);
    AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&object));
    return object;
}

VARIANT Child(LONG id) { return VARIANT{{{VT_I4, 0, 0, 0, {.lVal = id}}}}; }

// A child's name, role (and description), from its own object where it has one, as a screen
// reader takes them.
Element Describe(IAccessible* parent, LONG id, std::wstring* description = nullptr)
{
    IDispatch* dispatch = nullptr;
    IAccessible* object = parent;
    VARIANT self = Child(id), role{};
    if (parent->get_accChild(self, &dispatch) == S_OK)
        dispatch->QueryInterface(kIAccessible, reinterpret_cast<void**>(&object)), dispatch->Release(), self = Child(0);
    BSTR name = nullptr, text = nullptr;
    object->get_accName(self, &name), object->get_accRole(self, &role), object->get_accDescription(self, &text);
    const Element element{name ? name : L"", role.lVal};
    if (description)
        *description = text ? text : L"";
    SysFreeString(name), SysFreeString(text), object != parent && object->Release();
    return element;
}

std::vector<Element> Tree(IAccessible* client)
{
    LONG count = 0;
    std::vector<Element> elements;
    for (client->get_accChildCount(&count); LONG(elements.size()) < count;)
        elements.push_back(Describe(client, LONG(elements.size()) + 1));
    return elements;
}

} // namespace

TEST(Accessibility, TheTabbedLinkHasTheFocusWhereAPersonSeesItAndTheBalloonsDescribe)
{
    frmGoogleVideo& form = ShownSearchWindow();
    SetForegroundWindow(form.hWnd()), PumpFor(50);
    form.Controls(frmGoogleVideo::txtSearch).SetFocus();
    PressKey(GetFocus(), VK_TAB), PumpFor(); // to "thanks to Tavernix"
    IAccessible* window = ClientOf(form.hWnd());
    IAccessible* picture = ClientOf(form.Controls(frmGoogleVideo::Picture1).hWnd());
    ASSERT_TRUE(window && picture);
    VARIANT focus{}, inPicture{}, state{}, hit{};
    window->get_accFocus(&focus), picture->get_accFocus(&inPicture);
    EXPECT_EQ(focus.vt, VT_DISPATCH) << "the window's focus lies in its picture box";
    if (focus.vt == VT_DISPATCH)
        focus.pdispVal->Release();
    ASSERT_EQ(inPicture.vt, VT_I4);
    EXPECT_EQ(Describe(picture, inPicture.lVal).first, L"thanks to Tavernix");
    LONG left, top, width, height;
    picture->get_accState(inPicture, &state), picture->accLocation(&left, &top, &width, &height, inPicture);
    picture->accHitTest(left + 2, top + 2, &hit);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(hit.lVal, inPicture.lVal);
    std::wstring description;
    Describe(picture, 2, &description);
    EXPECT_EQ(description.substr(0, 37), L"Cerca la parola specificata in rete :") << "the balloon's text";
    window->Release(), picture->Release();
}

TEST(Accessibility, TheExamplesWindowNamesItsListAfterTheCategoryAndLetsGoWhenClosed)
{
    IAccessible* held = nullptr;
    WithExamplesOpen([&](frmInfo& window) {
        held = ClientOf(window.hWnd());
        const auto tree = Tree(held);
        ASSERT_EQ(tree.size(), 17u);
        EXPECT_EQ(tree[0], (Element{L"Esempi", ROLE_SYSTEM_LIST}));
        EXPECT_EQ(tree[1], (Element{L"Uccelli", ROLE_SYSTEM_LINK})) << "then the categories in tab order";
        EXPECT_EQ(tree[16], (Element{L"Doppio click per accedere al sito", ROLE_SYSTEM_GRAPHIC}));
        EXPECT_EQ(held->accDoDefaultAction(Child(3)), S_OK); // "Animali"
        PumpFor(20);
        EXPECT_EQ(window.Controls(frmInfo::List1).ListCount(), 65);
        EXPECT_EQ(Describe(held, 1).first, L"Animali");
    });
    LONG count = 0; // a screen reader may hold on after the window has gone
    EXPECT_EQ(held->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(held->accDoDefaultAction(Child(1)), CO_E_OBJNOTCONNECTED);
    held->Release();
}
