#include "tests/ops/filters/NeighbourhoodReference.h"

#include <algorithm>
#include <vector>

namespace reference {

namespace {

uint8_t Channel(const CImage& image, int32_t x, int32_t y, int c) {
    return c == 0 ? image.GetR(x, y) : c == 1 ? image.GetG(x, y) : image.GetB(x, y);
}

void SetChannel(CImage& image, int32_t x, int32_t y, int c, int64_t v) {
    const int32_t clamped = int32_t(std::clamp<int64_t>(v, -1, 256)); // the setter clamps
    if (c == 0) image.SetR(x, y, clamped);
    if (c == 1) image.SetG(x, y, clamped);
    if (c == 2) image.SetB(x, y, clamped);
}

} // namespace

bool ApplyFilter3x3(CImage& image, const FilterKernel& kernel) {
    if (kernel.divisor == 0 || kernel.divisor > 999) return false;
    const int32_t w = image.Width(), h = image.Height();
    std::vector<uint32_t> buffer(size_t(w) * size_t(h));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            buffer[size_t(x) + size_t(y) * w] = image.GetPixel(x, y);
    for (int32_t y = 1; y <= h - 2; ++y)
        for (int32_t x = 1; x <= w - 2; ++x) {
            uint32_t word = 0;
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int k = 0; k <= 2; ++k)
                    for (int l = 0; l <= 2; ++l)
                        sum += kernel.coefficients[3 * k + l] *
                               Channel(image, x + l - 1, y + k - 1, c);
                double value = sum / kernel.divisor + kernel.addend;
                if (value < 0) value = 0;
                if (value > 255) value = 255;
                word |= uint32_t(int32_t(value)) << (16 - 8 * c);
            }
            buffer[size_t(x) + size_t(y) * w] = word;
        }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            image.SetPixel(x, y, buffer[size_t(x) + size_t(y) * w]);
    return true;
}

void Emboss(CImage& image) {
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const uint8_t l = image.GetLuminance(x, y);
            image.SetR(x, y, l);
            image.SetG(x, y, l);
            image.SetB(x, y, l);
        }
    FilterKernel kernel;
    kernel.coefficients[2] = 1;
    kernel.coefficients[6] = -1;
    kernel.addend = 128;
    kernel.divisor = 1;
    ApplyFilter3x3(image, kernel);
}

void MedianFilter(CImage& image) {
    const CImage copy(image);
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            int32_t list[9];
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const bool inside = copy.Inside(x + dx, y + dy);
                    list[3 * (dy + 1) + dx + 1] = inside ? copy.GetLuminance(x + dx, y + dy) : -1;
                    n += inside;
                }
            std::sort(list, list + 9);
            const int32_t chosen = list[4 + n / 2];
            bool found = false;
            uint32_t colour = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (copy.Inside(x + dx, y + dy) &&
                        copy.GetLuminance(x + dx, y + dy) == chosen) {
                        colour = copy.GetPixel(x + dx, y + dy);
                        found = true;
                        break; // the search goes on with the next row
                    }
            if (!found) continue; // single row or column: the pixel is kept
            image.SetR(x, y, int32_t(colour >> 16 & 0xFF));
            image.SetG(x, y, int32_t(colour >> 8 & 0xFF));
            image.SetB(x, y, int32_t(colour & 0xFF));
        }
}

void Blur(CImage& image, int32_t r, double w) {
    const CImage copy(image);
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            long double sum[3] = {0, 0, 0};
            long double weightSum = 0;
            for (int32_t dy = -r; dy <= r; ++dy)
                for (int32_t dx = -r; dx <= r; ++dx) {
                    if (dx == 0 && dy == 0) {
                        for (int c = 0; c < 3; ++c)
                            sum[c] += w * Channel(copy, x, y, c);
                        weightSum += w;
                    } else if (copy.Inside(x + dx, y + dy)) {
                        for (int c = 0; c < 3; ++c)
                            sum[c] += Channel(copy, x + dx, y + dy, c);
                        weightSum += 1;
                    }
                }
            if (weightSum > 0)
                for (int c = 0; c < 3; ++c)
                    SetChannel(image, x, y, c, static_cast<int64_t>(sum[c] / weightSum));
        }
}

