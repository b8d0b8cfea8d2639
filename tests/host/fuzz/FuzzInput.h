#pragma once
// Turns fuzz bytes into UTF-16 texts: every two bytes are one code unit, so lone surrogates,
// NULs and every control character come up as often as letters.
#include <cstddef>
#include <cstdint>
#include <string>

inline std::u16string TakeText(const uint8_t*& data, size_t& size, size_t maxUnits)
{
    std::u16string text;
    while (size >= 2 && text.size() < maxUnits) {
        const char16_t unit = static_cast<char16_t>(data[0] | data[1] << 8);
        data += 2;
        size -= 2;
        if (unit == 0xFFFF) // the separator between texts
            break;
        text += unit;
    }
    return text;
}
