#include "display/Colours.h"

#include <utility>

namespace {

bool SystemHighContrast()
{
    HIGHCONTRASTW state{};
    state.cbSize = sizeof(state);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(state), &state, 0) && (state.dwFlags & HCF_HIGHCONTRASTON);
}

HighContrastFunction g_HighContrast = SystemHighContrast;

} // namespace

bool HighContrast() { return g_HighContrast(); }

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

HighContrastFunction SetHighContrastForTesting(HighContrastFunction answer)
{
    return std::exchange(g_HighContrast, answer ? answer : SystemHighContrast);
}
