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
