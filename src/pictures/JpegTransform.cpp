#include "pictures/JpegTransform.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Rounded to the nearest and held within a byte; a cast rather than lround, which is a library
// call per sample.
uint8_t Clamped(float v) { return v <= 0 ? 0 : v >= 255 ? 255 : static_cast<uint8_t>(v + 0.5f); }

} // namespace

void InverseTransform(const int16_t block[64], const uint16_t quant[64], uint8_t* out, int stride)
{
    // The separable inverse DCT as defined: 8 x 8 x 8 products a pass, exact enough and quick
    // for pictures of this size.
    static const std::array<float, 64> basis = [] {
        std::array<float, 64> b{};
        for (int x = 0; x < 8; ++x)
            for (int u = 0; u < 8; ++u)
                b[static_cast<size_t>(x * 8 + u)] = static_cast<float>(
                    (u == 0 ? std::sqrt(0.5) : 1.0) * std::cos((2 * x + 1) * u * 3.14159265358979323846 / 16) / 2);
        return b;
    }();
    // Coefficients past the last non-zero row and column add nothing, and most blocks keep only
    // their lowest frequencies: the products stop there.
    int rows = 0, columnsUsed = 0;
    for (int i = 0; i < 64; ++i) {
        if (block[i])
            rows = std::max(rows, i / 8 + 1), columnsUsed = std::max(columnsUsed, i % 8 + 1);
    }
    float columns[64];
    for (int u = 0; u < columnsUsed; ++u) {
        for (int y = 0; y < 8; ++y) {
            float sum = 0;
            for (int v = 0; v < rows; ++v)
                sum += basis[static_cast<size_t>(y * 8 + v)] * static_cast<float>(block[v * 8 + u] * quant[v * 8 + u]);
            columns[y * 8 + u] = sum;
        }
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            float sum = 0;
            for (int u = 0; u < columnsUsed; ++u)
                sum += basis[static_cast<size_t>(x * 8 + u)] * columns[y * 8 + u];
            out[y * stride + x] = Clamped(sum + 128);
        }
    }
}

void ConvertToPixels(const JpegFrame& frame, uint32_t* pixel)
{
    // A subsampled plane has one sample for two pixels: the nearest is taken.
    const auto row = [&](const Component& c, int y) {
        return c.Samples.data() + static_cast<size_t>(c.V < frame.VMax ? y / 2 : y) * static_cast<size_t>(c.BlocksWide * 8);
    };
    const auto shift = [&](const Component& c) { return c.H < frame.HMax ? 1 : 0; };
    const Component& luma = frame.Components[0];
    for (int y = 0; y < frame.Height; ++y) {
        const uint8_t* l = row(luma, y);
        const int ls = shift(luma);
        if (frame.Components.size() != 3) {
            for (int x = 0; x < frame.Width; ++x)
                *pixel++ = l[x >> ls] * 0x010101u;
            continue;
        }
        const uint8_t *b = row(frame.Components[1], y), *r = row(frame.Components[2], y);
        const int bs = shift(frame.Components[1]), rs = shift(frame.Components[2]);
        for (int x = 0; x < frame.Width; ++x) {
            // JFIF's YCbCr to RGB in 16-bit fixed point, each channel rounded as libjpeg rounds it:
            // the half added after the products, so that grey stays grey.
            const int lum = l[x >> ls], cb = b[x >> bs] - 128, cr = r[x >> rs] - 128;
            const int red = lum + ((91881 * cr + 32768) >> 16);
            const int green = lum + ((-22554 * cb - 46802 * cr + 32768) >> 16);
            const int blue = lum + ((116130 * cb + 32768) >> 16);
            *pixel++ = static_cast<uint32_t>(std::clamp(red, 0, 255) << 16 | std::clamp(green, 0, 255) << 8 |
                                             std::clamp(blue, 0, 255));
        }
    }
}
