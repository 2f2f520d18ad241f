// Conversion between the colour plane (RGB) and the auxiliary plane (Y, Cr, Cb).
// Each product is one rounded double whatever the other channels hold, so the
// products come from 256-entry tables; the sums keep their defined order.
#include "core/Image.h"

namespace {

struct ProductTables {
    double g587[256], r299[256], b114[256];
    double g419[256], r500[256], b081[256];
    double r169[256], g331[256], b500[256];
    double e1402[256], e0714[256], f0344[256], f1772[256]; // indexed by Cr or Cb
    ProductTables() {
        for (int v = 0; v < 256; ++v) {
            g587[v] = v * 0.587;
            r299[v] = v * 0.299;
            b114[v] = v * 0.114;
            g419[v] = v * 0.419;
            r500[v] = v * 0.5;
            b081[v] = v * 0.081;
            r169[v] = v * 0.169;
            g331[v] = v * 0.331;
            b500[v] = v * 0.5;
            const int d = v - 128;
            e1402[v] = d * 1.402;
            e0714[v] = d * 0.714;
            f0344[v] = d * 0.344;
            f1772[v] = d * 1.772;
        }
    }
};

const ProductTables& Tables() {
    static const ProductTables tables;
    return tables;
}

} // namespace

void CImage::RgbToYcc() {
    const ProductTables& t = Tables();
    const size_t n = PixelCount();
    const uint32_t* in = colour_;
    uint32_t* out = aux_;
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = in[i];
        const unsigned r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
        int32_t y = int32_t((t.g587[g] + t.r299[r]) + t.b114[b]);
        int32_t cr = 128 - int32_t((t.g419[g] - t.r500[r]) + t.b081[b]);
        int32_t cb = 128 - int32_t((t.r169[r] + t.g331[g]) - t.b500[b]);
        if (y > 255) y = 255;
        out[i] = (ClampChannel(y) << 16) | (ClampChannel(cr) << 8) | ClampChannel(cb);
    }
}

void CImage::YccToRgb() {
    const ProductTables& t = Tables();
    const size_t n = PixelCount();
    const uint32_t* in = aux_;
    uint32_t* out = colour_;
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = in[i];
        const unsigned cr = (v >> 8) & 0xFF, cb = v & 0xFF;
        const double y = double((v >> 16) & 0xFF);
        const int32_t r = int32_t(y + t.e1402[cr]);
        const int32_t g = int32_t((y - t.e0714[cr]) - t.f0344[cb]);
        const int32_t b = int32_t(y + t.f1772[cb]);
        out[i] = (ClampChannel(r) << 16) | (ClampChannel(g) << 8) | ClampChannel(b);
    }
}
