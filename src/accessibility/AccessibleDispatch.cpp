// IDispatch, answered with the system's type information for IAccessible; and how the object finds
// the elements its child ids name.
#include <algorithm>

#include "accessibility/AccessibleObject.h"

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

std::vector<AccessibleElement*> AccessibleObject::Elements() const
{
    return m_Element->ListsElements() ? m_Element->AccessibleElements() : std::vector<AccessibleElement*>{};
}

AccessibleElement* AccessibleObject::Element(const VARIANT& child) const
{
    const VARIANT id = Normalised(child);
    if (!m_Element->ListsElements() || id.vt != VT_I4 || id.lVal < 1)
        return nullptr;
    const auto elements = Elements();
    const auto place = static_cast<size_t>(id.lVal);
    return place <= elements.size() ? elements[place - 1] : nullptr;
}

HRESULT AccessibleObject::ElementAnswer(AccessibleElement* element, VARIANT* out) const
{
    if (!element->AccessibleWindow()) {
        const auto elements = Elements();
        return Answer(out, static_cast<LONG>(std::find(elements.begin(), elements.end(), element) - elements.begin()) + 1);
    }
    out->vt = VT_DISPATCH;
    out->pdispVal = static_cast<IDispatch*>(ObjectOf(*element));
    return out->pdispVal ? S_OK : E_FAIL;
}

void* AccessibleObject::ObjectOf(const AccessibleElement& element, REFIID iid)
{
    void* object = nullptr;
    Ole()->AccessibleObjectFromWindow(element.AccessibleWindow(), static_cast<DWORD>(OBJID_CLIENT), iid, &object);
    return object;
}

bool AccessibleObject::Available() const
{
    for (HWND window = m_Window; window && window != GetDesktopWindow(); window = GetAncestor(window, GA_PARENT)) {
        if (!IsWindowEnabled(window))
            return false;
    }
    return true;
}
