// Tells every top-level window that a setting has changed, as Windows' Settings app does when the
// user chooses light or dark programs: WM_SETTINGCHANGE with the setting's name.
//   SettingChange NAME     (ImmersiveColorSet, say)
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    DWORD_PTR answer = 0;
    return !SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, LPARAM(argv[1]), SMTO_ABORTIFHUNG, 5000, &answer);
}
