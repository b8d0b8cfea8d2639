#include <windows.h>

#include "app/frmGoogleVideo.h"
#include "forms/RuntimeError.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return GuardedCall([] {
        frmGoogleVideo& searchWindow = frmGoogleVideo::Instance();
        searchWindow.EndProgramWhenClosed();
        searchWindow.Show();
        return RunMessageLoop();
    });
}
