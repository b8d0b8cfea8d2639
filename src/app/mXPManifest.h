#pragma once
// Process start-up settings and the window icons.
#include <windows.h>

#include "platform/Text.h"

// Registers the common control classes, then sets the process error mode to exactly
// SEM_NOGPFAULTERRORBOX. Runs before any window exists.
void ApplyStartupSettings();

// Gives WindowHandle the icon group ResourceName of this program at the system's large and
// small icon sizes, and the same two icons to the top of its owner chain when IncludeTopOwner
// is true. Icons are shared system icons: nothing is destroyed, no result is looked at.
void InstallWindowIcons(HWND WindowHandle, TextView ResourceName, bool IncludeTopOwner);
