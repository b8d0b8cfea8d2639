#pragma once
// A decoder for the program's own pictures: baseline JPEG (Huffman, 8-bit, one to three
// components, any sampling of 1 or 2), which is all the platform's decoders would be asked
// for, at a fraction of the cost of loading one of them. Portable: no Windows header.
#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels; // 0x00RRGGBB, rows top to bottom
};

// False for anything that is not a well-formed baseline JPEG of at most 1024 x 1024 pixels;
// never reads outside `data`.
bool DecodeBaselineJpeg(const unsigned char* data, size_t size, DecodedImage& image);

// The same, decoding into a buffer of width x height pixels that `target` gives once the size is
// known (a bitmap's own bits, say, which saves a copy); a null buffer refuses the picture.
using PixelTarget = uint32_t* (*)(int width, int height, void* context);
bool DecodeBaselineJpeg(const unsigned char* data, size_t size, PixelTarget target, void* context);
