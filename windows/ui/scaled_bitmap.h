// The window bitmaps at the scale a window draws at: each is drawn at 96, 120, 144 and 192 DPI
// by the bitmap scripts, and copied pixel for pixel where the window's DPI is one of those
// (Windows only).
#pragma once

#include <windows.h>

#include "ui/gdi.h"

namespace revaze {

struct ScaledBitmap {
    Bitmap bitmap;
    int dpi = 96; // the DPI it was drawn for
};

// The bitmap of resource `name96` (drawn at 96 DPI), in the version a window at `dpi` draws
// from: scaledBitmapId(twoDigits, bitmapDpiFor(dpi)). A missing version falls back to the
// 96-DPI one.
ScaledBitmap LoadScaledBitmap(HINSTANCE instance, const wchar_t* name96, int twoDigits, int dpi);

// Copies the rectangle x, y, w, h of `source` to x', y' of `dc`, all in 96-DPI pixels: the
// source is drawn at sourceDpi, the destination at dpi. Equal DPIs copy pixel for pixel; others
// shrink (or, beyond the largest bitmap, enlarge) with halftone.
void DrawScaled(HDC dc, int dpi, int destX, int destY, HDC source, int sourceDpi, int sourceX,
                int sourceY, int w, int h);

} // namespace revaze
