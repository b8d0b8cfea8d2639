#include "forms/Ole.h"

#include "forms/TextConversion.h"

namespace {

template <typename Function> void Lookup(const wchar_t* library, const char* name, Function& function)
{
    HMODULE module = LoadLibraryW(library);
    function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

} // namespace

const OleFunctions* Ole()
{
    static const OleFunctions functions = [] {
        OleFunctions f;
        Lookup(L"ole32.dll", "CoInitializeEx", f.CoInitializeEx);
        Lookup(L"oleaut32.dll", "SysAllocString", f.SysAllocString);
        Lookup(L"oleacc.dll", "LresultFromObject", f.LresultFromObject);
        Lookup(L"oleacc.dll", "CreateStdAccessibleObject", f.CreateStdAccessibleObject);
        Lookup(L"oleacc.dll", "AccessibleObjectFromWindow", f.AccessibleObjectFromWindow);
        Lookup(L"oleaut32.dll", "LoadTypeLibEx", f.LoadTypeLibEx);
        if (f.CoInitializeEx)
            f.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // objects are handed out through COM
        return f;
    }();
    const OleFunctions& f = functions;
    const bool complete = f.CoInitializeEx && f.SysAllocString && f.LresultFromObject &&
                          f.CreateStdAccessibleObject && f.AccessibleObjectFromWindow;
    return complete ? &functions : nullptr;
}

ITypeInfo* AccessibleTypeInfo()
{
    static ITypeInfo* const info = [] {
        ITypeLib* library = nullptr;
        ITypeInfo* found = nullptr;
        if (Ole() && Ole()->LoadTypeLibEx && SUCCEEDED(Ole()->LoadTypeLibEx(L"oleacc.dll", REGKIND_NONE, &library))) {
            library->GetTypeInfoOfGuid(kIAccessible, &found);
            library->Release();
        }
        return found; // held for the life of the process, as the library caches it anyway
    }();
    return info;
}

VARIANT ChildId(LONG id)
{
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
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
