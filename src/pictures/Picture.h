#pragma once
// pictures/: pictures, icons and cursors from bytes compiled into the program, made at the size a
// window's DPI asks for; the JPEG decoder in its stages, and scaling.
#include "platform/Handles.h"

struct EmbeddedData;

// A JPEG decoded and drawn smoothly into a bitmap of width x height pixels; at the picture's
// natural size the pixels are the decoded ones. Dark: its dark rendering (DarkRendering.h).
ScopedGdiObject PictureOfSize(const EmbeddedData& jpeg, int width, int height, bool dark = false);

// The average colour of a picture made here over an area of it (clipped to the picture), as a
// COLORREF; black where the area holds none of it.
COLORREF AverageColour(HBITMAP picture, RECT area);

// The first image of an .ico or .cur file at size x size pixels; a cursor keeps its hot spot
// where its file puts it, scaled with the image.
ScopedIcon IconFromIcoFile(const EmbeddedData& ico, int size);
ScopedCursor CursorFromCurFile(const EmbeddedData& cur, int size);
