#include "display/DarkMode.h"

#include "platform/Handles.h"
#include "platform/SystemLibraries.h"

namespace {

// A function of a library that only dark windows need, looked up the first time one does: a light
// start does not load it.
template <typename Function> Function WhenDark(bool dark, const wchar_t* library, const char* name)
{
    static Function function = nullptr;
    static bool looked = false;
    if (dark && !looked) {
        looked = true;
        function = SystemFunction<Function>(library, name);
    }
    return function;
}

} // namespace

HBRUSH DarkFaceBrush()
{
    static const ScopedGdiObject brush(CreateSolidBrush(kDarkFace));
    return static_cast<HBRUSH>(brush.Get());
}

HBRUSH DarkFieldBrush()
{
    static const ScopedGdiObject brush(CreateSolidBrush(kDarkField));
    return static_cast<HBRUSH>(brush.Get());
}

void FollowDarkModeInTitleBar(HWND window, bool dark)
{
    const auto setAttribute =
        WhenDark<HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD)>(dark, L"dwmapi.dll", "DwmSetWindowAttribute");
    if (!setAttribute)
        return;
    // DWMWA_USE_IMMERSIVE_DARK_MODE, 20; Windows 10 before its 2004 update knew it as 19.
    const BOOL value = dark;
    if (FAILED(setAttribute(window, 20, &value, sizeof(value))))
        setAttribute(window, 19, &value, sizeof(value));
}

void FollowDarkModeInControl(HWND control, bool dark)
{
    const auto setTheme = WhenDark<HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR)>(dark, L"uxtheme.dll", "SetWindowTheme");
    if (setTheme)
        setTheme(control, dark ? L"DarkMode_Explorer" : nullptr, nullptr); // nullptr: the usual theme again
}
