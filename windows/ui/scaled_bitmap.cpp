#include "ui/scaled_bitmap.h"

#include "ui/dpi_scale.h"

namespace revaze {

ScaledBitmap LoadScaledBitmap(HINSTANCE instance, const wchar_t* name96, int twoDigits, int dpi) {
    ScaledBitmap loaded;
    const int drawnFor = bitmapDpiFor(dpi);
    if (drawnFor != kBaseDpi) {
        loaded.bitmap.reset(static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(scaledBitmapId(twoDigits, drawnFor)),
                       IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        loaded.dpi = drawnFor;
    }
    if (!loaded.bitmap) {
        loaded.bitmap.reset(static_cast<HBITMAP>(
            LoadImageW(instance, name96, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        loaded.dpi = kBaseDpi;
    }
    return loaded;
}

void DrawScaled(HDC dc, int dpi, int destX, int destY, HDC source, int sourceDpi, int sourceX,
                int sourceY, int w, int h) {
    const ScaledSpan dx = scaleSpan(destX, w, dpi);
    const ScaledSpan dy = scaleSpan(destY, h, dpi);
    const ScaledSpan sx = scaleSpan(sourceX, w, sourceDpi);
    const ScaledSpan sy = scaleSpan(sourceY, h, sourceDpi);
    if (dx.length == sx.length && dy.length == sy.length) {
        BitBlt(dc, dx.start, dy.start, dx.length, dy.length, source, sx.start, sy.start, SRCCOPY);
        return;
    }
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, dx.start, dy.start, dx.length, dy.length, source, sx.start, sy.start, sx.length,
               sy.length, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

} // namespace revaze
