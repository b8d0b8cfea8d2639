#include "accessibility/AccessibleObject.h"

#include <algorithm>

#include "accessibility/Accessibility.h"
#include "forms/Form.h"

HRESULT AccessibleObject::get_accParent(IDispatch** parent)
{
    return Guard([&]() -> HRESULT {
        // A child window is listed by the object of the window it lies in: that is its parent.
        if (!(GetWindowLongW(m_Window, GWL_STYLE) & WS_CHILD))
            return m_Standard->get_accParent(parent);
        void* object = nullptr;
        Ole()->AccessibleObjectFromWindow(GetParent(m_Window), static_cast<DWORD>(OBJID_CLIENT), kIDispatch, &object);
        *parent = static_cast<IDispatch*>(object);
        return object ? S_OK : S_FALSE;
    });
}

HRESULT AccessibleObject::get_accChildCount(LONG* count)
{
    return Guard([&] {
        if (!m_Surface)
            return m_Standard->get_accChildCount(count);
        *count = static_cast<LONG>(Elements().size());
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** object)
{
    return Guard([&]() -> HRESULT {
        Control* element = Element(child);
        if (!element)
            return m_Surface ? E_INVALIDARG : m_Standard->get_accChild(Normalised(child), object);
        *object = element->hWnd() ? static_cast<IDispatch*>(ObjectOf(*element)) : nullptr;
        return *object ? S_OK : S_FALSE; // a windowless control is a simple element
    });
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name)
{
    return Guard([&] {
        Control* subject = Subject(child);
        return subject ? Answer(name, subject->AccessibleName()) : m_Standard->get_accName(Normalised(child), name);
    });
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description)
{
    return Guard([&] {
        Control* subject = Subject(child);
        return subject ? Answer(description, subject->AccessibleDescription())
                       : m_Standard->get_accDescription(Normalised(child), description);
    });
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value)
{
    return Ask(child, [&](Control&) { return Answer(value, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accValue(id, value); });
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role)
{
    return Guard([&]() -> HRESULT {
        // The program knows its own controls; not every system's standard objects do.
        if (m_Control && IsSelf(child))
            return Answer(role, RoleOf(*m_Control));
        return Ask(child, [&](Control& c) { return Answer(role, RoleOf(c)); },
                   [&](IAccessible* a, VARIANT id) { return a->get_accRole(id, role); });
    });
}

HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state)
{
    const LONG unavailable = Available() ? 0 : STATE_SYSTEM_UNAVAILABLE;
    return Ask(
        child,
        [&](Control& c) {
            // Links take the focus through the surface they lie on; plain labels and pictures never do.
            LONG flags = STATE_SYSTEM_READONLY;
            if (IsLink(c)) {
                const bool focused = m_Form->SurfaceOf(m_Window).FocusedElement() == &c;
                flags = STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0);
            }
            return Answer(state, flags | unavailable);
        },
        [&](IAccessible* a, VARIANT id) {
            const HRESULT result = a->get_accState(id, state);
            if (SUCCEEDED(result) && state->vt == VT_I4)
                state->lVal |= unavailable; // the standard objects look at their own window alone
            return result;
        });
}

HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help)
{
    return Ask(child, [&](Control&) { return Answer(help, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accHelp(id, help); });
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    return Ask(child, [&](Control&) { return *topic = 0, Answer(file, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accHelpTopic(file, id, topic); });
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return Ask(child, [&](Control&) { return Answer(shortcut, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accKeyboardShortcut(id, shortcut); });
}

HRESULT AccessibleObject::get_accFocus(VARIANT* focus)
{
    return Guard([&]() -> HRESULT {
        HWND has = GetFocus();
        if (!m_Surface)
            return m_Standard->get_accFocus(focus);
        if (has == m_Window) {
            Control* element = m_Form->SurfaceOf(m_Window).FocusedElement();
            const auto elements = Elements();
            const auto at = std::find(elements.begin(), elements.end(), element);
            return Answer(focus, at == elements.end() ? CHILDID_SELF : static_cast<LONG>(at - elements.begin()) + 1);
        }
        // The element whose window has the focus, or holds the window that has it.
        const auto elements = Elements();
        for (size_t i = 0; has && i < elements.size(); ++i) {
            HWND window = elements[i]->hWnd();
            if (window && (window == has || IsChild(window, has)))
                return ElementAnswer(static_cast<LONG>(i + 1), focus);
        }
        focus->vt = VT_EMPTY;
        return S_FALSE;
    });
}

HRESULT AccessibleObject::get_accSelection(VARIANT* selection)
{
    return Guard([&] { return m_Standard->get_accSelection(selection); });
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return Guard([&]() -> HRESULT {
        Control* subject = Subject(child);
        if (!subject || (subject->hWnd() && subject->Design().Kind != ControlKind::CommandButton))
            return Ask(child, [](Control&) { return S_FALSE; },
                       [&](IAccessible* a, VARIANT id) { return a->get_accDefaultAction(id, action); });
        const std::optional<Event> event = ActionOf(*subject);
        const bool button = subject->Design().Kind == ControlKind::CommandButton;
        return Answer(action, !event ? u"" : button ? u"Premi" : event == Event::Click ? u"Fai clic" : u"Doppio clic");
    });
}

HRESULT AccessibleObject::accSelect(LONG flags, VARIANT child)
{
    return Guard([&]() -> HRESULT {
        Control* subject = Subject(child);
        if (!(flags & SELFLAG_TAKEFOCUS) || !subject || !IsFocusable(*subject))
            return Ask(child, [&](Control&) { return S_FALSE; },
                       [&](IAccessible* a, VARIANT id) { return a->accSelect(flags, id); });
        if (!Available())
            return E_FAIL;
        m_Form->TakeFocus(*subject);
        return S_OK;
    });
}

HRESULT AccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
{
    const auto answer = [&](const RECT& box) {
        *left = box.left, *top = box.top, *width = box.right - box.left, *height = box.bottom - box.top;
        return S_OK;
    };
    return Guard([&]() -> HRESULT {
        if (!IsSelf(child) || !(GetWindowLongW(m_Window, GWL_STYLE) & WS_CHILD))
            return Ask(
                child,
                [&](Control& c) {
                    RECT box = c.CaptionBounds(); // its box may reach under its neighbours
                    MapWindowPoints(c.ContainerWindow(), nullptr, reinterpret_cast<POINT*>(&box), 2);
                    return answer(box);
                },
                [&](IAccessible* a, VARIANT id) { return a->accLocation(left, top, width, height, id); });
        // What shows of a child window: a picture box reaches past its window's edges.
        RECT box, parent;
        GetWindowRect(m_Window, &box);
        GetClientRect(GetParent(m_Window), &parent);
        MapWindowPoints(GetParent(m_Window), nullptr, reinterpret_cast<POINT*>(&parent), 2);
        IntersectRect(&box, &box, &parent);
        return answer(box);
    });
}

HRESULT AccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    return Guard([&]() -> HRESULT {
        start = Normalised(start);
        if (!m_Surface || !(IsSelf(start) || Element(start)))
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

HRESULT AccessibleObject::accHitTest(LONG x, LONG y, VARIANT* hit)
{
    return Guard([&]() -> HRESULT {
        if (!m_Surface)
            return m_Standard->accHitTest(x, y, hit);
        // Child windows lie above what the surface draws; earlier rows (in memory in design
        // order) above later ones.
        const auto elements = Elements();
        std::vector<Control*> layers(elements);
        std::sort(layers.begin(), layers.end(), [](const Control* a, const Control* b) {
            return std::pair(!a->hWnd(), a) < std::pair(!b->hWnd(), b);
        });
        for (Control* element : layers) {
            RECT box = element->Bounds();
            MapWindowPoints(element->ContainerWindow(), nullptr, reinterpret_cast<POINT*>(&box), 2);
            if (PtInRect(&box, POINT{x, y}))
                return ElementAnswer(static_cast<LONG>(std::find(elements.begin(), elements.end(), element) -
                                                       elements.begin()) + 1, hit);
        }
        RECT surface;
        GetWindowRect(m_Window, &surface);
        if (!PtInRect(&surface, POINT{x, y}))
            return hit->vt = VT_EMPTY, S_FALSE;
        return Answer(hit, CHILDID_SELF);
    });
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT child)
{
    return Guard([&]() -> HRESULT {
        Control* subject = Subject(child);
        if (!Available())
            return E_FAIL; // a window that takes no input does nothing for a screen reader either
        if (!subject || (subject->hWnd() && subject->Design().Kind != ControlKind::CommandButton))
            return Ask(child, [](Control&) { return DISP_E_MEMBERNOTFOUND; },
                       [&](IAccessible* a, VARIANT id) { return a->accDoDefaultAction(id); });
        const std::optional<Event> event = ActionOf(*subject);
        if (!event)
            return DISP_E_MEMBERNOTFOUND;
        // Raised from the message loop, once the screen reader's call has returned.
        const auto place = static_cast<WPARAM>(subject - m_Form->AllControls().data());
        PostMessageW(subject->ContainerWindow(), kAccessibleActionMessage, place, static_cast<LPARAM>(*event));
        return S_OK;
    });
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR)
{ return E_NOTIMPL; }

HRESULT AccessibleObject::put_accValue(VARIANT, BSTR)
{ return E_NOTIMPL; }
