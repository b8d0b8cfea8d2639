#include "display/Colours.h"

#include <utility>

#include "platform/SystemLibraries.h"

namespace {

bool SystemHighContrast()
{
    HIGHCONTRASTW state{};
    state.cbSize = sizeof(state);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(state), &state, 0) && (state.dwFlags & HCF_HIGHCONTRASTON);
}

// Windows keeps the app mode here, 0 for dark; without the value programs are light.
bool SystemAppsDark()
{
    using GetValue = LSTATUS(WINAPI*)(HKEY, LPCWSTR, LPCWSTR, DWORD, LPDWORD, PVOID, LPDWORD);
    static const auto getValue = SystemFunction<GetValue>(L"advapi32.dll", "RegGetValueW");
    DWORD light = 1, size = sizeof(light);
    return getValue &&
           getValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                    L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size) == ERROR_SUCCESS &&
           light == 0;
}

ColourQuestion g_HighContrast = SystemHighContrast;
ColourQuestion g_AppsDark = SystemAppsDark;

} // namespace

bool HighContrast() { return g_HighContrast(); }

bool DarkMode() { return !HighContrast() && g_AppsDark(); }

bool StandardColours()
{
    // Windows' default faces are a neutral grey of 240 (Wine's 245): light enough for the designs.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const bool lightGreyFace = GetRValue(face) == GetGValue(face) && GetGValue(face) == GetBValue(face) &&
                               GetRValue(face) >= 224;
    return !HighContrast() && GetSysColor(COLOR_WINDOWTEXT) == RGB(0, 0, 0) &&
           GetSysColor(COLOR_BTNTEXT) == RGB(0, 0, 0) && GetSysColor(COLOR_WINDOW) == RGB(255, 255, 255) &&
           lightGreyFace;
}

ColourQuestion SetHighContrastForTesting(ColourQuestion answer)
{
    return std::exchange(g_HighContrast, answer ? answer : SystemHighContrast);
}

ColourQuestion SetAppsDarkForTesting(ColourQuestion answer)
{
    return std::exchange(g_AppsDark, answer ? answer : SystemAppsDark);
}
