#pragma once
// platform/: what every part of the program uses of the system and of C++: text, handles, the
// error value and its one boundary, the system's DLLs and COM. Text is UTF-16 throughout the
// program, on Windows and in the host builds alike, so the portable code sees the same code units
// (surrogate pairs included) that the controls hold.
#include <string>
#include <string_view>

using Text = std::u16string;
using TextView = std::u16string_view;
