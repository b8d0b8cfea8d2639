#pragma once
// resources/: the resource script, the manifest, and the pictures, icons and cursor the program
// carries, with the script that draws them. Here: the bytes compiled into the program (pictures,
// the examples window's icon, the hand cursor).
#include <cstddef>

struct EmbeddedData {
    const unsigned char* Bytes;
    size_t Size;
};

extern const EmbeddedData SearchBackgroundJpeg; // the search window's background, 422 x 226
extern const EmbeddedData ExamplesBannerJpeg;   // the examples window's sponsor banner, 143 x 62
extern const EmbeddedData ExamplesIcon;         // .ico, 32 x 32, 16 colours
extern const EmbeddedData HandCursor;           // .cur, 32 x 32, 16 colours, hot spot (12, 1)
