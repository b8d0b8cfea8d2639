#pragma once
// The OLE and accessibility functions the program needs only when a screen reader asks, looked
// up then (loading the libraries at start-up would cost every start), and the small helpers for
// the values they trade in.
#include <windows.h>
#include <oleacc.h>

#include "platform/Text.h"

// Spelled out: the import libraries' copies are not what every oleacc compares against.
constexpr IID kIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr IID kIOleWindow = {0x00000114, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct OleFunctions {
    BSTR(WINAPI* SysAllocString)(const OLECHAR*) = nullptr;
    LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    HRESULT(WINAPI* AccessibleObjectFromWindow)(HWND, DWORD, REFIID, void**) = nullptr;
    HRESULT(WINAPI* LoadTypeLibEx)(LPCOLESTR, REGKIND, ITypeLib**) = nullptr;
};

// The functions, loaded (and COM started) on first use; nullptr when the system lacks any of them.
const OleFunctions* Ole();

// The system's type information for IAccessible, from the accessibility library's own type
// library; nullptr where the system has none.
ITypeInfo* AccessibleTypeInfo();

VARIANT ChildId(LONG id);
// A child id as a client may send it: of any integer type, by value or by reference (a VARIANT
// or an integer), or left out (empty, or a missing parameter, as script callers leave it), which
// means the object itself. As a VT_I4; anything else comes back as it is, naming no element.
VARIANT Normalised(const VARIANT& child);
inline bool IsSelf(const VARIANT& child)
{
    const VARIANT id = Normalised(child);
    return id.vt == VT_I4 && id.lVal == CHILDID_SELF;
}
// A text as a screen reader receives it: S_FALSE and no string when there is none.
HRESULT Answer(BSTR* out, const Text& text);
HRESULT Answer(VARIANT* out, LONG value);
