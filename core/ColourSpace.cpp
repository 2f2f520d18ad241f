// Conversion between the colour plane (RGB) and the auxiliary plane (Y, Cr, Cb).
//
// Each product is one rounded double whatever the other channels hold, so the
// products come from 256-entry tables, and the three results of a pixel are
// computed side by side in the lanes [0, 1, 2] = [Cb, Cr, Y] (or [B, G, R]),
// which is the byte order of the output word. The lanes keep the defined order
// of the sums exactly: a - b is a + (-b), x + 0 is x, and a sum of negated
// terms is the negated sum, so a negated Y lane truncates to -Y.
#include "core/Image.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define IROMAKI_SSE2 1
#endif

namespace {

struct alignas(32) Lanes {
    double v[4];
};

struct ConversionTables {
    // RgbToYcc: sum = (G[g] + R[r]) + B[b] per lane; Y = -sum2, Cr = 128 - sum1,
    // Cb = 128 - sum0.
    Lanes fromG[256], fromR[256], fromB[256];
    // YccToRgb: sum = (y + CR[cr]) + CB[cb] per lane; B, G, R = sum0, sum1, sum2.
    Lanes fromCr[256], fromCb[256];

    ConversionTables() {
        for (int v = 0; v < 256; ++v) {
            fromG[v] = {{v * 0.331, v * 0.419, -(v * 0.587), 0}};
            fromR[v] = {{v * 0.169, -(v * 0.5), -(v * 0.299), 0}};
            fromB[v] = {{-(v * 0.5), v * 0.081, -(v * 0.114), 0}};
            const int d = v - 128;
            fromCr[v] = {{0, -(d * 0.714), d * 1.402, 0}};
            fromCb[v] = {{d * 1.772, -(d * 0.344), 0, 0}};
        }
    }
};

const ConversionTables& Tables() {
    static const ConversionTables tables;
    return tables;
}

#ifdef IROMAKI_SSE2

inline __m128d Low(const Lanes& l) {
    return _mm_load_pd(l.v);
}
inline __m128d High(const Lanes& l) {
    return _mm_load_pd(l.v + 2);
}

// The four lanes truncated toward zero.
inline __m128i Truncate(__m128d low, __m128d high) {
    return _mm_unpacklo_epi64(_mm_cvttpd_epi32(low), _mm_cvttpd_epi32(high));
}

// One word whose bytes are the four lanes, each clamped to 0..255.
inline uint32_t Pack(__m128i lanes) {
    const __m128i words = _mm_packs_epi32(lanes, lanes);
    return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}

#else

inline uint8_t Clamp(int32_t v) {
    return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
}

#endif

} // namespace

void CImage::RgbToYcc() {
    const ConversionTables& t = Tables();
    const size_t n = PixelCount();
    const uint32_t* in = colour_;
    uint32_t* out = aux_;
#ifdef IROMAKI_SSE2
    const __m128i base = _mm_setr_epi32(128, 128, 0, 0); // Cb, Cr: 128 - int; Y: 0 - int
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = in[i];
        const Lanes& g = t.fromG[(v >> 8) & 0xFF];
        const Lanes& r = t.fromR[(v >> 16) & 0xFF];
        const Lanes& b = t.fromB[v & 0xFF];
        const __m128d low = _mm_add_pd(_mm_add_pd(Low(g), Low(r)), Low(b));
        const __m128d high = _mm_add_pd(_mm_add_pd(High(g), High(r)), High(b));
        out[i] = Pack(_mm_sub_epi32(base, Truncate(low, high)));
    }
#else
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = in[i];
        const double* g = t.fromG[(v >> 8) & 0xFF].v;
        const double* r = t.fromR[(v >> 16) & 0xFF].v;
        const double* b = t.fromB[v & 0xFF].v;
        const int32_t cb = 128 - int32_t((g[0] + r[0]) + b[0]);
        const int32_t cr = 128 - int32_t((g[1] + r[1]) + b[1]);
        const int32_t y = -int32_t((g[2] + r[2]) + b[2]);
        out[i] = uint32_t(Clamp(y)) << 16 | uint32_t(Clamp(cr)) << 8 | Clamp(cb);
    }
#endif
}

void CImage::YccToRgb() {
    const ConversionTables& t = Tables();
    const size_t n = PixelCount();
    const uint32_t* in = aux_;
    uint32_t* out = colour_;
#ifdef IROMAKI_SSE2
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = in[i];
        const double luma = double((v >> 16) & 0xFF);
        const __m128d y = _mm_set1_pd(luma), y0 = _mm_set_sd(luma); // lane 3 stays 0
        const Lanes& cr = t.fromCr[(v >> 8) & 0xFF];
        const Lanes& cb = t.fromCb[v & 0xFF];
        const __m128d low = _mm_add_pd(_mm_add_pd(y, Low(cr)), Low(cb));
        const __m128d high = _mm_add_pd(_mm_add_pd(y0, High(cr)), High(cb));
        out[i] = Pack(Truncate(low, high));
    }
#else
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = in[i];
        const double y = double((v >> 16) & 0xFF);
        const double* cr = t.fromCr[(v >> 8) & 0xFF].v;
        const double* cb = t.fromCb[v & 0xFF].v;
        const int32_t b = int32_t((y + cr[0]) + cb[0]);
        const int32_t g = int32_t((y + cr[1]) + cb[1]);
        const int32_t r = int32_t((y + cr[2]) + cb[2]);
        out[i] = uint32_t(Clamp(r)) << 16 | uint32_t(Clamp(g)) << 8 | Clamp(b);
    }
#endif
}
