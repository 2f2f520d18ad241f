// Metafile rendering with GDI: the records are converted into an enhanced
// metafile and played onto a display-sized bitmap. The conversion is given
// the picture description Windows assumes by default, MM_ANISOTROPIC at the
// display's size, so the picture's window is stretched over the whole display
// (without one, Wine fits the picture into a frame of its own). First a walk
// over a copy of the records caps what would keep GDI busy for minutes while
// changing nothing visible: pen widths, coordinates far outside the picture's
// window and the number of records.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "formats/FileIo.h"
#include "formats/LittleEndian.h"
#include "formats/Metafile.h"

namespace {

constexpr uint16_t kSetWindowOrg = 0x020B;
constexpr uint16_t kSetWindowExt = 0x020C;
constexpr uint16_t kCreatePen = 0x02FA;
// Coordinates stay within this many window extents of the window: beyond,
// GDI under Wine works for minutes or draws nothing.
constexpr int kReach = 16;
constexpr size_t kHeaderSizeField = 6; // the file's size in words, in the standard header

// Logical units per pixel are smallest where the window extent is: a pen as
// wide as the display's diagonal at that scale covers everything it can.
int MaxPenWidth(const uint8_t* records, size_t size, int w, int h) {
    int smallestX = w, smallestY = h; // without an extent, a unit is about a pixel
    size_t offset = kMetaHeaderBytes;
    MetaRecord r;
    while (ReadMetaRecord(records, size, offset, r) && r.function != kMetaEndRecord) {
        if (r.function != kSetWindowExt || r.paramBytes < 4) continue;
        const int y = std::abs(int16_t(GetLe16(r.params))), x = std::abs(int16_t(GetLe16(r.params + 2)));
        if (x > 0 && x < smallestX) smallestX = x;
        if (y > 0 && y < smallestY) smallestY = y;
    }
    const double pixelsPerUnit = std::fmax(double(w) / smallestX, double(h) / smallestY);
    const double width = std::ceil(std::hypot(w, h) / pixelsPerUnit);
    return width < 1 ? 1 : (width > 32767 ? 32767 : int(width));
}

// The window as the records set it, and the range of coordinates kept.
struct Window {
    int org[2] = {0, 0}, ext[2] = {0, 0}; // x, y; no extent yet: nothing clamped
    int size[2];                            // the canvas
    void Clamp(uint8_t* word, int axis) const {
        if (ext[axis] == 0) return;
        const int reach = kReach * std::abs(ext[axis]);
        const int low = std::max(-32768, std::min(org[axis], org[axis] + ext[axis]) - reach);
        const int high = std::min(32767, std::max(org[axis], org[axis] + ext[axis]) + reach);
        const int v = int16_t(GetLe16(word));
        if (v < low || v > high) PutLe16(word, uint16_t(int16_t(v < low ? low : high)));
    }
    // A coordinate on the canvas, in pixels (about one per unit without an extent).
    double Device(int v, int axis) const {
        return ext[axis] == 0 ? v : double(v - org[axis]) * size[axis] / ext[axis];
    }
};

// Where a drawing record's coordinates are (the first word, how many, x, y
// pairs or y, x) and whether it fills the area they span or draws lines.
struct Coordinates {
    size_t first, count;
    bool xFirst, filled;
};

bool CoordinatesOf(const MetaRecord& r, Coordinates& c) {
    const size_t words = r.paramBytes / 2;
    const auto word = [&](size_t i) { return i < words ? size_t(GetLe16(r.params + 2 * i)) : 0; };
    switch (r.function) {
    case 0x0213: case 0x0214: // line to, move to
        c = {0, words, false, false};
        return true;
    case 0x041B: case 0x0418: case 0x0817: case 0x081A: case 0x0830: // boxes, arcs
        c = {0, words, false, true};
        return true;
    case 0x061C: // round rectangle: the corner's size, then the box
        c = {2, words < 2 ? 0 : words - 2, false, true};
        return true;
    case 0x0324: case 0x0325: // polygon, polyline: count, then x, y pairs
        c = {1, 2 * word(0), true, r.function == 0x0324};
        return true;
    case 0x0538: { // poly-polygon: count, counts, then x, y pairs
        size_t points = 0;
        for (size_t i = 0; i < word(0); ++i)
            points += word(1 + i);
        c = {1 + word(0), 2 * points, true, true};
        return true;
    }
    default:
        return false;
    }
}

// What drawing the records may cost GDI under Wine, in units of painting a
// pixel, roughly: a line its length times the widest pen so far; a filled
// shape the box its points span on the canvas, its outline, and for polygons
// every edge tested on every row; each record some fixed work too, and more
// for one that makes an object.
class WorkEstimate {
  public:
    explicit WorkEstimate(const Window& window) : window_(window) {}
    void Pen(int width) { widestPen_ = std::max(widestPen_, std::abs(width)); }
    double Add(const uint8_t* params, size_t words, uint16_t function, const Coordinates& c) {
        work_ += CreatesMetaObject(function) ? kObjectWork : kRecordWork;
        const double w = window_.size[0], h = window_.size[1];
        const double pen =
            std::max(1.0, widestPen_ * std::fabs(window_.Device(1, 0) - window_.Device(0, 0)));
        double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300, lines = 0;
        size_t points = 0;
        for (size_t i = 0; i + 1 < c.count && c.first + i + 1 < words; i += 2, ++points) {
            const int a = int16_t(GetLe16(params + 2 * (c.first + i)));
            const int b = int16_t(GetLe16(params + 2 * (c.first + i + 1)));
            const double x = window_.Device(c.xFirst ? a : b, 0);
            const double y = window_.Device(c.xFirst ? b : a, 1);
            if (i > 0 || function == 0x0213)
                lines += std::min(std::fabs(x - at_[0]) + std::fabs(y - at_[1]), w + h);
            at_[0] = x, at_[1] = y;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
        if (c.filled && left <= right) {
            const double across = std::clamp(right, 0.0, w) - std::clamp(left, 0.0, w);
            const double rows = std::clamp(bottom, 0.0, h) - std::clamp(top, 0.0, h);
            work_ += across * rows + kEdgeRowWork * double(points) * rows;
            lines += 2 * (across + rows);
        }
        return work_ += lines * pen;
    }

  private:
    static constexpr double kRecordWork = 4096;
    static constexpr double kObjectWork = 65536; // making a GDI object: up to tens of microseconds
    static constexpr double kEdgeRowWork = 128;
    const Window& window_;
    int widestPen_ = 0;
    double at_[2] = {0, 0}; // the current position, for the next line
    double work_ = 0;
};

// Caps pen widths and coordinates, and ends the records once the estimated
// work passes that of painting the canvas kCanvases times (GDI under Wine
// paints a display-sized canvas in about 0.3 ms, so about a second); size
// becomes the length of what remains.
void CapRecords(uint8_t* records, size_t& size, int w, int h) {
    constexpr double kCanvases = 4000;
    const int maxWidth = MaxPenWidth(records, size, w, h);
    size_t offset = kMetaHeaderBytes;
    MetaRecord r;
    Window window;
    window.size[0] = w, window.size[1] = h;
    WorkEstimate estimate(window);
    for (size_t at = offset; ReadMetaRecord(records, size, offset, r); at = offset) {
        if (r.function == kMetaEndRecord) return;
        uint8_t* params = records + (r.params - records);
        const size_t words = r.paramBytes / 2;
        if ((r.function == kSetWindowOrg || r.function == kSetWindowExt) && words >= 2) {
            int* target = r.function == kSetWindowOrg ? window.org : window.ext;
            target[0] = int16_t(GetLe16(params + 2));
            target[1] = int16_t(GetLe16(params));
        }
        if (r.function == kCreatePen && words >= 2) {
            uint8_t* width = params + 2;
            if (std::abs(int16_t(GetLe16(width))) > maxWidth) PutLe16(width, uint16_t(maxWidth));
            estimate.Pen(int16_t(GetLe16(width)));
        }
        Coordinates c;
        const bool draws = CoordinatesOf(r, c);
        if (draws)
            for (size_t i = 0; i < c.count && c.first + i < words; ++i)
                window.Clamp(params + 2 * (c.first + i), (i % 2 == 0) == c.xFirst ? 0 : 1);
        if (estimate.Add(params, words, r.function, draws ? c : Coordinates{0, 0, true, false}) >
            kCanvases * w * h) {
            PutLe32(records + at, 3);
            PutLe16(records + at + 4, kMetaEndRecord);
            size = at + 6;
            PutLe32(records + kHeaderSizeField, uint32_t(size / 2));
            return;
        }
    }
}

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
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    const int w = GetDeviceCaps(screen, HORZRES), h = GetDeviceCaps(screen, VERTRES);
    METAFILEPICT description = {MM_ANISOTROPIC, GetDeviceCaps(screen, HORZSIZE) * 100,
                                GetDeviceCaps(screen, VERTSIZE) * 100, nullptr};
    ReleaseDC(nullptr, screen);
    ByteBlock records;
    size_t recordBytes = size - kPlaceableHeaderBytes;
    if (w < 1 || h < 1 || !records.Allocate(recordBytes)) return false;
    std::memcpy(records.data.get(), data + kPlaceableHeaderBytes, recordBytes);
    CapRecords(records.data.get(), recordBytes, w, h);
    HENHMETAFILE picture =
        SetWinMetaFileBits(UINT(recordBytes), records.data.get(), nullptr, &description);
    if (!picture) return false;
    ENHMETAHEADER header = {};
    bool result = false;
    if (GetEnhMetaFileHeader(picture, sizeof header, &header) != 0) {
        const LONG pw = header.szlDevice.cx, ph = header.szlDevice.cy;
        if (pw > 0 && ph > 0) result = RenderOnDisplayBitmap(image, picture, pw, ph);
    }
    DeleteEnhMetaFile(picture);
    return result;
}
