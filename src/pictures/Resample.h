#pragma once
// Pictures drawn into boxes of another size: bilinear resampling, each output pixel's centre
// mapped back into the source, so an image asked for at its own size comes back unchanged.
// Portable: no Windows header.
#include "pictures/Jpeg.h"

DecodedImage Resample(const DecodedImage& image, int width, int height);
