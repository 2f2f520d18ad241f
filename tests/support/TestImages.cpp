#include "tests/support/TestImages.h"

#include <cstdio>

namespace {

// A small generator of our own so the images are the same on every platform.
struct Lcg {
    uint64_t state;
    uint32_t Next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return uint32_t(state >> 33);
    }
};

} // namespace

const std::vector<TestSize>& DifferentialSizes() {
    static const std::vector<TestSize> sizes = {{1, 1},  {1, 7},   {7, 1},   {2, 2},  {3, 3},
                                                {5, 5},  {2, 9},   {9, 2},   {17, 3}, {3, 17},
                                                {31, 29}, {45, 33}, {69, 49}, {50, 70}};
    return sizes;
}

const std::vector<Pattern>& AllPatterns() {
    static const std::vector<Pattern> patterns = {Pattern::Random, Pattern::Flat, Pattern::GreyOnly,
                                                  Pattern::HardEdges, Pattern::FewColours};
    return patterns;
}

const char* PatternName(Pattern p) {
    switch (p) {
    case Pattern::Random: return "random";
    case Pattern::Flat: return "flat";
    case Pattern::GreyOnly: return "grey";
    case Pattern::HardEdges: return "edges";
    case Pattern::FewColours: return "few-colours";
    }
    return "?";
}

CImage MakeImage(int32_t w, int32_t h, Pattern pattern, uint32_t seed) {
    CImage image;
    image.Create(w, h);
    Lcg rng{seed * 2654435761ull + 1};
    const uint32_t flat = rng.Next() & 0x00FFFFFF;
    const uint32_t palette[4] = {0x000000, 0xFFFFFF, rng.Next() & 0x00FFFFFF,
                                 rng.Next() & 0x00FFFFFF};
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint32_t v = 0;
            switch (pattern) {
            case Pattern::Random: v = rng.Next() & 0x00FFFFFF; break;
            case Pattern::Flat: v = flat; break;
            case Pattern::GreyOnly: {
                uint32_t g = rng.Next() & 0xFF;
                v = g * 0x010101;
                break;
            }
            case Pattern::HardEdges: v = ((x / 3 + y / 2) % 2) ? 0xFFFFFF : 0x000000; break;
            case Pattern::FewColours: v = palette[rng.Next() % 4]; break;
            }
            image.SetPixel(x, y, v);
            image.AuxBits()[size_t(x) + size_t(y) * size_t(w)] = rng.Next();
        }
    return image;
}

CImage Filled(int32_t w, int32_t h, uint32_t word) {
    CImage image;
    image.Create(w, h);
    for (size_t i = 0; i < image.PixelCount(); ++i)
        image.Bits()[i] = word;
    return image;
}

std::string DescribeDifference(const CImage& expected, const CImage& actual, bool compareAux) {
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
        return "size " + std::to_string(actual.Width()) + "x" + std::to_string(actual.Height()) +
               ", expected " + std::to_string(expected.Width()) + "x" +
               std::to_string(expected.Height());
    for (int32_t y = 0; y < expected.Height(); ++y)
        for (int32_t x = 0; x < expected.Width(); ++x) {
            auto hex = [](uint32_t v) {
                char buf[16];
                snprintf(buf, sizeof buf, "%08X", unsigned(v));
                return std::string(buf);
            };
            if (expected.GetPixel(x, y) != actual.GetPixel(x, y))
                return "colour at (" + std::to_string(x) + "," + std::to_string(y) + "): " +
                       hex(actual.GetPixel(x, y)) + ", expected " + hex(expected.GetPixel(x, y));
            if (compareAux && expected.GetAux(x, y) != actual.GetAux(x, y))
                return "aux at (" + std::to_string(x) + "," + std::to_string(y) + "): " +
                       hex(actual.GetAux(x, y)) + ", expected " + hex(expected.GetAux(x, y));
        }
    return {};
}
