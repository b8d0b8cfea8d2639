// What a screen reader meets of a control: its name, role, state and place, its default action (a
// link's click, a button's press) and the keyboard focus it can take.
#include <oleacc.h>

#include "forms/Control.h"

void Control::SetAccessibleName(TextView name)
{
    if (m_AccessibleName == name)
        return;
    m_AccessibleName = name;
    if (m_hWnd)
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

Text Control::AccessibleName() const
{
    if (!m_AccessibleName.empty())
        return m_AccessibleName;
    if (m_Design->AccessibleName)
        return m_Design->AccessibleName;
    if (m_Design->Kind == ControlKind::Image)
        return m_Design->ToolTip ? m_Design->ToolTip : u"";
    Text name = m_hWnd && m_Design->Kind != ControlKind::ListBox ? GetText() : m_Caption;
    if (const size_t mnemonic = name.find(u'&'); mnemonic != Text::npos)
        name.erase(mnemonic, 1);
    return name;
}

std::optional<Event> Control::Action() const
{
    for (Event event : {Event::Click, Event::DblClick}) {
        if (m_Host->Handles(Id(), event))
            return event;
    }
    return std::nullopt;
}

LONG Control::AccessibleRole() const
{
    switch (m_Design->Kind) {
    case ControlKind::CommandButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::TextBox:
        return ROLE_SYSTEM_TEXT;
    case ControlKind::ListBox:
        return ROLE_SYSTEM_LIST;
    case ControlKind::Image:
        return ROLE_SYSTEM_GRAPHIC;
    case ControlKind::PictureBox:
        return ROLE_SYSTEM_PANE;
    default:
        return IsLink() ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
    }
}

LONG Control::AccessibleState() const
{
    // Links take the focus through the surface they lie on; plain labels and pictures never do.
    if (!IsLink())
        return STATE_SYSTEM_READONLY;
    return STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE | (m_Host->FocusedControl() == this ? STATE_SYSTEM_FOCUSED : 0);
}

RECT Control::AccessibleLocation() const
{
    RECT box;
    if (m_hWnd) {
        // What shows of it: a picture box reaches past its window's edges.
        RECT parent;
        GetWindowRect(m_hWnd, &box);
        GetClientRect(m_ContainerWindow, &parent);
        MapWindowPoints(m_ContainerWindow, nullptr, reinterpret_cast<POINT*>(&parent), 2);
        IntersectRect(&box, &box, &parent);
    } else {
        box = CaptionBounds(); // its box may reach under its neighbours
        MapWindowPoints(m_ContainerWindow, nullptr, reinterpret_cast<POINT*>(&box), 2);
    }
    return box;
}

Text Control::AccessibleAction() const
{
    const std::optional<Event> event = Action();
    if (!event || (m_hWnd && m_Design->Kind != ControlKind::CommandButton))
        return {};
    return m_hWnd ? u"Premi" : event == Event::Click ? u"Fai clic" : u"Doppio clic";
}

bool Control::DoAccessibleAction()
{
    const std::optional<Event> event = Action();
    if (!event || (m_hWnd && m_Design->Kind != ControlKind::CommandButton))
        return false;
    // Raised from the message loop, once the screen reader's call has returned.
    const auto place = static_cast<WPARAM>(this - m_Host->AllControls().data());
    PostMessageW(m_ContainerWindow, kAccessibleActionMessage, place, static_cast<LPARAM>(*event));
    return true;
}

bool Control::TakeAccessibleFocus()
{
    if (m_hWnd ? m_Design->Kind == ControlKind::PictureBox : !IsLink())
        return false;
    m_Host->TakeFocus(*this);
    return true;
}

