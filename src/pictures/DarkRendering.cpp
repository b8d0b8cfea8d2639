#include "pictures/DarkRendering.h"

#include <algorithm>

void ToDarkRendering(uint32_t* pixels, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const int red = pixels[i] >> 16 & 255, green = pixels[i] >> 8 & 255, blue = pixels[i] & 255;
        // The luma of JFIF's YCbCr (0.299, 0.587, 0.114) in eighths of a per cent: moving every
        // channel by the same amount keeps Cb and Cr, so the colour stays where it was on the
        // wheel while its luma goes from y to 255 - y.
        const int luma = (77 * red + 150 * green + 29 * blue + 128) >> 8;
        const int shift = 255 - 2 * luma;
        const auto moved = [&](int channel) { return static_cast<uint32_t>(std::clamp(channel + shift, 0, 255)); };
        pixels[i] = moved(red) << 16 | moved(green) << 8 | moved(blue);
    }
}
