// Asks a window from inside Wine whether its program still answers: "WindowProbe TITLE" sends
// WM_NULL with a five-second limit and prints how long the answer took.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    HWND window = FindWindowA(nullptr, argv[1]);
    if (!window) {
        std::printf("no window\n");
        return 1;
    }
    const DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) {
        std::printf("no answer\n");
        return 1;
    }
    std::printf("answered in %lu ms\n", GetTickCount() - start);
    return 0;
}
