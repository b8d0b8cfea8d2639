#include "app/mXPManifest.h"

#include <commctrl.h>

#include <string>

#include "forms/Form.h"
#include "forms/TextConversion.h"

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

    // The large icon is installed before the small icon's size is even read.
    const int bigWidth = GetSystemMetrics(SM_CXICON);
    const int bigHeight = GetSystemMetrics(SM_CYICON);
    HANDLE big = LoadImageA(ProgramInstance(), name.c_str(), IMAGE_ICON, bigWidth, bigHeight, LR_SHARED);
    if (IncludeTopOwner)
        SendMessageA(topOwner, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(WindowHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));

    const int smallWidth = GetSystemMetrics(SM_CXSMICON);
    const int smallHeight = GetSystemMetrics(SM_CYSMICON);
    HANDLE small = LoadImageA(ProgramInstance(), name.c_str(), IMAGE_ICON, smallWidth, smallHeight, LR_SHARED);
    if (IncludeTopOwner)
        SendMessageA(topOwner, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageA(WindowHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}