void UnsharpMask(CImage& image, int32_t r, double s) {
    const int32_t w = image.Width(), h = image.Height();
    std::vector<uint32_t> blurred(size_t(w) * size_t(h));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            int64_t sum[3] = {0, 0, 0}, weightSum = 0;
            for (int32_t dy = -r; dy <= r; ++dy)
                for (int32_t dx = -r; dx <= r; ++dx) {
                    if (!image.Inside(x + dx, y + dy)) continue;
                    const int32_t weight = std::max(1, 4 - dx * dx - dy * dy);
                    for (int c = 0; c < 3; ++c)
                        sum[c] += weight * Channel(image, x + dx, y + dy, c);
                    weightSum += weight;
                }
            blurred[size_t(x) + size_t(y) * w] = uint32_t(sum[0] / weightSum) << 16 |
                                                 uint32_t(sum[1] / weightSum) << 8 |
                                                 uint32_t(sum[2] / weightSum);
        }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                const int32_t v = Channel(image, x, y, c);
                const int32_t b = (blurred[size_t(x) + size_t(y) * w] >> (16 - 8 * c)) & 0xFF;
                SetChannel(image, x, y, c, static_cast<int64_t>(s * (v - b) + v));
            }
}

int32_t ColourDistanceSquared(uint32_t a, uint32_t b) {
    int32_t total = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t d = int32_t(a >> shift & 0xFF) - int32_t(b >> shift & 0xFF);
        total += d * d;
    }
    return total;
}

void AddOutline(CImage& image, int32_t t, uint32_t colour) {
    CImage copy(image);
    const int64_t limit = int64_t(t) * t;
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            int32_t m = 0;
            const int32_t dxs[4] = {-1, 1, 0, 0}, dys[4] = {0, 0, -1, 1};
            for (int i = 0; i < 4; ++i)
                if (image.Inside(x + dxs[i], y + dys[i]))
                    m = std::max(m, ColourDistanceSquared(image.GetPixel(x, y),
                                                          image.GetPixel(x + dxs[i], y + dys[i])));
            if (m > limit) copy.SetPixel(x, y, colour);
        }
    image.CopyColorsFrom(&copy);
}

void Antialias(CImage& image, int32_t t) {
    CImage copy(image);
    const int64_t limit = int64_t(t) * t;
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            bool smooth = false;
            for (int dy = -1; dy <= 1 && !smooth; ++dy)
                for (int dx = -1; dx <= 1 && !smooth; ++dx)
                    smooth = !(dx == 0 && dy == 0) && image.Inside(x + dx, y + dy) &&
                             ColourDistanceSquared(image.GetPixel(x, y),
                                                   image.GetPixel(x + dx, y + dy)) > limit;
            if (smooth) SmoothAt(copy, x, y, 1, 2);
        }
    image.CopyColorsFrom(&copy);
}

bool SmoothAt(CImage& image, int32_t x, int32_t y, int32_t r, int32_t w) {
    if (!image.Inside(x, y) || r < 1 || w < 1) return false;
    int64_t sum[3] = {0, 0, 0}, count = 0;
    for (int32_t dy = -r; dy <= r; ++dy)
        for (int32_t dx = -r; dx <= r; ++dx) {
            if (!image.Inside(x + dx, y + dy)) continue;
            const int64_t weight = dx == 0 && dy == 0 ? w : 1;
            for (int c = 0; c < 3; ++c)
                sum[c] += weight * Channel(image, x + dx, y + dy, c);
            count += weight;
        }
    for (int c = 0; c < 3; ++c)
        SetChannel(image, x, y, c, sum[c] / count);
    return true;
}

} // namespace reference
