#pragma once
// The rule that turns the search box's text into the search address. Portable: no Windows
// header.
#include <string>
#include <string_view>

#include "platform/Text.h"

// Converts one Unicode character to the system's ANSI code page without best-fit mapping.
// Returns false when the code page has no exact byte sequence for it.
class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    virtual bool Encode(char32_t character, std::string& out) const = 0;
};

// Windows-1252, for host builds and tests: the code page of an Italian or English Windows.
class WindowsLatin1CodePage final : public AnsiCodePage {
public:
    bool Encode(char32_t character, std::string& out) const override;
};

// Trimmed of leading and trailing U+0020 only, is the text empty? A tab counts as content.
bool IsBlankSearch(TextView searchText);

// The search address (by default "http://" + the service host + "/ISAPI/search.dll?keywords=")
// followed by the text, untrimmed, as ANSI.
// The text goes in as typed except where it could break the browser's command line, the address
// or a letter: '"' and '\' become %22 and %5C, a '%' that starts no escape (two hex digits)
// becomes %25, control characters (a tab among them) become %XX, and a character the code page
// cannot hold exactly becomes its percent-encoded UTF-8 bytes.
std::string BuildSearchAddress(std::string_view searchAddress, TextView searchText, const AnsiCodePage& codePage);
