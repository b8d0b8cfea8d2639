#pragma once
// display/: the user's colours and the display's scale. The colours the windows are drawn in: the
// designs' own colours were chosen against the standard colours, black text on a white window and
// a light grey face. Under those they are drawn as designed; under the user's own colours, and in
// dark mode, a design colour is drawn only where it reads against what it lands on; in high
// contrast everything is drawn in the system's colours.
#include <windows.h>

// High contrast is on (SPI_GETHIGHCONTRAST).
bool HighContrast();
// Dark mode: the user has asked for dark programs (Windows 10 and later, Settings: "Choose your
// app mode"), which leaves the classic system colours as they are, and high contrast is off.
bool DarkMode();
// Neither high contrast nor classic colours of the user's own: the standard colours (in light mode,
// or dark).
bool StandardColours();

// Tests answer these questions in place of the system, which may not let them switch high
// contrast on (Wine does not), and whose app mode outlasts a test.
using ColourQuestion = bool (*)();
ColourQuestion SetHighContrastForTesting(ColourQuestion answer);
ColourQuestion SetAppsDarkForTesting(ColourQuestion answer);
