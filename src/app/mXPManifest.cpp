#include "app/mXPManifest.h"

#include <commctrl.h>

#include <string>

#include "display/Dpi.h"
#include "forms/Window.h"
#include "platform/Module.h"
#include "platform/TextConversion.h"

void ApplyStartupSettings()
{
    InitCommonControls();
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
}

void InstallWindowIcons(HWND WindowHandle, TextView ResourceName, bool IncludeTopOwner)
{
    const std::string name = ToAnsi(ResourceName);

    HWND topOwner = WindowHandle;
    if (IncludeTopOwner) {
        while (topOwner) {
            HWND owner = GetWindow(topOwner, GW_OWNER);
            if (!owner)
                break;
            topOwner = owner;
        }
    }

    // The sizes the system uses for icons at the window's scale.
    const int dpi = WindowDpi(WindowHandle);
    const auto install = [&](WPARAM kind, int widthMetric, int heightMetric) {
        const int width = MetricForDpi(widthMetric, dpi);
        const int height = MetricForDpi(heightMetric, dpi);
        HANDLE icon = LoadImageA(ProgramInstance(), name.c_str(), IMAGE_ICON, width, height, LR_SHARED);
        if (IncludeTopOwner)
            SendMessageA(topOwner, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
        SendMessageA(WindowHandle, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    };
    // The large icon is installed before the small icon's size is even read.
    install(ICON_BIG, SM_CXICON, SM_CYICON);
    install(ICON_SMALL, SM_CXSMICON, SM_CYSMICON);
}
