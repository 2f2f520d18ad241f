// Drawing the colour plane with GDI: the block's first 44 bytes are a complete
// BITMAPINFO for the 32-bit bottom-up plane.
#include <windows.h>

#include "core/Image.h"

int CImage::Draw(HDC dc, int x, int y, double scale) const {
    return StretchTo(dc, x, y, int(width_ * scale), int(height_ * scale));
}

int CImage::StretchTo(HDC dc, int x, int y, int w, int h) const {
    return StretchDIBits(dc, x, y, w, h, 0, 0, width_, height_, colour_,
                         static_cast<const BITMAPINFO*>(header_), DIB_RGB_COLORS, SRCCOPY);
}
