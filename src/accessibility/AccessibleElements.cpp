#include <algorithm>

#include "accessibility/Accessibility.h"
#include "accessibility/AccessibleObject.h"
#include "forms/Form.h"

// What the accessible objects list and how each element is known: the elements of a surface, their
// roles, default actions and availability; and IDispatch, answered with the system's type
// information for IAccessible.

std::vector<Control*> AccessibleElements(Form& form, HWND surface)
{
    std::vector<Control*> elements;
    for (Control& control : form.AllControls()) {
        if (control.ContainerWindow() == surface && !control.IsDecoration())
            elements.push_back(&control);
    }
    std::stable_sort(elements.begin(), elements.end(), [](const Control* a, const Control* b) {
        const auto order = [](const Control* c) { return static_cast<uint16_t>(c->Design().TabIndex); };
        return order(a) < order(b); // kNoTabStop, -1, sorts last
    });
    return elements;
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count)
{
    *count = AccessibleTypeInfo() ? 1 : 0;
    return S_OK;
}

HRESULT AccessibleObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    *info = index == 0 ? AccessibleTypeInfo() : nullptr;
    if (!*info)
        return index == 0 ? E_NOTIMPL : DISP_E_BADINDEX;
    (*info)->AddRef();
    return S_OK;
}

HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    ITypeInfo* info = AccessibleTypeInfo();
    return info ? info->GetIDsOfNames(names, count, ids) : E_NOTIMPL;
}

HRESULT AccessibleObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                 EXCEPINFO* exception, UINT* argumentError)
{
    ITypeInfo* info = AccessibleTypeInfo();
    return info ? info->Invoke(static_cast<IAccessible*>(this), id, flags, parameters, result, exception,
                               argumentError)
                : E_NOTIMPL;
}

std::vector<Control*> AccessibleObject::Elements() const
{
    return m_Surface ? AccessibleElements(*m_Form, m_Window) : std::vector<Control*>{};
}

Control* AccessibleObject::Element(const VARIANT& child) const
{
    const VARIANT id = Normalised(child);
    if (!m_Surface || id.vt != VT_I4 || id.lVal < 1)
        return nullptr;
    const auto elements = Elements();
    const auto place = static_cast<size_t>(id.lVal);
    return place <= elements.size() ? elements[place - 1] : nullptr;
}

HRESULT AccessibleObject::ElementAnswer(LONG id, VARIANT* out) const
{
    Control* element = Elements()[static_cast<size_t>(id) - 1];
    if (!element->hWnd())
        return Answer(out, id);
    out->vt = VT_DISPATCH;
    out->pdispVal = static_cast<IDispatch*>(ObjectOf(*element));
    return out->pdispVal ? S_OK : E_FAIL;
}

void* AccessibleObject::ObjectOf(const Control& control, REFIID iid)
{
    void* object = nullptr;
    Ole()->AccessibleObjectFromWindow(control.hWnd(), static_cast<DWORD>(OBJID_CLIENT), iid, &object);
    return object;
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

bool AccessibleObject::IsFocusable(const Control& control) const
{
    return control.hWnd() ? control.Design().Kind != ControlKind::PictureBox : IsLink(control);
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
    case ControlKind::PictureBox:
        return ROLE_SYSTEM_PANE;
    default:
        return IsLink(control) ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
    }
}

bool AccessibleObject::Available() const
{
    for (HWND window = m_Window; window && window != GetDesktopWindow(); window = GetAncestor(window, GA_PARENT)) {
        if (!IsWindowEnabled(window))
            return false;
    }
    return true;
}
