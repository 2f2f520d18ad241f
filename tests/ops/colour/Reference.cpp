#include "tests/ops/colour/Reference.h"

#include <cmath>
#include <cstdint>

#include "tests/support/TestImages.h"

namespace {

// Truncation toward zero into an int, saturating beyond the int range; NaN 0.
int32_t Trunc(double v) {
    if (v != v) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return int32_t(v);
}

int32_t Add(int32_t a, int32_t b) {
    const int64_t sum = int64_t(a) + b;
    return sum > INT32_MAX ? INT32_MAX : (sum < INT32_MIN ? INT32_MIN : int32_t(sum));
}

using Getter = uint8_t (CImage::*)(int32_t, int32_t) const;
using Setter = bool (CImage::*)(int32_t, int32_t, int32_t);

void Offset(CImage& image, Getter get, Setter set, int32_t offset) {
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            (image.*set)(x, y, Add((image.*get)(x, y), offset));
}

// Every channel of every pixel through f, stored by the setters.
template <typename F> void EachChannel(CImage& image, F&& f) {
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const int32_t r = f(image.GetR(x, y)), g = f(image.GetG(x, y)), b = f(image.GetB(x, y));
            image.SetR(x, y, r);
            image.SetG(x, y, g);
            image.SetB(x, y, b);
        }
}

} // namespace

namespace reference {

void ConvertToGray(CImage& image) {
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const int32_t l = image.GetLuminance(x, y);
            image.SetR(x, y, l);
            image.SetG(x, y, l);
            image.SetB(x, y, l);
        }
}

void InvertColors(CImage& image) {
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            image.SetPixel(x, y, image.GetPixel(x, y) ^ 0x00FFFFFFu);
}

void ReduceTo216Colors(CImage& image) {
    EachChannel(image, [](int32_t v) { return 51 * Trunc(v / 51.0 + 0.5); });
}

void AdjustR(CImage& image, int32_t offset) {
    Offset(image, &CImage::GetR, &CImage::SetR, offset);
}
void AdjustG(CImage& image, int32_t offset) {
    Offset(image, &CImage::GetG, &CImage::SetG, offset);
}
void AdjustB(CImage& image, int32_t offset) {
    Offset(image, &CImage::GetB, &CImage::SetB, offset);
}
void AdjustY(CImage& image, int32_t offset) {
    Offset(image, &CImage::GetY, &CImage::SetY, offset);
}
void AdjustCr(CImage& image, int32_t offset) {
    Offset(image, &CImage::GetCr, &CImage::SetCr, offset);
}
void AdjustCb(CImage& image, int32_t offset) {
    Offset(image, &CImage::GetCb, &CImage::SetCb, offset);
}

void ApplyComponentOffsets(CImage& image, bool ycc, int32_t a, int32_t b, int32_t c) {
    if (!ycc) {
        AdjustR(image, a);
        AdjustG(image, b);
        AdjustB(image, c);
        return;
    }
    image.RgbToYcc();
    AdjustY(image, a);
    AdjustCr(image, b);
    AdjustCb(image, c);
    image.YccToRgb();
}

void ConvertRgb(CImage& image, const double m[12]) {
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const double r = image.GetR(x, y), g = image.GetG(x, y), b = image.GetB(x, y);
            const int32_t nr = Trunc(((m[0] * r + m[1] * g) + m[2] * b) + m[3]);
            const int32_t ng = Trunc(((m[4] * r + m[5] * g) + m[6] * b) + m[7]);
            const int32_t nb = Trunc(((m[8] * r + m[9] * g) + m[10] * b) + m[11]);
            image.SetR(x, y, nr);
            image.SetG(x, y, ng);
            image.SetB(x, y, nb);
        }
}

bool MapLuminanceRange(CImage& image, int32_t inLow, int32_t inHigh, int32_t outLow,
                       int32_t outHigh) {
    if (inLow >= inHigh || outLow > outHigh) return false;
    CImage copy = image;
    copy.RgbToYcc();
    const double scale = double(int64_t(outHigh) - outLow) / double(int64_t(inHigh) - inLow);
    for (int32_t y = 0; y < copy.Height(); ++y)
        for (int32_t x = 0; x < copy.Width(); ++x)
            copy.SetY(x, y, Trunc(double(int64_t(copy.GetY(x, y)) - inLow) * scale + outLow));
    copy.YccToRgb();
    return image.CopyColorsFrom(&copy);
}

