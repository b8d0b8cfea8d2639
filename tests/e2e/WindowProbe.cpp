// Asks the search window, from another process inside Wine, what a person or a screen reader
// would get from it:
//   WindowProbe text TITLE       the search box's text, as UTF-16LE hex digits
//   WindowProbe act TITLE NAME   the default action of the element a screen reader calls NAME
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Spelled out: the import library's IID_IAccessible is not the one oleacc answers to.
constexpr IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

int PrintText(HWND window)
{
    HWND picture = FindWindowExA(window, nullptr, "QuorvelPictureBox", nullptr);
    HWND box = picture ? FindWindowExA(picture, nullptr, "Edit", nullptr) : nullptr;
    if (!box)
        return 1;
    std::vector<wchar_t> text(static_cast<size_t>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0)) + 1);
    SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    for (size_t i = 0; i + 1 < text.size(); ++i)
        std::printf("%02x%02x", text[i] & 0xFF, text[i] >> 8);
    std::printf("\n");
    return 0;
}

int DefaultAction(HWND window, const char* name)
{
    CoInitialize(nullptr);
    IAccessible* client = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&client))))
        return 1;
    const std::wstring wanted(name, name + std::strlen(name));
    LONG count = 0;
    client->get_accChildCount(&count);
    for (LONG id = 1; id <= count; ++id) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = id;
        BSTR found = nullptr;
        const bool match = client->get_accName(child, &found) == S_OK && found && wanted == found;
        SysFreeString(found);
        if (match) {
            const HRESULT result = client->accDoDefaultAction(child);
            std::printf("%s\n", SUCCEEDED(result) ? "done" : "refused");
            return SUCCEEDED(result) ? 0 : 1;
        }
    }
    std::printf("no element named %s\n", name);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    HWND window = argc >= 3 ? FindWindowA(nullptr, argv[2]) : nullptr;
    if (!window)
        return 2;
    if (argc == 3 && std::strcmp(argv[1], "text") == 0)
        return PrintText(window);
    if (argc == 4 && std::strcmp(argv[1], "act") == 0)
        return DefaultAction(window, argv[3]);
    return 2;
}
