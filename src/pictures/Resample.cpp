#include "pictures/Resample.h"

#include <algorithm>
#include <cmath>

namespace {

struct Tap {
    int Low, High;  // the two neighbouring source pixels
    int HighWeight; // of 256
};

// For each output position along one axis, where it falls in the source.
std::vector<Tap> Taps(int source, int target)
{
    std::vector<Tap> taps(static_cast<size_t>(target));
    const double scale = static_cast<double>(source) / target;
    for (int i = 0; i < target; ++i) {
        const double at = std::clamp((i + 0.5) * scale - 0.5, 0.0, source - 1.0);
        const int low = static_cast<int>(at);
        taps[static_cast<size_t>(i)] = {low, std::min(low + 1, source - 1),
                                        static_cast<int>(std::lround((at - low) * 256))};
    }
    return taps;
}

uint32_t Blend(uint32_t a, uint32_t b, int weightOfB)
{
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
        out |= static_cast<uint32_t>((ca * (256 - weightOfB) + cb * weightOfB + 128) >> 8) << shift;
    }
    return out;
}

} // namespace

DecodedImage Resample(const DecodedImage& image, int width, int height)
{
    if (width == image.Width && height == image.Height)
        return image;
    if (image.Width <= 0 || image.Height <= 0 || width <= 0 || height <= 0)
        return {};
    DecodedImage out{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height))};
    const std::vector<Tap> columns = Taps(image.Width, width), rows = Taps(image.Height, height);
    const auto at = [&](int x, int y) { return image.Pixels[static_cast<size_t>(y) * image.Width + x]; };
    for (int y = 0; y < height; ++y) {
        const Tap& row = rows[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const Tap& column = columns[static_cast<size_t>(x)];
            const uint32_t top = Blend(at(column.Low, row.Low), at(column.High, row.Low), column.HighWeight);
            const uint32_t bottom = Blend(at(column.Low, row.High), at(column.High, row.High), column.HighWeight);
            out.Pixels[static_cast<size_t>(y) * width + x] = Blend(top, bottom, row.HighWeight);
        }
    }
    return out;
}
