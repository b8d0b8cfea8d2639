// The browser of the journeys, registered as the Wine prefix's http handler: appends the
// arguments the shell handed it to launches.txt beside itself, one line per launch, the arguments
// apart by 0x1F, in UTF-8.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
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
    FILE* file = _wfopen(log.c_str(), L"ab");
    std::fwrite(utf8.data(), 1, utf8.size(), file);
    std::fclose(file);
    return 0;
}
