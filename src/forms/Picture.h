#pragma once
// Pictures, icons and cursors from bytes compiled into the program.
#include "forms/Handles.h"

struct EmbeddedData;

// A JPEG decoded into a bitmap at its natural size.
ScopedGdiObject DecodeJpeg(const EmbeddedData& jpeg);

// The first image of an .ico or .cur file; a cursor keeps the hot spot its file gives.
ScopedIcon IconFromIcoFile(const EmbeddedData& ico);
ScopedCursor CursorFromCurFile(const EmbeddedData& cur);
