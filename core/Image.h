// CImage: the one in-memory picture type.
//
// One zero-initialised block of 44 + 8 x width x height bytes: a 40-byte
// BITMAPINFOHEADER (32 bits, bottom-up), 4 zero bytes, the colour plane
// (0x00RRGGBB per pixel) and the auxiliary plane (Y, Cr, Cb in bits 16-23,
// 8-15, 0-7). Planes are indexed x + y * width; row 0 is the bottom row.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
struct HDC__;
struct HBITMAP__;
#endif

struct FilterKernel;

class CImage {
public:
    CImage();
    CImage(const CImage& other);
    CImage& operator=(const CImage& other);
    ~CImage();

    // Gives the image the size w x h with both planes zero. False (and no change)
    // on a negative size or when the block cannot be allocated.
    bool Create(int32_t w, int32_t h);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    void* Header() const { return header_; }
    uint32_t* Bits() const { return colour_; }
    uint32_t* AuxBits() const { return aux_; }
    size_t PixelCount() const { return size_t(width_) * size_t(height_); }

    bool Inside(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

    uint32_t GetPixel(int32_t x, int32_t y) const {
        return Inside(x, y) ? colour_[Index(x, y)] : 0;
    }
    bool SetPixel(int32_t x, int32_t y, uint32_t v) {
        if (!Inside(x, y)) return false;
        colour_[Index(x, y)] = v;
        return true;
    }
    uint8_t GetR(int32_t x, int32_t y) const { return uint8_t(GetPixel(x, y) >> 16); }
    uint8_t GetG(int32_t x, int32_t y) const { return uint8_t(GetPixel(x, y) >> 8); }
    uint8_t GetB(int32_t x, int32_t y) const { return uint8_t(GetPixel(x, y)); }
    bool SetR(int32_t x, int32_t y, int32_t v) { return SetByte(colour_, x, y, v, 16); }
    bool SetG(int32_t x, int32_t y, int32_t v) { return SetByte(colour_, x, y, v, 8); }
    bool SetB(int32_t x, int32_t y, int32_t v) { return SetByte(colour_, x, y, v, 0); }
    uint8_t GetLuminance(int32_t x, int32_t y) const;

    uint32_t GetAux(int32_t x, int32_t y) const { return Inside(x, y) ? aux_[Index(x, y)] : 0; }
    uint8_t GetY(int32_t x, int32_t y) const { return uint8_t(GetAux(x, y) >> 16); }
    uint8_t GetCr(int32_t x, int32_t y) const { return uint8_t(GetAux(x, y) >> 8); }
    uint8_t GetCb(int32_t x, int32_t y) const { return uint8_t(GetAux(x, y)); }
    bool SetY(int32_t x, int32_t y, int32_t v) { return SetByte(aux_, x, y, v, 16); }
    bool SetCr(int32_t x, int32_t y, int32_t v) { return SetByte(aux_, x, y, v, 8); }
    bool SetCb(int32_t x, int32_t y, int32_t v) { return SetByte(aux_, x, y, v, 0); }

    // Exchanges the two images' blocks (no copy).
    void Swap(CImage& other) noexcept;

    bool CopyFrom(const CImage* other);
    bool CopyColorsFrom(const CImage* other);
    bool ClearReservedBytes();
    int32_t CountColors() const;

    // Colour-space conversion between the planes.
    void RgbToYcc();
    void YccToRgb();

    // Neighbourhood and geometric operations that are members of the image.
    bool ApplyFilter3x3(const FilterKernel& kernel);
    bool MedianFilter();
    bool Blur(int32_t range, double centreWeight);
    bool UnsharpMask(int32_t range, double strength);
    bool SmoothAt(int32_t x, int32_t y, int32_t radius, int32_t centreWeight);
    bool Trim(int32_t x, int32_t y, int32_t w, int32_t h);
    bool Resample(int32_t w, int32_t h);

#ifdef _WIN32
    bool FromBitmapHandle(HBITMAP__* bitmap);
    int Draw(HDC__* dc, int x, int y, double scale) const;
    int StretchTo(HDC__* dc, int x, int y, int w, int h) const;
#endif

    // Size in bytes of the image block for w x h, or 0 when it does not fit in
    // 64 bits (or w or h is negative).
    static uint64_t BlockSize(int32_t w, int32_t h);

private:
    size_t Index(int32_t x, int32_t y) const { return size_t(x) + size_t(y) * size_t(width_); }
    bool SetByte(uint32_t* plane, int32_t x, int32_t y, int32_t v, int shift) {
        if (!Inside(x, y)) return false;
        uint32_t c = uint32_t(v < 0 ? 0 : (v > 255 ? 255 : v));
        uint32_t& word = plane[Index(x, y)];
        word = (word & (0x00FFFFFFu & ~(0xFFu << shift))) | (c << shift);
        return true;
    }
    void PointInto(uint8_t* block, int32_t w, int32_t h);

    int32_t width_ = 0;
    int32_t height_ = 0;
    void* header_ = nullptr;
    uint32_t* colour_ = nullptr;
    uint32_t* aux_ = nullptr;
    uint8_t* block_ = nullptr;
    size_t blockBytes_ = 0; // what was allocated; Trim may leave the block larger than needed
};

// Clamps an int to a channel value, as the setters do.
inline uint32_t ClampChannel(int32_t v) { return uint32_t(v < 0 ? 0 : (v > 255 ? 255 : v)); }
