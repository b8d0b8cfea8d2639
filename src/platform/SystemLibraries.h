#pragma once
// The system's DLLs that the program loads while it runs, from the system folder alone: never from
// the program's own folder (a Downloads folder, say) or the current one, where anyone may have put
// a DLL of the same name.
#include <windows.h>

// From here on, a DLL loaded by name alone (by the program or by the system's own DLLs) is looked
// for in the system folder only, where the system allows it. Call before anything else.
void KeepDllSearchToSystemFolder();

HMODULE LoadSystemLibrary(const wchar_t* name);

// COM, apartment-threaded, on this thread, started on first use (from ole32, loaded then); false
// where it cannot be had.
bool InitialiseCom();

// A function of a system DLL, or nullptr.
template <typename Function> Function SystemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = LoadSystemLibrary(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
