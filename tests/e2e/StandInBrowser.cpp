// Registered as the Wine prefix's http handler during the end-to-end journeys: records the
// arguments the shell handed it, one JSON line per launch, beside itself in launches.jsonl.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string JsonString(const wchar_t* text)
{
    std::string out = "\"";
    char buffer[8];
    for (; *text; ++text) {
        const wchar_t c = *text;
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            std::snprintf(buffer, sizeof(buffer), "\\u%04x", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out + "\"";
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const wchar_t* commandLine = GetCommandLineW();
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(commandLine, &count);

    std::string line = "{\"cmdline\": " + JsonString(commandLine) + ", \"argv\": [";
    for (int i = 1; i < count; ++i)
        line += (i > 1 ? ", " : "") + JsonString(arguments[i]);
    line += "]}\n";

    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring log(path, length);
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"launches.jsonl";
    // Appends are atomic per write, so launches in quick succession never interleave.
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
