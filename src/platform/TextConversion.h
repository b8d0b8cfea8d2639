#pragma once
// Text is UTF-16 inside; it becomes ANSI only at the ANSI calls, through ToAnsi.
#include <windows.h>

#include <string>

#include "platform/Text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

inline const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// The system's ANSI code page form of text, as WideCharToMultiByte gives it.
std::string ToAnsi(TextView text);

// The whole text of a window.
Text WindowText(HWND window);
