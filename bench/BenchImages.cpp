#include "bench/BenchImages.h"

const CImage& BenchPicture() {
    static const CImage picture = [] {
        CImage image;
        image.Create(kBenchWidth, kBenchHeight);
        uint32_t state = 7;
        for (int32_t y = 0; y < kBenchHeight; ++y)
            for (int32_t x = 0; x < kBenchWidth; ++x) {
                state = state * 1664525u + 1013904223u;
                const uint32_t noise = (state >> 24) & 0x1F;
                const uint32_t r = (x * 255 / kBenchWidth + noise) & 0xFF;
                const uint32_t g = (y * 255 / kBenchHeight + noise) & 0xFF;
                const uint32_t b = ((x + y) * 255 / (kBenchWidth + kBenchHeight) + noise) & 0xFF;
                image.SetPixel(x, y, (r << 16) | (g << 8) | b);
            }
        return image;
    }();
    return picture;
}
