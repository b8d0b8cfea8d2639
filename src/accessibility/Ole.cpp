#include "accessibility/Ole.h"

#include <cstring>

#include "platform/SystemLibraries.h"
#include "platform/TextConversion.h"

const OleFunctions* Ole()
{
    static const OleFunctions functions = [] {
        OleFunctions f;
        f.SysAllocString = SystemFunction<decltype(f.SysAllocString)>(L"oleaut32.dll", "SysAllocString");
        f.LresultFromObject = SystemFunction<decltype(f.LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
        f.CreateStdAccessibleObject =
            SystemFunction<decltype(f.CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
        f.AccessibleObjectFromWindow =
            SystemFunction<decltype(f.AccessibleObjectFromWindow)>(L"oleacc.dll", "AccessibleObjectFromWindow");
        f.LoadTypeLibEx = SystemFunction<decltype(f.LoadTypeLibEx)>(L"oleaut32.dll", "LoadTypeLibEx");
        return f;
    }();
    const OleFunctions& f = functions;
    // Objects are handed out through COM.
    const bool complete = InitialiseCom() && f.SysAllocString && f.LresultFromObject && f.CreateStdAccessibleObject &&
                          f.AccessibleObjectFromWindow;
    return complete ? &functions : nullptr;
}

ITypeInfo* AccessibleTypeInfo()
{
    static ITypeInfo* const info = [] {
        ITypeLib* library = nullptr;
        ITypeInfo* found = nullptr;
        // The type library inside the accessibility DLL just loaded, named by its full path. Without
        // that DLL there is none: GetModuleFileNameW would name the program itself.
        HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
        wchar_t path[MAX_PATH];
        const DWORD length = oleacc ? GetModuleFileNameW(oleacc, path, MAX_PATH) : 0;
        if (Ole() && Ole()->LoadTypeLibEx && length > 0 && length < MAX_PATH &&
            SUCCEEDED(Ole()->LoadTypeLibEx(path, REGKIND_NONE, &library))) {
            library->GetTypeInfoOfGuid(kIAccessible, &found);
            library->Release();
        }
        return found; // held for the life of the process, as the library caches it anyway
    }();
    return info;
}

namespace {

// A child id passed by reference, as script clients pass it: the value it points at. A VARIANT
// held by reference may itself hold an integer by reference, but not another such VARIANT.
VARIANT ByValue(const VARIANT& child)
{
    const auto type = static_cast<VARTYPE>(child.vt & ~VT_BYREF);
    if (!child.byref)
        return child;
    if (type == VT_VARIANT)
        return child.pvarVal->vt == (VT_BYREF | VT_VARIANT) ? child : Normalised(*child.pvarVal);
    size_t size = 0;
    switch (type) {
    case VT_I1:
    case VT_UI1:
        size = 1;
        break;
    case VT_I2:
    case VT_UI2:
        size = 2;
        break;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
        size = 4;
        break;
    case VT_I8:
    case VT_UI8:
        size = 8;
        break;
    default:
        return child;
    }
    VARIANT value{};
    value.vt = type;
    std::memcpy(&value.llVal, child.byref, size); // every member of the union starts at its start
    return Normalised(value);
}

} // namespace

VARIANT ChildId(LONG id)
{
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

VARIANT Normalised(const VARIANT& child)
{
    if (child.vt & VT_BYREF)
        return ByValue(child);
    const auto within = [&](LONGLONG id) { return id >= LONG_MIN && id <= LONG_MAX ? ChildId(static_cast<LONG>(id)) : child; };
    switch (child.vt) {
    case VT_EMPTY:
        return ChildId(CHILDID_SELF);
    case VT_ERROR:
        return child.scode == DISP_E_PARAMNOTFOUND ? ChildId(CHILDID_SELF) : child;
    case VT_I1:
        return ChildId(child.cVal);
    case VT_UI1:
        return ChildId(child.bVal);
    case VT_I2:
        return ChildId(child.iVal);
    case VT_UI2:
        return ChildId(child.uiVal);
    case VT_I4:
    case VT_INT:
        return ChildId(child.lVal);
    case VT_UI4:
    case VT_UINT:
        return within(child.ulVal);
    case VT_I8:
        return within(child.llVal);
    case VT_UI8:
        return child.ullVal <= LONG_MAX ? ChildId(static_cast<LONG>(child.ullVal)) : child;
    default:
        return child;
    }
}

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
