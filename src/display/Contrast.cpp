#include "display/Contrast.h"

namespace {

// x to the power 2.4, for x in (0, 1]: x squared times the square of its fifth root, found by
// Newton's method. The library's pow would bring its whole family into the program for this.
double PowerOf2Point4(double x)
{
    double root = 1;
    for (int step = 0; step < 16; ++step)
        root = (4 * root + x / (root * root * root * root)) / 5;
    return x * x * root * root;
}

} // namespace

double RelativeLuminance(uint32_t colour)
{
    const auto linear = [](uint32_t channel) {
        const double c = static_cast<double>(channel & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : PowerOf2Point4((c + 0.055) / 1.055);
    };
    return 0.2126 * linear(colour) + 0.7152 * linear(colour >> 8) + 0.0722 * linear(colour >> 16);
}

double ContrastRatio(uint32_t first, uint32_t second)
{
    const double a = RelativeLuminance(first) + 0.05, b = RelativeLuminance(second) + 0.05;
    return a > b ? a / b : b / a;
}

bool Reads(uint32_t text, uint32_t background, bool large)
{
    return ContrastRatio(text, background) >= (large ? 3.0 : 4.5);
}

uint32_t FirstReadable(std::span<const uint32_t> candidates, uint32_t background, bool large)
{
    uint32_t best = candidates.front();
    for (uint32_t candidate : candidates) {
        if (Reads(candidate, background, large))
            return candidate;
        if (ContrastRatio(candidate, background) > ContrastRatio(best, background))
            best = candidate;
    }
    return best;
}

uint32_t ReadableShade(uint32_t colour, uint32_t background, bool large)
{
    // White and black read equally well on a luminance of about 0.18: below, white reads better.
    const uint32_t towards = RelativeLuminance(background) < 0.18 ? 0xFFFFFF : 0x000000;
    const auto shade = [&](uint32_t step) {
        uint32_t mixed = 0;
        for (int shift : {0, 8, 16}) {
            const uint32_t from = colour >> shift & 0xFF, to = towards >> shift & 0xFF;
            mixed |= (from * (16 - step) + to * step + 8) / 16 << shift;
        }
        return mixed;
    };
    if (Reads(colour, background, large))
        return colour;
    // One sixteenth past the first mix that reads: a picture under the caption is not one colour,
    // and its lighter parts must not take the caption below the rule.
    for (uint32_t step = 1; step < 16; ++step) {
        if (Reads(shade(step), background, large))
            return shade(step + 1);
    }
    return towards;
}
