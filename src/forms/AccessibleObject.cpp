#include "forms/AccessibleObject.h"

#include <algorithm>

#include "forms/Accessibility.h"
#include "forms/Form.h"

HRESULT AccessibleObject::get_accParent(IDispatch** parent)
{
    return Guard([&] { return m_Standard->get_accParent(parent); });
}

HRESULT AccessibleObject::get_accChildCount(LONG* count)
{
    return Guard([&] {
        if (m_Control)
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
            return m_Control ? m_Standard->get_accChild(child, object) : E_INVALIDARG;
        *object = element->hWnd() ? ObjectOf(*element) : nullptr;
        return *object ? S_OK : S_FALSE; // a windowless control is a simple element
    });
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name)
{
    return Guard([&] {
        Control* subject = Subject(child);
        return subject ? Answer(name, subject->AccessibleName()) : m_Standard->get_accName(child, name);
    });
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description)
{
    return Guard([&] {
        Control* subject = Subject(child);
        return subject ? Answer(description, subject->AccessibleDescription())
                       : m_Standard->get_accDescription(child, description);
    });
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value)
{
    return Ask(child, [&](Control&) { return Answer(value, {}); },
               [&](IAccessible* a, VARIANT id) { return a->get_accValue(id, value); });
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role)
{
    return Ask(
        child,
        [&](Control& c) { return Answer(role, RoleOf(c)); },
        [&](IAccessible* a, VARIANT id) {
            // The program knows its own controls; not every system's standard objects do.
            return m_Control && IsSelf(id) ? Answer(role, RoleOf(*m_Control)) : a->get_accRole(id, role);
        });
}

HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state)
{
    // Labels and pictures never take the focus: not focusable.
    return Ask(
        child, [&](Control& c) { return Answer(state, IsLink(c) ? STATE_SYSTEM_LINKED : STATE_SYSTEM_READONLY); },
        [&](IAccessible* a, VARIANT id) { return a->get_accState(id, state); });
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
    return Guard([&] { return m_Standard->get_accFocus(focus); });
}

HRESULT AccessibleObject::get_accSelection(VARIANT* selection)
{
    return Guard([&] { return m_Standard->get_accSelection(selection); });
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return Ask(
        child,
        [&](Control& c) {
            const std::optional<Event> event = ActionOf(c);
            return Answer(action, !event ? u"" : event == Event::Click ? u"Fai clic" : u"Doppio clic");
        },
        [&](IAccessible* a, VARIANT id) { return a->get_accDefaultAction(id, action); });
}

HRESULT AccessibleObject::accSelect(LONG flags, VARIANT child)
{
    return Ask(
        child, [&](Control&) { return S_FALSE; }, [&](IAccessible* a, VARIANT id) { return a->accSelect(flags, id); });
}

HRESULT AccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
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

HRESULT AccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* end)
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

HRESULT AccessibleObject::accHitTest(LONG x, LONG y, VARIANT* hit)
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

HRESULT AccessibleObject::accDoDefaultAction(VARIANT child)
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

HRESULT AccessibleObject::put_accName(VARIANT, BSTR)
{ return E_NOTIMPL; }

HRESULT AccessibleObject::put_accValue(VARIANT, BSTR)
{ return E_NOTIMPL; }

std::vector<Control*> AccessibleObject::Elements() const
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

Control* AccessibleObject::Element(const VARIANT& child) const
{
    if (m_Control || child.vt != VT_I4 || child.lVal < 1)
        return nullptr;
    const auto elements = Elements();
    const auto place = static_cast<size_t>(child.lVal);
    return place <= elements.size() ? elements[place - 1] : nullptr;
}

HRESULT AccessibleObject::ElementAnswer(LONG id, VARIANT* out) const
{
    Control* element = Elements()[static_cast<size_t>(id) - 1];
    if (!element->hWnd())
        return Answer(out, id);
    out->vt = VT_DISPATCH;
    out->pdispVal = ObjectOf(*element);
    return out->pdispVal ? S_OK : E_FAIL;
}

IDispatch* AccessibleObject::ObjectOf(const Control& control)
{
    void* object = nullptr;
    Ole()->AccessibleObjectFromWindow(control.hWnd(), static_cast<DWORD>(OBJID_CLIENT), kIDispatch, &object);
    return static_cast<IDispatch*>(object);
}

std::optional<Event> AccessibleObject::ActionOf(const Control& control) const
{
    for (Event event : {Event::Click, Event::DblClick}) {
        if (m_Form->Handles(control.Id(), event))
            return event;
    }
    return std::nullopt;
}

bool AccessibleObject::IsLink(const Control& control) const
{
    return control.Design().Kind == ControlKind::Label && ActionOf(control) == Event::Click;
}

LONG AccessibleObject::RoleOf(const Control& control) const
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
