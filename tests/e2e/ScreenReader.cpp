// What a screen reader does, from its own process, through oleacc:
//   walk TITLE          prints the tree of the window titled TITLE from its client object down:
//                       one line per element, "depth|name|role|state|parent|value", parent being
//                       1 when a child object's accParent is the object that listed it
//   act TITLE NAME      does the default action of the element named NAME; prints its state and
//                       the answer, and exits 0 only when the action was taken
//   listen TITLE        prints the name of the element of each focus event, "ready" first, until
//                       the window titled TITLE has come and gone
//   texts TITLE         prints the text of each child window of the window titled TITLE (Wine's
//                       standard objects give a message box's parts neither name nor role)
//   ask TITLE           asks the client object about itself with an empty child id and through
//                       IDispatch by name: "self=NAME dispid=ID invoked=NAME"
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// Spelled out: the import library's IID_IAccessible is not the one oleacc answers to.
constexpr IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

VARIANT Child(LONG id)
{
    VARIANT v{};
    v.vt = VT_I4, v.lVal = id;
    return v;
}

using TextProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

std::wstring Name(IAccessible* object, VARIANT child, TextProperty property = &IAccessible::get_accName)
{
    BSTR name = nullptr;
    (object->*property)(child, &name);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

IAccessible* ClientOf(const wchar_t* title)
{
    IAccessible* client = nullptr;
    AccessibleObjectFromWindow(FindWindowW(nullptr, title), OBJID_CLIENT, kIAccessible,
                               reinterpret_cast<void**>(&client));
    return client;
}

IAccessible* ObjectOf(IDispatch* dispatch)
{
    IAccessible* object = nullptr;
    if (dispatch)
        dispatch->QueryInterface(kIAccessible, reinterpret_cast<void**>(&object)), dispatch->Release();
    return object;
}

// Calls visit(object, child id, depth) for every element under object, depth first; stops when
// visit returns true.
bool Walk(IAccessible* object, int depth, const std::function<bool(IAccessible*, LONG, int)>& visit)
{
    LONG count = 0;
    object->get_accChildCount(&count);
    for (LONG id = 1; id <= count; ++id) {
        IDispatch* dispatch = nullptr;
        if (object->get_accChild(Child(id), &dispatch) == S_OK) {
            IAccessible* child = ObjectOf(dispatch);
            const bool stop = child && (visit(child, CHILDID_SELF, depth) || Walk(child, depth + 1, visit));
            if (child)
                child->Release();
            if (stop)
                return true;
        } else if (visit(object, id, depth)) {
            return true;
        }
    }
    return false;
}

void Print(const std::wstring& line)
{
    std::string utf8(line.size() * 4 + 1, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), int(utf8.size()), nullptr, nullptr) - 1);
    std::printf("%s\n", utf8.c_str());
    std::fflush(stdout);
}

LONG StateOf(IAccessible* object, LONG id)
{
    VARIANT state{};
    object->get_accState(Child(id), &state);
    return state.lVal;
}

int WalkTree(const wchar_t* title)
{
    IAccessible* client = ClientOf(title);
    if (!client)
        return 2;
    Walk(client, 0, [](IAccessible* object, LONG id, int depth) {
        VARIANT role{};
        object->get_accRole(Child(id), &role);
        int parentIsLister = 1;
        if (id == CHILDID_SELF) { // a child object: does its parent list it?
            IDispatch* dispatch = nullptr;
            object->get_accParent(&dispatch);
            IAccessible* parent = ObjectOf(dispatch);
            LONG count = 0;
            parentIsLister = 0;
            if (parent)
                parent->get_accChildCount(&count);
            for (LONG sibling = 1; sibling <= count; ++sibling) {
                IDispatch* listed = nullptr;
                if (parent->get_accChild(Child(sibling), &listed) == S_OK) {
                    IAccessible* other = ObjectOf(listed);
                    parentIsLister |= other && Name(other, Child(0)) == Name(object, Child(0));
                    if (other)
                        other->Release();
                }
            }
            if (parent)
                parent->Release();
        }
        Print(std::to_wstring(depth) + L"|" + Name(object, Child(id)) + L"|" + std::to_wstring(role.lVal) + L"|" +
              std::to_wstring(StateOf(object, id)) + L"|" + std::to_wstring(parentIsLister) + L"|" +
              Name(object, Child(id), &IAccessible::get_accValue));
        return false;
    });
    client->Release();
    return 0;
}

int Act(const wchar_t* title, const wchar_t* name)
{
    IAccessible* client = ClientOf(title);
    int result = 2;
    if (client)
        Walk(client, 0, [&](IAccessible* object, LONG id, int) {
            if (Name(object, Child(id)) != name)
                return false;
            const HRESULT answer = object->accDoDefaultAction(Child(id));
            std::printf("state=0x%lx answer=0x%lx\n", StateOf(object, id), static_cast<unsigned long>(answer));
            result = SUCCEEDED(answer) ? 0 : 1;
            return true;
        });
    return result;
}

struct FocusEvent {
    HWND Window;
    LONG Object, Child;
};
std::vector<FocusEvent> g_Heard;

// Only noted here: naming the element calls into the program, and the events that arrive while
// that call waits would otherwise be printed before the one being named.
void CALLBACK OnFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    g_Heard.push_back({window, object, child});
}

int Listen(const wchar_t* title)
{
    SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocus, 0, 0, WINEVENT_OUTOFCONTEXT);
    std::printf("ready\n");
    std::fflush(stdout);
    bool seen = false;
    for (size_t told = 0; !seen || FindWindowW(nullptr, title) || told < g_Heard.size();) {
        seen = seen || FindWindowW(nullptr, title);
        // The hook is called back while the queue is looked at, not by a message of its own.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
        for (; told < g_Heard.size(); ++told) {
            const FocusEvent heard = g_Heard[told];
            IAccessible* accessible = nullptr;
            VARIANT element{};
            if (SUCCEEDED(AccessibleObjectFromEvent(heard.Window, heard.Object, heard.Child, &accessible, &element))) {
                Print(Name(accessible, element));
                accessible->Release();
            }
        }
    }
    return 0;
}

int Ask(const wchar_t* title)
{
    IAccessible* client = ClientOf(title);
    if (!client)
        return 2;
    VARIANT empty{}; // VT_EMPTY: the object itself
    wchar_t member[] = L"accName";
    LPOLESTR names[] = {member};
    DISPID id = 0;
    client->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    VARIANT self = Child(CHILDID_SELF), result{};
    DISPPARAMS parameters{&self, nullptr, 1, 0};
    client->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &parameters, &result, nullptr, nullptr);
    Print(L"self=" + Name(client, empty) + L" dispid=" + std::to_wstring(id) +
          L" invoked=" + (result.vt == VT_BSTR ? result.bstrVal : L""));
    client->Release();
    return 0;
}

int Texts(const wchar_t* title)
{
    HWND window = FindWindowW(nullptr, title);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[512] = {};
        GetWindowTextW(child, text, 512);
        Print(text);
    }
    return window ? 0 : 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    CoInitialize(nullptr);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"walk" && argc == 3)
        return WalkTree(argv[2]);
    if (mode == L"act" && argc == 4)
        return Act(argv[2], argv[3]);
    if (mode == L"listen" && argc == 3)
        return Listen(argv[2]);
    if (mode == L"texts" && argc == 3)
        return Texts(argv[2]);
    if (mode == L"ask" && argc == 3)
        return Ask(argv[2]);
    std::fprintf(stderr, "usage: ScreenReader walk TITLE | act TITLE NAME | listen TITLE | texts TITLE | ask TITLE\n");
    return 2;
}
