#include "accessibility/AccessibleObject.h"

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
        if (!m_Element->ListsElements())
            return m_Standard->get_accChildCount(count);
        *count = static_cast<LONG>(Elements().size());
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** object)
{
    return Guard([&]() -> HRESULT {
        AccessibleElement* element = Element(child);
        if (!element)
            return m_Element->ListsElements() ? E_INVALIDARG : m_Standard->get_accChild(Normalised(child), object);
        *object = element->AccessibleWindow() ? static_cast<IDispatch*>(ObjectOf(*element)) : nullptr;
        return *object ? S_OK : S_FALSE; // a simple element has no object of its own
    });
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name)
{
    return Guard([&] {
        AccessibleElement* subject = Subject(child);
        return subject ? Answer(name, subject->AccessibleName()) : m_Standard->get_accName(Normalised(child), name);
    });
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description)
{
    return Guard([&] {
        AccessibleElement* subject = Subject(child);
        return subject ? Answer(description, subject->AccessibleDescription())
                       : m_Standard->get_accDescription(Normalised(child), description);
    });
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value)
{
    return Ask(child, [&](AccessibleElement&) { return Answer(value, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accValue(id, value); });
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role)
{
    return Guard([&]() -> HRESULT {
        AccessibleElement* subject = Subject(child);
        return subject ? Answer(role, subject->AccessibleRole()) : m_Standard->get_accRole(Normalised(child), role);
    });
}

HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state)
{
    const LONG unavailable = Available() ? 0 : STATE_SYSTEM_UNAVAILABLE;
    return Ask(
        child, [&](AccessibleElement& e) { return Answer(state, e.AccessibleState() | unavailable); },
        [&](IAccessible* a, VARIANT id) {
            const HRESULT result = a->get_accState(id, state);
            if (SUCCEEDED(result) && state->vt == VT_I4)
                state->lVal |= unavailable; // the standard objects look at their own window alone
            return result;
        });
}

HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help)
{
    return Ask(child, [&](AccessibleElement&) { return Answer(help, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accHelp(id, help); });
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    return Ask(child, [&](AccessibleElement&) { return *topic = 0, Answer(file, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accHelpTopic(file, id, topic); });
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return Ask(child, [&](AccessibleElement&) { return Answer(shortcut, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accKeyboardShortcut(id, shortcut); });
}

HRESULT AccessibleObject::get_accFocus(VARIANT* focus)
{
    return Guard([&]() -> HRESULT {
        if (!m_Element->ListsElements())
            return m_Standard->get_accFocus(focus);
        AccessibleElement* focused = m_Element->AccessibleFocus();
        if (focused == m_Element)
            return Answer(focus, CHILDID_SELF);
        if (focused)
            return ElementAnswer(focused, focus);
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
        AccessibleElement* subject = Subject(child);
        const Text name = subject ? subject->AccessibleAction() : Text();
        if (!name.empty() || (subject && !subject->AccessibleWindow()))
            return Answer(action, name);
        return Ask(child, [](AccessibleElement&) { return S_FALSE; },
                   [&](IAccessible* a, VARIANT id) { return a->get_accDefaultAction(id, action); });
    });
}

HRESULT AccessibleObject::accSelect(LONG flags, VARIANT child)
{
    return Guard([&]() -> HRESULT {
        AccessibleElement* subject = Subject(child);
        if ((flags & SELFLAG_TAKEFOCUS) && subject) {
            if (!Available())
                return E_FAIL;
            if (subject->TakeAccessibleFocus())
                return S_OK;
        }
        return Ask(child, [&](AccessibleElement&) { return S_FALSE; },
                   [&](IAccessible* a, VARIANT id) { return a->accSelect(flags, id); });
    });
}

HRESULT AccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
{
    return Guard([&]() -> HRESULT {
        AccessibleElement* subject = Subject(child);
        if (subject && (subject == m_Element || !subject->AccessibleWindow())) {
            const RECT box = subject->AccessibleLocation();
            *left = box.left, *top = box.top, *width = box.right - box.left, *height = box.bottom - box.top;
            return S_OK;
        }
        return Ask(child, [](AccessibleElement&) { return E_FAIL; },
                   [&](IAccessible* a, VARIANT id) { return a->accLocation(left, top, width, height, id); });
    });
}

HRESULT AccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    return Guard([&]() -> HRESULT {
        start = Normalised(start);
        if (!m_Element->ListsElements() || !(IsSelf(start) || Element(start)))
            return m_Standard->accNavigate(direction, start, end);
        const auto elements = Elements();
        const LONG count = static_cast<LONG>(elements.size());
        LONG to = 0;
        if (IsSelf(start))
            to = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? count : 0;
        else if (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS)
            to = start.lVal + (direction == NAVDIR_NEXT ? 1 : -1);
        if (IsSelf(start) && !to)
            return m_Standard->accNavigate(direction, start, end);
        if (to < 1 || to > count)
            return end->vt = VT_EMPTY, S_FALSE;
        return ElementAnswer(elements[static_cast<size_t>(to) - 1], end);
    });
}

HRESULT AccessibleObject::accHitTest(LONG x, LONG y, VARIANT* hit)
{
    return Guard([&]() -> HRESULT {
        if (!m_Element->ListsElements())
            return m_Standard->accHitTest(x, y, hit);
        if (AccessibleElement* element = m_Element->AccessibleAt({x, y}))
            return ElementAnswer(element, hit);
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
        AccessibleElement* subject = Subject(child);
        if (!Available())
            return E_FAIL; // a window that takes no input does nothing for a screen reader either
        if (subject && subject->DoAccessibleAction())
            return S_OK;
        if (subject && !subject->AccessibleWindow())
            return DISP_E_MEMBERNOTFOUND;
        return Ask(child, [](AccessibleElement&) { return DISP_E_MEMBERNOTFOUND; },
                   [&](IAccessible* a, VARIANT id) { return a->accDoDefaultAction(id); });
    });
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR)
{ return E_NOTIMPL; }

HRESULT AccessibleObject::put_accValue(VARIANT, BSTR)
{ return E_NOTIMPL; }
