// Whatever the bytes: the search address holds nothing that could break the browser's quoted
// argument (what it keeps of the text: the host tests); Replace ends (what it gives: its cases in the host
// tests); the JPEG decoder reads and writes nothing outside its buffers (the sanitizers watch) and gives a
// picture of the size it claims. (It draws the pictures it is given exactly as libjpeg-turbo
// does: the host tests.) The first byte chooses which, the second is Replace's count.
#include <cctype>
#include <cstdlib>

#include "links/SearchAddress.h"
#include "pictures/Jpeg.h"
#include "tooltip/Replace.h"

namespace {

// Two bytes make one UTF-16 unit, so lone surrogates, NULs and controls come up as often as
// letters; 0xFFFF ends a text.
Text TakeText(const uint8_t*& data, size_t& size, size_t most)
{
    Text text;
    for (; size >= 2 && text.size() < most; data += 2, size -= 2) {
        const auto unit = char16_t(data[0] | data[1] << 8);
        if (unit == 0xFFFF)
            return data += 2, size -= 2, text;
        text += unit;
    }
    return text;
}

void CheckAddress(const Text& text)
{
    const std::string prefix = "http://h/ISAPI/search.dll?keywords=";
    const std::string address = BuildSearchAddress(prefix, text, WindowsLatin1CodePage());
    if (address.compare(0, prefix.size(), prefix) != 0)
        std::abort();
    for (size_t i = prefix.size(); i < address.size(); ++i) {
        const auto byte = static_cast<unsigned char>(address[i]);
        const bool escape = i + 2 < address.size() && std::isxdigit(static_cast<unsigned char>(address[i + 1])) &&
                            std::isxdigit(static_cast<unsigned char>(address[i + 2]));
        if (byte == '"' || byte == '\\' || byte < 0x20 || byte == 0x7F || (byte == '%' && !escape))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t which = data[0] % 3;
    const auto count = static_cast<int32_t>(static_cast<int8_t>(data[1]));
    data += 2, size -= 2;
    DecodedImage image;
    const bool decoded = which == 0 && DecodeBaselineJpeg(data, size, image);
    if (decoded && image.Pixels.size() != size_t(image.Width) * image.Height)
        std::abort(); // a picture of the size it claims
    if (which == 1)
        CheckAddress(TakeText(data, size, 4096));
    if (which == 2) { // ends, whatever it is asked
        const Text expression = TakeText(data, size, 512), find = TakeText(data, size, 8);
        Replace(expression, find, TakeText(data, size, 8), 1, count, 0);
    }
    return 0;
}
