// Whatever the text, the address starts with the search prefix and holds nothing that could
// break the browser's quoted argument: no raw '"', no '\', no control character but tab.
#include <cstdlib>

#include "FuzzInput.h"
#include "app/SearchAddress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Text text = TakeText(data, size, 4096);
    static const std::string prefix = "http://www.quorvel.example/ISAPI/search.dll?keywords=";
    const std::string address = BuildSearchAddress("www.quorvel.example", text, WindowsLatin1CodePage());

    if (address.compare(0, prefix.size(), prefix) != 0)
        std::abort();
    for (size_t i = prefix.size(); i < address.size(); ++i) {
        const auto byte = static_cast<unsigned char>(address[i]);
        if (byte == '"' || byte == '\\' || (byte < 0x20 && byte != '\t') || byte == 0x7F)
            std::abort();
    }
    // Plain printable ASCII goes in exactly as typed.
    bool plain = true;
    for (char16_t c : text)
        plain = plain && c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\';
    if (plain && address != prefix + std::string(text.begin(), text.end()))
        std::abort();
    // Blank is exactly "nothing but spaces".
    const bool onlySpaces = text.find_first_not_of(u' ') == Text::npos;
    if (IsBlankSearch(text) != onlySpaces)
        std::abort();
    return 0;
}
