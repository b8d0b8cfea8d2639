#pragma once
// links/: the web addresses the program opens, the search address's encoding, and their launch in
// the default browser through the shell, which both windows use.
#include <string>

#include "links/SearchAddress.h"

// The system's ANSI code page, without best-fit mapping: a character with no exact
// equivalent is reported as not representable instead of becoming a look-alike or '?'.
class SystemAnsiCodePage final : public AnsiCodePage {
public:
    bool Encode(char32_t character, std::string& out) const override;
};

// The longest search address handed to the shell. A longer one could not reach a browser
// intact: the shell copies addresses into fixed buffers (Wine 8's overruns one from 999
// characters on and takes the program down with it).
constexpr size_t kLongestShellAddress = 900;

// The shell's "open" of the address (ShellExecuteExA, no parameters, no directory,
// SW_SHOWNORMAL), owned by Form::OwnerWindow(); false when no program took the address (no
// browser, a broken association).
bool ShellLaunch(const std::string& ansiAddress);

// The shell launch, and where it fails the message that says so; the window stays as it was.
void OpenInBrowser(const std::string& ansiAddress);

// Tests put a recorder (or a failing launch) in place of the shell.
using ShellLaunchFunction = bool (*)(const std::string& ansiAddress);
ShellLaunchFunction SetShellLaunchForTesting(ShellLaunchFunction launch);
