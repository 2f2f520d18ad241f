#include "tests/ops/filters/GeometryReference.h"

#include <cmath>
#include <vector>

#include "core/Random.h"
#include "tests/support/TestImages.h"
#include "ops/colour/ColourOps.h"

namespace ref {

namespace {

// sum / weights truncated toward zero; no weight at all gives 0.
int32_t Quotient(double sum, double weights) {
    const double q = sum / weights;
    if (std::isnan(q) || q < -1e9) return 0;
    if (q > 1e9) return 255;
    return int32_t(q);
}

} // namespace

void ExchangePixels(CImage& image, int32_t percent) {
    const int32_t w = image.Width(), h = image.Height();
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (NextRandom() % 100 >= percent) continue;
            const int32_t px = NextRandom() % w;
            const int32_t py = NextRandom() % h;
            const uint32_t old = image.GetPixel(x, y);
            image.SetPixel(x, y, image.GetPixel(px, py));
            image.SetPixel(px, py, old);
        }
}

void PinholeCamera(CImage& image) {
    const int32_t w = image.Width(), h = image.Height();
    if (w < 16 || h < 16) return;
    CImage p(image);
    Resample(p, w / 4, h / 4);
    Resample(p, w, h);
    p.Blur(1, 0.2);
    ConvertToGray(p);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            image.SetR(x, y, (3 * p.GetR(x, y) + image.GetR(x, y)) / 4);
            image.SetG(x, y, (3 * p.GetG(x, y) + image.GetG(x, y)) / 4);
            image.SetB(x, y, (3 * p.GetB(x, y) + image.GetB(x, y)) / 4);
        }
    image.UnsharpMask(2, -0.7);
}

void FlipVertical(CImage& image) {
    const CImage source(image);
    const int32_t w = image.Width(), h = image.Height();
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            image.SetPixel(x, h - 1 - y, source.GetPixel(x, y));
}

void FlipHorizontal(CImage& image) {
    const CImage source(image);
    const int32_t w = image.Width(), h = image.Height();
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            image.SetPixel(w - 1 - x, y, source.GetPixel(x, y));
}

void ExchangeXY(CImage& image) {
    const CImage source(image);
    const int32_t w = image.Width(), h = image.Height();
    image.Create(h, w);
    for (int32_t i = 0; i < w; ++i)
        for (int32_t j = 0; j < h; ++j)
            image.SetPixel(j, i, source.GetPixel(i, j));
}

bool Trim(CImage& image, int32_t x, int32_t y, int32_t w, int32_t h) {
    const int32_t width = image.Width(), height = image.Height();
    if (x < 0 || x >= width - 1 || y < 0 || y >= height - 1 || w < 1 || h < 1) return false;
    const CImage source(image);
    if (int64_t(x) + w > width) w = width - x;
    if (int64_t(y) + h > height) h = height - y;
    image.Create(w, h);
    for (int32_t row = 0; row < h; ++row)
        for (int32_t column = 0; column < w; ++column)
            image.SetPixel(column, row, source.GetPixel(x + column, y + row));
    return true;
}

bool Resample(CImage& image, int32_t newW, int32_t newH) {
    const int32_t w = image.Width(), h = image.Height();
    const std::vector<uint32_t> buffer(image.Bits(), image.Bits() + image.PixelCount());
    const double sx = double(newW) / double(w);
    const double sy = double(newH) / double(h);
    if (!image.Create(newW, newH)) return false;
    const double rx = 1.0 / sx, ry = 1.0 / sy;
    for (int32_t i = 0; i < newH; ++i)
        for (int32_t u = 0; u < newW; ++u) {
            const int64_t y0 = int64_t(std::floor(i * ry)), y1 = int64_t(std::ceil((i + 1) * ry));
            const int64_t x0 = int64_t(std::floor(u * rx)), x1 = int64_t(std::ceil((u + 1) * rx));
            double r = 0, g = 0, b = 0, weights = 0;
            for (int64_t j = y0; j < y1; ++j)
                for (int64_t k = x0; k < x1; ++k) {
                    double wx, wy;
                    if (k == x0)
                        wx = (k + 1) * sx - std::floor(k * sx);
                    else if (k == x1 - 1)
                        wx = (u + 1) - k * sx;
                    else
                        wx = sx;
                    if (j == y0)
                        wy = (j + 1) * sy - std::floor(j * sy);
                    else if (j == y1 - 1)
                        wy = (i + 1) - j * sy;
                    else
                        wy = sy;
                    if (k >= w || j >= h) continue;
                    const uint32_t c = buffer[size_t(k) + size_t(j) * size_t(w)];
                    r += wx * wy * double((c >> 16) & 0xFF);
                    g += wx * wy * double((c >> 8) & 0xFF);
                    b += wx * wy * double(c & 0xFF);
                    weights += wx * wy;
                }
            image.SetR(u, i, Quotient(r, weights));
            image.SetG(u, i, Quotient(g, weights));
            image.SetB(u, i, Quotient(b, weights));
        }
    return true;
}