void MaximizeContrast(CImage& image) {
    int32_t low = 255, high = 0;
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const int32_t l = image.GetLuminance(x, y);
            if (l < low) low = l;
            if (l > high) high = l;
        }
    MapLuminanceRange(image, low, high, 0, 255);
}

void AdjustSaturation(CImage& image, int32_t amount) {
    CImage copy = image;
    copy.RgbToYcc();
    for (int32_t y = 0; y < copy.Height(); ++y)
        for (int32_t x = 0; x < copy.Width(); ++x) {
            const int32_t cr = copy.GetCr(x, y) - 128, cb = copy.GetCb(x, y) - 128;
            const double r = std::sqrt(double(cr * cr + cb * cb));
            int32_t newCr = 128, newCb = 128;
            if (r >= 1) {
                double theta = std::acos(cr / r);
                if (cb < 0) theta = 6.28318 - theta;
                const double length = r + amount;
                if (length >= 1) {
                    newCr = Trunc(length * std::cos(theta) + 128);
                    newCb = Trunc(length * std::sin(theta) + 128);
                }
            }
            copy.SetCr(x, y, newCr);
            copy.SetCb(x, y, newCb);
        }
    copy.YccToRgb();
    image.CopyColorsFrom(&copy);
}

void CorrectGamma(CImage& image, double gamma) {
    const double e = 1.0 / gamma;
    EachChannel(image, [e](int32_t v) { return Trunc(std::pow(v / 255.0, e) * 255.0); });
}

bool Posterize(CImage& image, int32_t levelsR, int32_t levelsG, int32_t levelsB) {
    const int32_t counts[3] = {levelsR, levelsG, levelsB};
    uint8_t table[3][256] = {};
    for (int c = 0; c < 3; ++c) {
        const int32_t n = counts[c];
        if (n < 2 || n > 256) return false;
        const double step = 256.0 / n, scale = 255.0 / (n - 1);
        for (int32_t k = 0; k < n; ++k) {
            const int32_t lo = int32_t(std::floor(k * step));
            int32_t hi = int32_t(std::floor((k + 1) * step));
            if (k == n - 1) hi = 256;
            for (int32_t i = lo; i < hi; ++i)
                table[c][i] = uint8_t(Trunc(k * scale));
        }
    }
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const int32_t r = table[0][image.GetR(x, y)], g = table[1][image.GetG(x, y)],
                          b = table[2][image.GetB(x, y)];
            image.SetR(x, y, r);
            image.SetG(x, y, g);
            image.SetB(x, y, b);
        }
    return true;
}

bool ToneCut(CImage& image, int32_t mode, int32_t threshold, int32_t r, int32_t g, int32_t b) {
    if (mode != 1 && mode != 2) return false;
    image.RgbToYcc();
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const int32_t luma = image.GetY(x, y);
            if (mode == 1 ? luma <= threshold : luma >= threshold) {
                image.SetR(x, y, r);
                image.SetG(x, y, g);
                image.SetB(x, y, b);
            }
        }
    return true;
}

void ReplaceColor(CImage& image, int32_t r, int32_t g, int32_t b, int32_t newR, int32_t newG,
                  int32_t newB) {
    const uint32_t w = uint32_t(newR * 65536 + newG * 256 + newB);
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            if (image.GetR(x, y) == r && image.GetG(x, y) == g && image.GetB(x, y) == b)
                image.SetPixel(x, y, w);
}

void EnlargeColorDifference(CImage& image, double k) {
    if (k == 0) return;
    const CImage copy = image;
    const int32_t dx[4] = {-1, 0, 1, 0}, dy[4] = {0, -1, 0, 1};
    const Getter get[3] = {&CImage::GetR, &CImage::GetG, &CImage::GetB};
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            int32_t n = 0, sum[3] = {};
            for (int i = 0; i < 4; ++i) {
                if (!copy.Inside(x + dx[i], y + dy[i])) continue;
                ++n;
                for (int c = 0; c < 3; ++c)
                    sum[c] += (copy.*get[c])(x + dx[i], y + dy[i]);
            }
            if (n == 0) continue; // a lone pixel keeps its value
            for (int c = 0; c < 3; ++c) {
                const int32_t v = (copy.*get[c])(x, y);
                SetChannel(image, c, x, y, Add(v, Trunc(k * (v - sum[c] / n))));
            }
        }
}

} // namespace reference

CImage RowOf(std::initializer_list<uint32_t> words) {
    CImage image;
    image.Create(int32_t(words.size()), 1);
    int32_t x = 0;
    for (uint32_t w : words)
        image.SetPixel(x++, 0, w);
    return image;
}
