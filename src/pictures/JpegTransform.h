#pragma once
// The last stage of decoding a picture: each block's coefficients back to samples through the
// inverse transform, and the components' samples to pixels. Portable: no Windows header.
#include <cstdint>

#include "pictures/JpegTables.h"

// The block (coefficients in their places, times the quantizers) as 8 x 8 samples written to out,
// rows stride apart.
void InverseTransform(const int16_t block[64], const uint16_t quant[64], uint8_t* out, int stride);
// The frame's samples as 0x00RRGGBB pixels, rows top to bottom: grey from one component, JFIF's
// YCbCr from three.
void ConvertToPixels(const JpegFrame& frame, uint32_t* pixels);
