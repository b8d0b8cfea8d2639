#include "forms/Contrast.h"

#include <cmath>

double RelativeLuminance(uint32_t colour)
{
    const auto linear = [](uint32_t channel) {
        const double c = static_cast<double>(channel & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
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
