// Two roles in the journeys, inside the Wine prefix:
//   as its http handler, appends the arguments the shell handed it to launches.txt beside itself,
//   one line per launch, the arguments apart by 0x1F, in UTF-8;
//   with --act TITLE NAME, does as a screen reader would the default action of the element named
//   NAME in the window titled TITLE.
#include <windows.h>
#include <oleacc.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count == 4 && std::wstring(arguments[1]) == L"--act") {
        // Spelled out: the import library's IID_IAccessible is not the one oleacc answers to.
        constexpr IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
        IAccessible* client = nullptr;
        CoInitialize(nullptr);
        AccessibleObjectFromWindow(FindWindowW(nullptr, arguments[2]), OBJID_CLIENT, kIAccessible,
                                   reinterpret_cast<void**>(&client));
        LONG children = 0;
        for (LONG id = 1; client && SUCCEEDED(client->get_accChildCount(&children)) && id <= children; ++id) {
            VARIANT child{};
            child.vt = VT_I4, child.lVal = id;
            BSTR name = nullptr;
            if (client->get_accName(child, &name) == S_OK && std::wstring(arguments[3]) == name)
                return SUCCEEDED(client->accDoDefaultAction(child)) ? 0 : 1;
        }
        return 2;
    }
    std::wstring line;
    for (int i = 1; i < count; ++i)
        line += (i > 1 ? L"\x1f" : L"") + std::wstring(arguments[i]);
    line += L"\n";
    std::string utf8(line.size() * 4, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), utf8.data(), int(utf8.size()), 0, 0));
    wchar_t path[MAX_PATH];
    std::wstring log(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"launches.txt";
    // Appends are whole writes, so launches in quick succession never interleave.
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, utf8.data(), DWORD(utf8.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
