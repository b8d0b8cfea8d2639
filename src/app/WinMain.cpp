#include <windows.h>

#include "app/frmGoogleVideo.h"
#include "display/Dpi.h"
#include "forms/MessageLoop.h"
#include "platform/RuntimeError.h"
#include "platform/SystemLibraries.h"

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
