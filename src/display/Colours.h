#pragma once
// display/: the user's colours and the display's scale. The colours the windows are drawn in: the
// designs' own colours were chosen against the standard colours, black text on a white window and
// a light grey face. Under those they are drawn as designed; under the user's own colours a design
// colour is drawn only where it reads against what it lands on; in high contrast everything is
// drawn in the system's colours.
#include <windows.h>

// High contrast is on (SPI_GETHIGHCONTRAST).
bool HighContrast();
// Neither high contrast nor colours of the user's own: the standard colours.
bool StandardColours();

// Tests answer the high-contrast question in place of the system, which may not let them switch
// it on (Wine does not).
using HighContrastFunction = bool (*)();
HighContrastFunction SetHighContrastForTesting(HighContrastFunction answer);
