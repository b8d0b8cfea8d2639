#include <windows.h>

#include "app/frmGoogleVideo.h"
#include "forms/Dpi.h"
#include "forms/MessageLoop.h"
#include "forms/RuntimeError.h"
#include "forms/SystemLibraries.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return GuardedCall([] {
        KeepDllSearchToSystemFolder();
        DeclareDpiAwareness();
        frmGoogleVideo& searchWindow = frmGoogleVideo::Instance();
        searchWindow.EndProgramWhenClosed();
        searchWindow.Show();
        return RunMessageLoop();
    });
}
