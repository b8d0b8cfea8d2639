#pragma once
// The program's own module (the executable): where its resources are, and whose windows it makes.
#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

inline HINSTANCE ProgramInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
