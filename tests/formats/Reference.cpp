#include "tests/formats/Reference.h"

namespace {

int32_t Stride(int32_t w) {
    return (w * 3 + 3) / 4 * 4;
}

void PutRow(Bytes& out, const CImage& image, int32_t y) {
    for (int32_t x = 0; x < image.Width(); ++x) {
        out.push_back(image.GetB(x, y));
        out.push_back(image.GetG(x, y));
        out.push_back(image.GetR(x, y));
    }
    for (int32_t i = image.Width() * 3; i < Stride(image.Width()); ++i)
        out.push_back(0);
}

Bytes BmpHeader(const CImage& image, int32_t height) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, uint32_t(54 + Stride(image.Width()) * image.Height()));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, uint32_t(image.Width()));
    Put32(b, 22, uint32_t(height));
    Put16(b, 26, 1);
    Put16(b, 28, 24);
    return b;
}

} // namespace

Bytes ReferenceDibRows(const CImage& image) {
    Bytes out;
    for (int32_t y = 0; y < image.Height(); ++y)
        PutRow(out, image, y);
    return out;
}

Bytes ReferenceBmp(const CImage& image) {
    Bytes out = BmpHeader(image, image.Height());
    const Bytes rows = ReferenceDibRows(image);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

Bytes ReferenceTopDownBmp(const CImage& image) {
    Bytes out = BmpHeader(image, -image.Height());
    for (int32_t y = image.Height() - 1; y >= 0; --y)
        PutRow(out, image, y);
    return out;
}

CImage ReferenceImageFromRows(const uint8_t* data, int32_t w, int32_t h) {
    CImage image;
    image.Create(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* p = data + y * Stride(w) + 3 * x;
            image.SetB(x, y, p[0]);
            image.SetG(x, y, p[1]);
            image.SetR(x, y, p[2]);
        }
    return image;
}

Bytes ReferenceYcc(CImage& image) {
    Bytes out = {0x59, 0x43, 0x00, 0x08};
    Put32(out, 4, 16);
    Put32(out, 8, uint32_t(image.Width()));
    Put32(out, 12, uint32_t(image.Height()));
    image.RgbToYcc();
    for (int32_t y = image.Height() - 1; y >= 0; --y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            out.push_back(image.GetY(x, y));
            out.push_back(image.GetCr(x, y));
            out.push_back(image.GetCb(x, y));
        }
    return out;
}

CImage ReferenceImageFromYcc(const Bytes& file, uint32_t offset) {
    const int32_t w = int32_t(file[8] | file[9] << 8 | file[10] << 16 | uint32_t(file[11]) << 24);
    const int32_t h = int32_t(file[12] | file[13] << 8 | file[14] << 16 | uint32_t(file[15]) << 24);
    CImage image;
    image.Create(w, h);
    for (int32_t k = 0; k < h; ++k)
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* p = file.data() + offset + 3 * (k * w + x);
            image.SetY(x, h - 1 - k, p[0]);
            image.SetCr(x, h - 1 - k, p[1]);
            image.SetCb(x, h - 1 - k, p[2]);
        }
    image.YccToRgb();
    return image;
}
