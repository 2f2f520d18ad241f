// Metafile rendering with GDI: the records are converted into an enhanced
// metafile without a reference device or picture description, so GDI scales
// the picture to the whole display, and played onto a display-sized bitmap.
#include <windows.h>

#include "formats/Metafile.h"

namespace {

// Plays the metafile onto a new display-compatible bitmap of w x h and takes
// its pixels. The bitmap is not cleared first.
bool RenderOnDisplayBitmap(CImage& image, HENHMETAFILE picture, int w, int h) {
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    bool result = false;
    if (bitmap && memory) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        RECT frame = {0, 0, w, h};
        PlayEnhMetaFile(memory, picture, &frame);
        SelectObject(memory, previous);
        result = image.FromBitmapHandle(bitmap);
    }
    if (memory) DeleteDC(memory);
    if (bitmap) DeleteObject(bitmap);
    return result;
}

} // namespace

bool DecodeMetafile(CImage& image, const uint8_t* data, size_t size) {
    if (!ValidMetafile(data, size) || size - kPlaceableHeaderBytes > UINT_MAX) return false;
    HENHMETAFILE picture = SetWinMetaFileBits(UINT(size - kPlaceableHeaderBytes),
                                              data + kPlaceableHeaderBytes, nullptr, nullptr);
    if (!picture) return false;
    ENHMETAHEADER header = {};
    bool result = false;
    if (GetEnhMetaFileHeader(picture, sizeof header, &header) != 0) {
        const LONG w = header.szlDevice.cx, h = header.szlDevice.cy;
        if (w > 0 && h > 0) result = RenderOnDisplayBitmap(image, picture, w, h);
    }
    DeleteEnhMetaFile(picture);
    return result;
}
