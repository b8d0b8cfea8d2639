#include "links/WebLinks.h"

#include <windows.h>
#include <shellapi.h>

#include "forms/Form.h"
#include "platform/SystemLibraries.h"

namespace {

bool ShellExecuteLaunch(const std::string& ansiAddress)
{
    // The shell's library is loaded by the first launch: at start-up it would delay every
    // window for a launch that may never come.
    static const auto shellExecute =
        SystemFunction<BOOL(WINAPI*)(SHELLEXECUTEINFOA*)>(L"shell32.dll", "ShellExecuteExA");
    // The shell may hand the address on through COM, which its callers are to start first.
    if (!shellExecute || !InitialiseCom())
        return false;
    // Owned by the window whose action it is; the shell shows no error box of its own, since
    // the program's message is the one answer to a failed launch.
    SHELLEXECUTEINFOA launch{};
    launch.cbSize = sizeof(launch);
    launch.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    launch.hwnd = Form::OwnerWindow();
    launch.lpVerb = "open";
    launch.lpFile = ansiAddress.c_str();
    launch.nShow = SW_SHOWNORMAL;
    // "If the function succeeds, it sets the hInstApp member ... to a value greater than 32."
    return shellExecute(&launch) && reinterpret_cast<INT_PTR>(launch.hInstApp) > 32;
}

ShellLaunchFunction g_Launch = ShellExecuteLaunch;

} // namespace

bool SystemAnsiCodePage::Encode(char32_t character, std::string& out) const
{
    wchar_t units[2];
    int count = 1;
    if (character >= 0x10000) {
        units[0] = static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<wchar_t>(character);
    }
    const UINT codePage = GetACP();
    if (codePage == CP_UTF8) {
        // Every character has an exact UTF-8 form; the flags below are refused for this page.
        char bytes[8];
        const int size = WideCharToMultiByte(CP_UTF8, 0, units, count, bytes, sizeof(bytes), nullptr, nullptr);
        out.append(bytes, static_cast<size_t>(size > 0 ? size : 0));
        return size > 0;
    }
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, bytes, sizeof(bytes), nullptr,
                                         &usedDefault);
    if (size <= 0 || usedDefault)
        return false;
    out.append(bytes, static_cast<size_t>(size));
    return true;
}

bool ShellLaunch(const std::string& ansiAddress) { return g_Launch(ansiAddress); }

void OpenInBrowser(const std::string& ansiAddress)
{
    if (!ShellLaunch(ansiAddress))
        MsgBox(u"Nessun browser ha potuto aprire l'indirizzo", MB_ICONEXCLAMATION | MB_OK, u"Dide QV");
}

ShellLaunchFunction SetShellLaunchForTesting(ShellLaunchFunction launch)
{
    const ShellLaunchFunction previous = g_Launch;
    g_Launch = launch ? launch : ShellExecuteLaunch;
    return previous;
}
