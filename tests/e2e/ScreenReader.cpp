// What a screen reader does, from its own process, through oleacc:
//   walk TITLE          reads the window titled TITLE: first its client object asked about itself
//                       with an empty child id, with one left out as scripts leave it, and through
//                       IDispatch by name, whether its window is the one titled TITLE, and whether
//                       the window's own object (OBJID_WINDOW, the system's) is another object,
//                       "self=NAME left-out=NAME holder=1 dispid=ID invoked=NAME window=1"; then accFocus
//                       followed down to the element with the focus,
//                       "name|state|name at its top left corner" (empty when none has it); then
//                       one line per element from the client object down,
//                       "depth|name|role|state|value|description|left top width height|same|action",
//                       same being 1 when the object that listed it is its parent (accParent) and,
//                       asked about its child id (by value, by reference as script clients pass
//                       it, and as a 16-bit integer), gives the element's own name, role and
//                       location, and from it navigates to the next and the previous element it
//                       lists (to nothing past either end), and action the name of its default action
//   act TITLE NAME      does the default action of the element named NAME; prints its state and
//                       the answer, and exits 0 only when the action was taken
//   focus TITLE NAME    the same, giving the element the keyboard focus (accSelect)
//   listen TITLE        prints the name of the element of each focus event, and "renamed NAME" for
//                       each name change, "ready" first, until the window titled TITLE has come
//                       and gone
// The objects met on the way are left to the process's end.
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Spelled out: the import library's IID_IAccessible is not the one oleacc answers to.
constexpr IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

VARIANT Child(LONG id) { return VARIANT{{{VT_I4, 0, 0, 0, {.lVal = id}}}}; }

std::wstring Name(IAccessible* object, VARIANT child,
                  HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*) = &IAccessible::get_accName)
{
    BSTR name = nullptr;
    (object->*property)(child, &name);
    return name ? name : L"";
}

// A role or a state.
LONG Number(IAccessible* object, VARIANT child, HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, VARIANT*))
{
    VARIANT number{};
    (object->*property)(child, &number);
    return number.lVal;
}

IAccessible* ObjectOfWindow(const wchar_t* title, LONG id = OBJID_CLIENT)
{
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(FindWindowW(nullptr, title), id, kIAccessible, reinterpret_cast<void**>(&object));
    return object;
}

IAccessible* ObjectOf(IDispatch* dispatch)
{
    IAccessible* object = nullptr;
    if (dispatch)
        dispatch->QueryInterface(kIAccessible, reinterpret_cast<void**>(&object));
    return object;
}

// Calls visit(object, child id, depth, lister, id in lister) for every element under object, depth
// first; stops when visit returns true. An element that is an object of its own has child id
// CHILDID_SELF in that object.
using Visit = std::function<bool(IAccessible*, LONG, int, IAccessible*, LONG)>;
bool Walk(IAccessible* object, int depth, const Visit& visit)
{
    LONG count = 0;
    object->get_accChildCount(&count);
    for (LONG id = 1; id <= count; ++id) {
        IDispatch* dispatch = nullptr;
        object->get_accChild(Child(id), &dispatch);
        IAccessible* child = ObjectOf(dispatch);
        if (child ? visit(child, CHILDID_SELF, depth, object, id) || Walk(child, depth + 1, visit)
                  : visit(object, id, depth, object, id))
            return true;
    }
    return false;
}

// One line each: a line break in a text (a balloon's) is printed as a blank. The program's texts
// are plain ASCII.
void Print(std::wstring line)
{
    std::replace_if(line.begin(), line.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
    std::printf("%ls\n", line.c_str());
    std::fflush(stdout);
}

void PrintFocus(IAccessible* object)
{
    VARIANT focus{};
    while (object && object->get_accFocus(&focus) == S_OK && focus.vt == VT_DISPATCH)
        object = ObjectOf(focus.pdispVal);
    if (!object || focus.vt != VT_I4)
        return Print(L"");
    LONG left = 0, top = 0, width = 0, height = 0;
    IAccessible* pointed = nullptr; // what a screen reader that follows the pointer would read there
    VARIANT there{};
    object->accLocation(&left, &top, &width, &height, focus);
    AccessibleObjectFromPoint({left + 2, top + 2}, &pointed, &there);
    Print(Name(object, focus) + L"|" + std::to_wstring(Number(object, focus, &IAccessible::get_accState)) + L"|" +
          (pointed ? Name(pointed, there) : L""));
}

void PrintSelf(IAccessible* client, const wchar_t* title)
{
    // VT_EMPTY, and DISP_E_PARAMNOTFOUND: the object itself
    VARIANT empty{}, leftOut{{{VT_ERROR, 0, 0, 0, {.scode = DISP_E_PARAMNOTFOUND}}}};
    HWND holder = nullptr;
    WindowFromAccessibleObject(client, &holder);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"accName")}; // only read
    DISPID id = 0;
    client->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    IUnknown *identity = nullptr, *window = nullptr; // COM's identity of an object: its IUnknown
    client->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    ObjectOfWindow(title, OBJID_WINDOW)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&window));
    VARIANT self = Child(CHILDID_SELF), result{};
    DISPPARAMS parameters{&self, nullptr, 1, 0};
    client->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &parameters, &result, nullptr, nullptr);
    Print(L"self=" + Name(client, empty) + L" left-out=" + Name(client, leftOut) + L" holder=" +
          std::to_wstring(holder == FindWindowW(nullptr, title)) + L" dispid=" + std::to_wstring(id) +
          L" invoked=" + (result.vt == VT_BSTR ? result.bstrVal : L"") + L" window=" + std::to_wstring(window != identity));
}

