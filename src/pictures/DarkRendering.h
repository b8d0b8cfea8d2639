#pragma once
// A decorative picture's dark rendering, drawn in dark mode in its place: each pixel's lightness
// turned around, light to dark and dark to light, its hue and colourfulness kept, so the picture
// keeps its design (a pale sky becomes a night one, a dark title a light one). Portable: no
// Windows header.
#include <cstddef>
#include <cstdint>

// Pixels 0x00RRGGBB, in place.
void ToDarkRendering(uint32_t* pixels, size_t count);
