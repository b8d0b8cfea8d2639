// Whatever the bytes, the decoder ends without reading or writing outside its buffers (the
// sanitizers watch), and what it accepts has the size it claims.
#include <cstdlib>

#include "forms/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedImage image;
    if (DecodeBaselineJpeg(data, size, image) &&
        image.Pixels.size() != static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height))
        std::abort();
    return 0;
}
