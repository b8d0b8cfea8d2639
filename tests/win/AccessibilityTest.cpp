// Both windows as a screen reader reads them, through oleacc.
#include <oleacc.h>

#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "app/Hosts.h"

namespace {

// Spelled out: the import library's IID_IAccessible is not the one oleacc answers to.
constexpr IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct Element {
    std::wstring Name;
    LONG Role;
    bool operator==(const Element&) const = default;
};
void PrintTo(const Element& e, std::ostream* out) { *out << std::string(e.Name.begin(), e.Name.end()) << "/" << e.Role; }

IAccessible* ClientOf(HWND window)
{
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&object));
    return object;
}

VARIANT Child(LONG id) { VARIANT v{}; v.vt = VT_I4; v.lVal = id; return v; }

// Each child as a screen reader takes it: its own object where it has one, else the parent's answer.
Element Describe(IAccessible* parent, LONG id, std::wstring* description = nullptr)
{
    IDispatch* dispatch = nullptr;
    IAccessible* object = parent;
    VARIANT self = Child(id);
    if (parent->get_accChild(Child(id), &dispatch) == S_OK && dispatch) {
        dispatch->QueryInterface(kIAccessible, reinterpret_cast<void**>(&object));
        dispatch->Release();
        self = Child(CHILDID_SELF);
    }
    BSTR name = nullptr, text = nullptr;
    VARIANT role{};
    object->get_accName(self, &name);
    object->get_accRole(self, &role);
    if (description && object->get_accDescription(self, &text) == S_OK)
        *description = text;
    Element element{name ? name : L"", role.lVal};
    SysFreeString(name), SysFreeString(text);
    if (object != parent)
        object->Release();
    return element;
}

std::vector<Element> Tree(IAccessible* client)
{
    LONG count = 0;
    client->get_accChildCount(&count);
    std::vector<Element> elements;
    for (LONG id = 1; id <= count; ++id)
        elements.push_back(Describe(client, id));
    return elements;
}

class Accessibility : public testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    frmGoogleVideo& search = ShownSearchWindow();
};

} // namespace

TEST_F(Accessibility, TheSearchWindowReadsInTabOrderThenDesignOrder)
{
    IAccessible* client = ClientOf(search.hWnd());
    ASSERT_NE(client, nullptr);
    const LONG link = ROLE_SYSTEM_LINK, text = ROLE_SYSTEM_STATICTEXT;
    EXPECT_EQ(Tree(client), (std::vector<Element>{
                                {L"Cerca in rete", ROLE_SYSTEM_PUSHBUTTON},
                                {L"Inserire il nome del suono di riferimento", ROLE_SYSTEM_TEXT},
                                {L"Esempi", ROLE_SYSTEM_PUSHBUTTON},
                                {L"Quorvel home", link}, {L"Dide Quorvel by Ivo Marchetti", text}, {L"Info", link},
                                {L"Chiudi", link}, {L"thanks to Tavernix", link},
                                {L"Note: inserire parte del file audio da trovare", text}, {L"", ROLE_SYSTEM_GRAPHIC},
                            }));
    std::wstring description;
    Describe(client, 2, &description);
    EXPECT_EQ(description.substr(0, 38), L"Cerca la parola specificata in rete : ");

    // A link: linked, not focusable, where the person sees it, and its default action is its click.
    VARIANT state{};
    client->get_accState(Child(4), &state);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_LINKED);
    LONG left, top, width, height;
    client->accLocation(&left, &top, &width, &height, Child(4));
    RECT box = search.Controls(frmGoogleVideo::Label2, 3).Bounds();
    MapWindowPoints(search.Controls(frmGoogleVideo::Picture1).hWnd(), nullptr, reinterpret_cast<POINT*>(&box), 2);
    const RECT location{left, top, left + width, top + height};
    EXPECT_TRUE(EqualRect(&location, &box));
    VARIANT hit{};
    client->accHitTest(left + 2, top + 2, &hit);
    EXPECT_EQ(hit.lVal, 4);
    LaunchRecorder recorder;
    EXPECT_EQ(client->accDoDefaultAction(Child(4)), S_OK);
    PumpFor(20);
    EXPECT_EQ(recorder.Launches(), std::vector<std::string>{"http://" QUORVEL_SERVICE_HOST "/index.html"});
    client->Release();
}

TEST_F(Accessibility, TheExamplesWindowNamesItsListAfterTheCategory)
{
    WithExamplesOpen([&](frmInfo& window) {
        IAccessible* client = ClientOf(window.hWnd());
        ASSERT_NE(client, nullptr);
        std::vector<Element> tree = Tree(client);
        ASSERT_EQ(tree.size(), 17u);
        EXPECT_EQ(tree[0].Role, ROLE_SYSTEM_LIST);
        EXPECT_EQ(tree[1], (Element{L"Veicoli", ROLE_SYSTEM_LINK})) << "then the labels in design order";
        EXPECT_EQ(tree[16], (Element{L"Doppio click per accedere al sito", ROLE_SYSTEM_GRAPHIC}));
        EXPECT_EQ(client->accDoDefaultAction(Child(16)), S_OK); // "Uccelli"
        PumpFor(20);
        EXPECT_EQ(window.Controls(frmInfo::List1).ListCount(), 94);
        EXPECT_EQ(Describe(client, 1).Name, L"Uccelli");
        client->Release();
    });
}

TEST_F(Accessibility, AReferenceHeldAfterTheWindowClosedAnswersAnError)
{
    IAccessible* held = nullptr;
    WithExamplesOpen([&](frmInfo& window) { held = ClientOf(window.hWnd()); });
    ASSERT_NE(held, nullptr);
    LONG count = 0;
    BSTR name = nullptr;
    EXPECT_EQ(held->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(held->get_accName(Child(1), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(held->accDoDefaultAction(Child(1)), CO_E_OBJNOTCONNECTED);
    held->Release();
}
