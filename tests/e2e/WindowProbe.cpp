// Asks the search window from inside Wine what a person would see or feel:
//   WindowProbe responds TITLE   sends WM_NULL with a five-second limit ("answered in N ms")
//   WindowProbe text TITLE       prints the search box's text as UTF-16LE hex digits
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    HWND window = FindWindowA(nullptr, argv[2]);
    if (!window) {
        std::printf("no window\n");
        return 1;
    }
    if (std::strcmp(argv[1], "text") == 0) {
        HWND picture = FindWindowExA(window, nullptr, "QuorvelPictureBox", nullptr);
        HWND box = picture ? FindWindowExA(picture, nullptr, "Edit", nullptr) : nullptr;
        if (!box)
            return 1;
        const auto length = static_cast<int>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0));
        std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
        SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        for (int i = 0; i < length; ++i)
            std::printf("%02x%02x", text[static_cast<size_t>(i)] & 0xFF, text[static_cast<size_t>(i)] >> 8);
        std::printf("\n");
        return 0;
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