std::unique_ptr<CImage> ScaleHalf(const CImage& s) {
    if (s.Width() < 5 || s.Height() < 5) return nullptr;
    auto d = std::make_unique<CImage>();
    d->Create(s.Width() / 2, s.Height() / 2);
    for (int32_t y = 0; y < d->Height(); ++y)
        for (int32_t x = 0; x < d->Width(); ++x) {
            auto mean = [&](uint8_t (CImage::*get)(int32_t, int32_t) const) {
                return ((s.*get)(2 * x, 2 * y) + (s.*get)(2 * x + 1, 2 * y) +
                        (s.*get)(2 * x, 2 * y + 1) + (s.*get)(2 * x + 1, 2 * y + 1)) /
                       4;
            };
            d->SetR(x, y, mean(&CImage::GetR));
            d->SetG(x, y, mean(&CImage::GetG));
            d->SetB(x, y, mean(&CImage::GetB));
        }
    return d;
}

std::unique_ptr<CImage> ScaleOneAndHalf(const CImage& source) {
    std::unique_ptr<CImage> triple = ScaleTriple(source);
    return triple ? ScaleHalf(*triple) : nullptr;
}

namespace {

using Getter = uint8_t (CImage::*)(int32_t, int32_t) const;
constexpr Getter kGet[3] = {&CImage::GetR, &CImage::GetG, &CImage::GetB};

int32_t Weight(const CImage& p, int32_t s, int32_t t, int32_t ns, int32_t nt) {
    int32_t sum = 0;
    for (int c = 0; c < 3; ++c) {
        const int32_t d = (p.*kGet[c])(s, t) - (p.*kGet[c])(ns, nt);
        sum += d * d;
    }
    return sum <= 1000 ? 2 : 3;
}

// The enlargement by factor 2 or 3, its formulas written out as they are defined.
std::unique_ptr<CImage> Enlarge(const CImage& source, int32_t factor) {
    const int32_t W = source.Width(), H = source.Height();
    const int32_t minimum = factor == 2 ? 5 : 3;
    if (W < minimum || H < minimum) return nullptr;
    auto d = std::make_unique<CImage>();
    d->Create(factor * W, factor * H);
    CImage p(source);
    p.UnsharpMask(1, 0.4);
    CImage& D = *d;
    for (int32_t t = 1; t <= H - 2; ++t)
        for (int32_t s = 1; s <= W - 2; ++s) {
            const int32_t wL = Weight(p, s, t, s - 1, t), wR = Weight(p, s, t, s + 1, t);
            const int32_t wD = Weight(p, s, t, s, t - 1), wU = Weight(p, s, t, s, t + 1);
            for (int ch = 0; ch < 3; ++ch) {
                auto P = [&](int32_t x, int32_t y) { return int32_t((p.*kGet[ch])(x, y)); };
                auto set = [&](int32_t x, int32_t y, int32_t v) { SetChannel(D, ch, x, y, v); };
                const int32_t C = P(s, t), L = P(s - 1, t), Rt = P(s + 1, t);
                const int32_t Dn = P(s, t - 1), Up = P(s, t + 1);
                const int32_t DL = P(s - 1, t - 1), DR = P(s + 1, t - 1);
                const int32_t UL = P(s - 1, t + 1), UR = P(s + 1, t + 1);
                if (factor == 2) {
                    set(2 * s, 2 * t, (5 * C + wD * Dn + wL * L + DL) / (wL + wD + 6));
                    set(2 * s + 1, 2 * t, (5 * C + wD * Dn + wR * Rt) / (wD + wR + 5));
                    set(2 * s, 2 * t + 1, (5 * C + wL * L + wU * Up) / (wL + wU + 5));
                    set(2 * s + 1, 2 * t + 1, (5 * C + wR * Rt + wU * Up) / (wR + wU + 5));
                } else {
                    set(3 * s, 3 * t, (6 * C + wD * Dn + wL * L + DL) / (wL + wD + 7));
                    set(3 * s + 1, 3 * t, (6 * C + 2 * wD * Dn) / (2 * wD + 6));
                    set(3 * s + 2, 3 * t, (6 * C + wD * Dn + wR * Rt + DR) / (wD + wR + 7));
                    set(3 * s, 3 * t + 1, (6 * C + 2 * wL * L) / (2 * wL + 6));
                    set(3 * s + 1, 3 * t + 1, C);
                    set(3 * s + 2, 3 * t + 1, (6 * C + 2 * wR * Rt) / (2 * wR + 6));
                    set(3 * s, 3 * t + 2, (6 * C + wL * L + wU * Up + UL) / (wL + wU + 7));
                    set(3 * s + 1, 3 * t + 2, (6 * C + 2 * wU * Up) / (2 * wU + 6));
                    set(3 * s + 2, 3 * t + 2, (6 * C + wR * Rt + wU * Up + UR) / (wR + wU + 7));
                }
            }
        }
    for (int ch = 0; ch < 3; ++ch) {
        auto P = [&](int32_t x, int32_t y) { return int32_t((p.*kGet[ch])(x, y)); };
        auto Dv = [&](int32_t x, int32_t y) { return int32_t((D.*kGet[ch])(x, y)); };
        auto set = [&](int32_t x, int32_t y, int32_t v) { SetChannel(D, ch, x, y, v); };
        if (factor == 2) {
            for (int32_t y = 2; y <= 2 * H - 3; ++y) {
                set(0, y, P(0, y / 2));
                set(1, y, (P(0, y / 2) + Dv(2, y)) / 2);
                set(2 * W - 1, y, P(W - 1, y / 2));
                set(2 * W - 2, y, (P(W - 1, y / 2) + Dv(2 * W - 3, y)) / 2);
            }
            for (int32_t x = 0; x <= 2 * W - 1; ++x) {
                set(x, 0, P(x / 2, 0));
                set(x, 1, (P(x / 2, 0) + Dv(x, 2)) / 2);
                set(x, 2 * H - 1, P(x / 2, H - 1));
                set(x, 2 * H - 2, (P(x / 2, H - 1) + Dv(x, 2 * H - 3)) / 2);
            }
        } else {
            for (int32_t y = 3; y <= 3 * H - 4; ++y) {
                set(0, y, P(0, y / 3));
                set(1, y, (2 * P(0, y / 3) + Dv(3, y)) / 3);
                set(2, y, (P(0, y / 3) + 2 * Dv(3, y)) / 3);
                set(3 * W - 1, y, P(W - 1, y / 3));
                set(3 * W - 2, y, (2 * P(W - 1, y / 3) + Dv(3 * W - 4, y)) / 3);
                set(3 * W - 3, y, (P(W - 1, y / 3) + 2 * Dv(3 * W - 4, y)) / 3);
            }
            for (int32_t x = 0; x <= 3 * W - 1; ++x) {
                set(x, 0, P(x / 3, 0));
                set(x, 1, (2 * P(x / 3, 0) + Dv(x, 3)) / 3);
                set(x, 2, (P(x / 3, 0) + 2 * Dv(x, 3)) / 3);
                set(x, 3 * H - 1, P(x / 3, H - 1));
                set(x, 3 * H - 2, (2 * P(x / 3, H - 1) + Dv(x, 3 * H - 4)) / 3);
                set(x, 3 * H - 3, (P(x / 3, H - 1) + 2 * Dv(x, 3 * H - 4)) / 3);
            }
        }
    }
    return d;
}

} // namespace

std::unique_ptr<CImage> ScaleDouble(const CImage& source) {
    return Enlarge(source, 2);
}
std::unique_ptr<CImage> ScaleTriple(const CImage& source) {
    return Enlarge(source, 3);
}

} // namespace ref