// What a reader first asks of an element: its name, role and place; nothing for no element.
std::wstring Facts(IAccessible* element, VARIANT child)
{
    if (child.vt == VT_DISPATCH)
        return Facts(ObjectOf(child.pdispVal), Child(CHILDID_SELF));
    LONG box[4] = {};
    const HRESULT located = element->accLocation(&box[0], &box[1], &box[2], &box[3], child);
    return child.vt == VT_EMPTY || FAILED(located) ? L"" : Name(element, child) + L"|" + std::to_wstring(Number(element, child, &IAccessible::get_accRole)) + L"|" +
           std::to_wstring(box[0]) + L" " + std::to_wstring(box[1]) + L" " + std::to_wstring(box[2]) + L" " + std::to_wstring(box[3]);
}

int WalkTree(const wchar_t* title)
{
    IAccessible* client = ObjectOfWindow(title);
    if (!client)
        return 2;
    PrintSelf(client, title), PrintFocus(client);
    Walk(client, 0, [](IAccessible* object, LONG id, int depth, IAccessible* lister, LONG listedAs) {
        IDispatch* dispatch = nullptr; // a child object's parent is, by name and role, the one that listed it
        object->get_accParent(&dispatch);
        IAccessible* parent = id == CHILDID_SELF ? ObjectOf(dispatch) : lister;
        VARIANT listed = Child(listedAs), byReference{{{VT_BYREF | VT_VARIANT, 0, 0, 0, {.pvarVal = &listed}}}}, next{}, previous{};
        VARIANT narrow{{{VT_I2, 0, 0, 0, {.iVal = static_cast<SHORT>(listedAs)}}}};
        lister->accNavigate(NAVDIR_NEXT, listed, &next);
        lister->accNavigate(NAVDIR_PREVIOUS, listed, &previous);
        const std::wstring own = Facts(object, Child(id)), after = Facts(lister, Child(listedAs + 1)); // "" past the last
        const bool same = parent && Facts(parent, Child(0)) == Facts(lister, Child(0)) && Facts(lister, listed) == own &&
                          Facts(lister, byReference) == own && Facts(lister, narrow) == own && Facts(lister, next) == after &&
                          Facts(lister, previous) == (listedAs > 1 ? Facts(lister, Child(listedAs - 1)) : L"");
        Print(std::to_wstring(depth) + L"|" + own.substr(0, own.find(L'|', own.find(L'|') + 1)) + L"|" +
              std::to_wstring(Number(object, Child(id), &IAccessible::get_accState)) + L"|" +
              Name(object, Child(id), &IAccessible::get_accValue) + L"|" +
              Name(object, Child(id), &IAccessible::get_accDescription) + L"|" + own.substr(own.rfind(L'|') + 1) + L"|" +
              std::to_wstring(same) + L"|" + Name(object, Child(id), &IAccessible::get_accDefaultAction));
        return false;
    });
    return 0;
}

int Act(const wchar_t* title, const wchar_t* name, bool focus)
{
    IAccessible* client = ObjectOfWindow(title);
    int result = 2;
    if (client)
        Walk(client, 0, [&](IAccessible* object, LONG id, int, IAccessible*, LONG) {
            if (Name(object, Child(id)) != name)
                return false;
            const HRESULT answer = focus ? object->accSelect(SELFLAG_TAKEFOCUS, Child(id)) : object->accDoDefaultAction(Child(id));
            std::printf("state=0x%lx answer=0x%lx\n", Number(object, Child(id), &IAccessible::get_accState),
                        static_cast<unsigned long>(answer));
            result = SUCCEEDED(answer) ? 0 : 1;
            return true;
        });
    return result;
}

std::vector<std::tuple<DWORD, HWND, LONG, LONG>> g_Heard; // event, window, object, child

// Only noted here: naming the element calls into the program, and the events that arrive while
// that call waits would otherwise be printed before the one being named.
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    g_Heard.emplace_back(event, window, object, child);
}

int Listen(const wchar_t* title)
{
    for (DWORD event : {EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE})
        SetWinEventHook(event, event, nullptr, OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    Print(L"ready");
    bool seen = false;
    for (size_t told = 0; !seen || FindWindowW(nullptr, title) || told < g_Heard.size();) {
        seen = seen || FindWindowW(nullptr, title);
        // The hook is called back while the queue is looked at, not by a message of its own.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
        for (; told < g_Heard.size(); ++told) {
            const auto [event, window, object, child] = g_Heard[told];
            IAccessible* accessible = nullptr;
            VARIANT element{};
            if (SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &accessible, &element)))
                Print((event == EVENT_OBJECT_NAMECHANGE ? L"renamed " : L"") + Name(accessible, element));
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    CoInitialize(nullptr);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"walk" && argc == 3)
        return WalkTree(argv[2]);
    if ((mode == L"act" || mode == L"focus") && argc == 4)
        return Act(argv[2], argv[3], mode == L"focus");
    if (mode == L"listen" && argc == 3)
        return Listen(argv[2]);
    std::fprintf(stderr, "usage: ScreenReader walk TITLE | act TITLE NAME | focus TITLE NAME | listen TITLE\n");
    return 2;
}
