#include "forms/Accessibility.h"

#include <oleacc.h>

#include <algorithm>
#include <optional>

#include "forms/Form.h"
#include "forms/RuntimeError.h"
#include "forms/TextConversion.h"

namespace {

// Spelled out: the import libraries' copies are not what every oleacc compares against.
constexpr IID kIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct OleFunctions {
    HRESULT(WINAPI* CoInitializeEx)(void*, DWORD) = nullptr;
    BSTR(WINAPI* SysAllocString)(const OLECHAR*) = nullptr;
    LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    HRESULT(WINAPI* AccessibleObjectFromWindow)(HWND, DWORD, REFIID, void**) = nullptr;
};

template <typename Function> void Lookup(const wchar_t* library, const char* name, Function& function)
{
    HMODULE module = LoadLibraryW(library);
    function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

const OleFunctions* Ole()
{
    static const OleFunctions functions = [] {
        OleFunctions f;
        Lookup(L"ole32.dll", "CoInitializeEx", f.CoInitializeEx);
        Lookup(L"oleaut32.dll", "SysAllocString", f.SysAllocString);
        Lookup(L"oleacc.dll", "LresultFromObject", f.LresultFromObject);
        Lookup(L"oleacc.dll", "CreateStdAccessibleObject", f.CreateStdAccessibleObject);
        Lookup(L"oleacc.dll", "AccessibleObjectFromWindow", f.AccessibleObjectFromWindow);
        if (f.CoInitializeEx)
            f.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // objects are handed out through COM
        return f;
    }();
    const OleFunctions& f = functions;
    const bool complete = f.CoInitializeEx && f.SysAllocString && f.LresultFromObject &&
                          f.CreateStdAccessibleObject && f.AccessibleObjectFromWindow;
    return complete ? &functions : nullptr;
}

VARIANT ChildId(LONG id)
{
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Answer(BSTR* out, const Text& text)
{
    *out = text.empty() ? nullptr : Ole()->SysAllocString(Wide(text));
    return text.empty() ? S_FALSE : S_OK;
}

HRESULT Answer(VARIANT* out, LONG value)
{
    *out = ChildId(value);
    return S_OK;
}

} // namespace

class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(Form& form, HWND window, Control* control, IAccessible* standard)
        : m_Form(&form), m_Window(window), m_Control(control), m_Standard(standard)
    {
    }

    void Disconnect()
    {
        m_Form = nullptr;
        m_Control = nullptr;
        if (m_Standard)
            std::exchange(m_Standard, nullptr)->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        const bool known =
            IsEqualIID(iid, kIUnknown) || IsEqualIID(iid, kIDispatch) || IsEqualIID(iid, kIAccessible);
        *object = known ? static_cast<IAccessible*>(this) : nullptr;
        if (!known)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_References); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = --m_References;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return Guard([&] { return m_Standard->get_accParent(parent); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return Guard([&] {
            if (m_Control)
                return m_Standard->get_accChildCount(count);
            *count = static_cast<LONG>(Elements().size());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return Guard([&]() -> HRESULT {
            Control* element = Element(child);
            if (!element)
                return m_Control ? m_Standard->get_accChild(child, object) : E_INVALIDARG;
            *object = element->hWnd() ? ObjectOf(*element) : nullptr;
            return *object ? S_OK : S_FALSE; // a windowless control is a simple element
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Guard([&] {
            Control* subject = Subject(child);
            return subject ? Answer(name, subject->AccessibleName()) : m_Standard->get_accName(child, name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return Guard([&] {
            Control* subject = Subject(child);
            return subject ? Answer(description, subject->AccessibleDescription())
                           : m_Standard->get_accDescription(child, description);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Ask(child, [&](Control&) { return Answer(value, {}); },
                   [&](IAccessible* a, VARIANT id) { return a->get_accValue(id, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Ask(
            child,
            [&](Control& c) { return Answer(role, RoleOf(c)); },
            [&](IAccessible* a, VARIANT id) {
                // The program knows its own controls; not every system's standard objects do.
                return m_Control && IsSelf(id) ? Answer(role, RoleOf(*m_Control)) : a->get_accRole(id, role);
            });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        // Labels and pictures never take the focus: not focusable.
        return Ask(
            child, [&](Control& c) { return Answer(state, IsLink(c) ? STATE_SYSTEM_LINKED : STATE_SYSTEM_READONLY); },
            [&](IAccessible* a, VARIANT id) { return a->get_accState(id, state); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return Ask(child, [&](Control&) { return Answer(help, {}); },
                   [&](IAccessible* a, VARIANT id) { return a->get_accHelp(id, help); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return Ask(child, [&](Control&) { return *topic = 0, Answer(file, {}); },
                   [&](IAccessible* a, VARIANT id) { return a->get_accHelpTopic(file, id, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Ask(child, [&](Control&) { return Answer(shortcut, {}); },
                   [&](IAccessible* a, VARIANT id) { return a->get_accKeyboardShortcut(id, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        return Guard([&] { return m_Standard->get_accFocus(focus); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return Guard([&] { return m_Standard->get_accSelection(selection); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Ask(
            child,
            [&](Control& c) {
                const std::optional<Event> event = ActionOf(c);
                return Answer(action, !event ? u"" : event == Event::Click ? u"Fai clic" : u"Doppio clic");
            },
            [&](IAccessible* a, VARIANT id) { return a->get_accDefaultAction(id, action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return Ask(
            child, [&](Control&) { return S_FALSE; }, [&](IAccessible* a, VARIANT id) { return a->accSelect(flags, id); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return Ask(
            child,
            [&](Control& c) {
                RECT box = c.Bounds();
                MapWindowPoints(c.ContainerWindow(), nullptr, reinterpret_cast<POINT*>(&box), 2);
                *left = box.left, *top = box.top, *width = box.right - box.left, *height = box.bottom - box.top;
                return S_OK;
            },
            [&](IAccessible* a, VARIANT id) { return a->accLocation(left, top, width, height, id); });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return Guard([&]() -> HRESULT {
            if (m_Control || !(IsSelf(start) || Element(start)))
                return m_Standard->accNavigate(direction, start, end);
            const LONG count = static_cast<LONG>(Elements().size());
            LONG to = 0;
            if (IsSelf(start))
                to = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? count : 0;
            else if (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS)
                to = start.lVal + (direction == NAVDIR_NEXT ? 1 : -1);
            if (IsSelf(start) && !to)
                return m_Standard->accNavigate(direction, start, end);
            if (to < 1 || to > count)
                return end->vt = VT_EMPTY, S_FALSE;
            return ElementAnswer(to, end);
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override
    {
        return Guard([&]() -> HRESULT {
            if (m_Control)
                return m_Standard->accHitTest(x, y, hit);
            // Child windows lie above what the surface draws; earlier rows above later ones.
            const auto elements = Elements();
            for (size_t i = 0; i < elements.size(); ++i) {
                RECT box = elements[i]->Bounds();
                MapWindowPoints(elements[i]->ContainerWindow(), nullptr, reinterpret_cast<POINT*>(&box), 2);
                if (PtInRect(&box, POINT{x, y}))
                    return ElementAnswer(static_cast<LONG>(i + 1), hit);
            }
            RECT surface;
            GetWindowRect(m_Window, &surface);
            if (!PtInRect(&surface, POINT{x, y}))
                return hit->vt = VT_EMPTY, S_FALSE;
            return Answer(hit, CHILDID_SELF);
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return Ask(
            child,
            [&](Control& c) {
                const std::optional<Event> event = ActionOf(c);
                if (!event)
                    return DISP_E_MEMBERNOTFOUND;
                const auto place = static_cast<WPARAM>(&c - m_Form->AllControls().data());
                PostMessageW(c.ContainerWindow(), kAccessibleActionMessage, place, static_cast<LPARAM>(*event));
                return S_OK;
            },
            [&](IAccessible* a, VARIANT id) { return a->accDoDefaultAction(id); });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    template <typename Body> HRESULT Guard(Body body)
    {
        if (!m_Form)
            return CO_E_OBJNOTCONNECTED; // the window has gone; a screen reader may still hold us
        return GuardedCall([&]() -> HRESULT { return body(); });
    }

    // Answers about a windowless element itself (own), and otherwise asks the windowed
    // element's object or the standard object (system).
    template <typename Own, typename System> HRESULT Ask(const VARIANT& child, Own own, System system)
    {
        return Guard([&]() -> HRESULT {
            Control* element = Element(child);
            if (element && !element->hWnd())
                return own(*element);
            if (!element)
                return system(m_Standard, child);
            IAccessible* object = static_cast<IAccessible*>(ObjectOf(*element));
            if (!object)
                return E_FAIL;
            const HRESULT result = system(object, ChildId(CHILDID_SELF));
            object->Release();
            return result;
        });
    }

    // The controls that lie on this surface, inside picture boxes too: the windowed ones in
    // tab order, then the windowless ones in design order.
    std::vector<Control*> Elements() const
    {
        std::vector<Control*> windowed, windowless;
        for (Control& control : m_Form->AllControls()) {
            const HWND container = control.ContainerWindow();
            const bool within = container == m_Window || IsChild(m_Window, container);
            if (control.Design().Kind == ControlKind::PictureBox || !within)
                continue;
            (control.hWnd() ? windowed : windowless).push_back(&control);
        }
        std::stable_sort(windowed.begin(), windowed.end(),
                         [](Control* a, Control* b) { return a->Design().TabIndex < b->Design().TabIndex; });
        windowed.insert(windowed.end(), windowless.begin(), windowless.end());
        return windowed;
    }

    Control* Element(const VARIANT& child) const
    {
        if (m_Control || child.vt != VT_I4 || child.lVal < 1)
            return nullptr;
        const auto elements = Elements();
        const auto place = static_cast<size_t>(child.lVal);
        return place <= elements.size() ? elements[place - 1] : nullptr;
    }

    // The control a name or description is asked of: an element, or this object's control.
    Control* Subject(const VARIANT& child) const { return m_Control && IsSelf(child) ? m_Control : Element(child); }

    HRESULT ElementAnswer(LONG id, VARIANT* out) const
    {
        Control* element = Elements()[static_cast<size_t>(id) - 1];
        if (!element->hWnd())
            return Answer(out, id);
        out->vt = VT_DISPATCH;
        out->pdispVal = ObjectOf(*element);
        return out->pdispVal ? S_OK : E_FAIL;
    }

    static IDispatch* ObjectOf(const Control& control)
    {
        void* object = nullptr;
        Ole()->AccessibleObjectFromWindow(control.hWnd(), static_cast<DWORD>(OBJID_CLIENT), kIDispatch, &object);
        return static_cast<IDispatch*>(object);
    }

    // What a click on the control does, if anything: its default action.
    std::optional<Event> ActionOf(const Control& control) const
    {
        for (Event event : {Event::Click, Event::DblClick}) {
            if (m_Form->Handles(control.Id(), event))
                return event;
        }
        return std::nullopt;
    }
    bool IsLink(const Control& control) const
    {
        return control.Design().Kind == ControlKind::Label && ActionOf(control) == Event::Click;
    }
    LONG RoleOf(const Control& control) const
    {
        switch (control.Design().Kind) {
        case ControlKind::CommandButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case ControlKind::TextBox:
            return ROLE_SYSTEM_TEXT;
        case ControlKind::ListBox:
            return ROLE_SYSTEM_LIST;
        case ControlKind::Image:
            return ROLE_SYSTEM_GRAPHIC;
        default:
            return IsLink(control) ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
        }
    }

    LONG m_References = 1;
    Form* m_Form;
    HWND m_Window;
    Control* m_Control;
    IAccessible* m_Standard;
};

LRESULT AccessibleObjects::Answer(Form& form, HWND window, Control* control, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !Ole())
        return 0;
    auto known =
        std::find_if(m_Objects.begin(), m_Objects.end(), [&](const auto& entry) { return entry.first == window; });
    if (known == m_Objects.end()) {
        void* standard = nullptr;
        if (FAILED(Ole()->CreateStdAccessibleObject(window, OBJID_CLIENT, kIAccessible, &standard)) || !standard)
            return 0;
        auto* object = new AccessibleObject(form, window, control, static_cast<IAccessible*>(standard));
        m_Objects.emplace_back(window, object);
        known = m_Objects.end() - 1;
    }
    const LRESULT result = Ole()->LresultFromObject(kIAccessible, wParam, known->second);
    return result > 0 ? result : 0;
}

void AccessibleObjects::DisconnectAll()
{
    for (auto& [window, object] : m_Objects) {
        object->Disconnect();
        object->Release();
    }
    m_Objects.clear();
}
