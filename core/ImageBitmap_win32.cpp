// CImage::FromBitmapHandle: the pixels of a device-dependent bitmap, read as a
// 32-bit bottom-up DIB. The image is replaced only once every pixel is in.
#include <windows.h>

#include <cstring>

#include "core/Image.h"

bool CImage::FromBitmapHandle(HBITMAP__* bitmap) {
    if (!bitmap) return false;
    BITMAP description = {};
    if (GetObjectA(bitmap, sizeof description, &description) == 0) return false;
    const LONG w = description.bmWidth, h = description.bmHeight;
    if (w < 1 || h < 1) return false;
    CImage result;
    if (!result.Create(w, h)) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h; // positive: rows come bottom-up, as in the colour plane
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    const int rows = GetDIBits(screen, bitmap, 0, UINT(h), result.Bits(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != h) return false;
    result.ClearReservedBytes(); // GDI may leave anything in the fourth byte
    Swap(result);
    return true;
}
