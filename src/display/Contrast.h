#pragma once
// Whether a text colour reads against a background, as the Web Content Accessibility Guidelines
// measure it: the ratio of the two colours' relative luminances, each plus 0.05. Colours are
// 0x00BBGGRR, as Windows has them. Portable: no Windows header.
#include <cstdint>
#include <span>

double RelativeLuminance(uint32_t colour);
double ContrastRatio(uint32_t first, uint32_t second);

// 4.5:1 for text, 3:1 for large text (18 points, or 14 points bold).
bool Reads(uint32_t text, uint32_t background, bool large);
inline bool IsLargeText(int pointsX100, bool bold) { return pointsX100 >= 1800 || (bold && pointsX100 >= 1400); }

// The first of the candidates that reads against the background; where none does, the one that
// comes closest.
uint32_t FirstReadable(std::span<const uint32_t> candidates, uint32_t background, bool large);

// The colour itself where it reads against the background; else a mix of it with white (on a dark
// background) or black (on a light one), in sixteenths: one past the nearest that reads.
uint32_t ReadableShade(uint32_t colour, uint32_t background, bool large);
