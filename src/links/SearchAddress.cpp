#include "links/SearchAddress.h"

namespace {

void AppendPercentByte(std::string& out, unsigned char byte)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

void AppendPercentUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        AppendPercentByte(out, static_cast<unsigned char>(c));
    } else if (c < 0x800) {
        AppendPercentByte(out, static_cast<unsigned char>(0xC0 | (c >> 6)));
        AppendPercentByte(out, static_cast<unsigned char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        AppendPercentByte(out, static_cast<unsigned char>(0xE0 | (c >> 12)));
        AppendPercentByte(out, static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F)));
        AppendPercentByte(out, static_cast<unsigned char>(0x80 | (c & 0x3F)));
    } else {
        AppendPercentByte(out, static_cast<unsigned char>(0xF0 | (c >> 18)));
        AppendPercentByte(out, static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F)));
        AppendPercentByte(out, static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F)));
        AppendPercentByte(out, static_cast<unsigned char>(0x80 | (c & 0x3F)));
    }
}

// The C0 controls, DEL and the C1 controls: none of them belongs in an address. A tab among them:
// browsers drop a raw tab from an address, so it reaches the service only as %09.
bool IsControlCharacter(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool IsHexDigit(char16_t u) { return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f'); }

// Does the text at i hold an escape, a percent sign and two hex digits?
bool IsEscape(TextView text, size_t i)
{
    return i + 2 < text.size() && text[i] == u'%' && IsHexDigit(text[i + 1]) && IsHexDigit(text[i + 2]);
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

} // namespace

bool WindowsLatin1CodePage::Encode(char32_t c, std::string& out) const
{
    // 0x80-0x9F of Windows-1252 hold these letters and signs instead of the C1 controls.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
        0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        out += static_cast<char>(c);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] != 0 && kHigh[i] == c) {
            out += static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool IsBlankSearch(TextView searchText)
{
    return searchText.find_first_not_of(u' ') == TextView::npos;
}

std::string BuildSearchAddress(std::string_view searchAddress, TextView searchText, const AnsiCodePage& codePage)
{
    std::string address;
    address.reserve(searchAddress.size() + searchText.size());
    address += searchAddress;

    for (size_t i = 0; i < searchText.size(); ++i) {
        char32_t c = searchText[i];
        if (IsHighSurrogate(searchText[i]) && i + 1 < searchText.size() && IsLowSurrogate(searchText[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (searchText[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(searchText[i]) || IsLowSurrogate(searchText[i])) {
            c = 0xFFFD; // a lone half of a pair names no character
        }

        // A percent sign that starts no escape makes the whole address invalid: browsers and
        // the shell's helpers then read it as anything, even another host.
        if (c == u'"' || c == u'\\' || IsControlCharacter(c) || (c == u'%' && !IsEscape(searchText, i))) {
            AppendPercentUtf8(address, c);
        } else if (c < 0x80) {
            address += static_cast<char>(c);
        } else if (!codePage.Encode(c, address)) {
            AppendPercentUtf8(address, c);
        }
    }
    return address;
}
