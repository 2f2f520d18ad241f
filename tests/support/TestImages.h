// Images for the differential tests: every shipped operation is compared with
// a plain transcription of its definition on these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Image.h"

struct TestSize {
    int32_t w, h;
};

// 1x1, 1x7, 7x1, 2x2, 3x3, 5x5 and odd sizes up to about 70 x 50.
const std::vector<TestSize>& DifferentialSizes();

enum class Pattern { Random, Flat, GreyOnly, HardEdges, FewColours };
const std::vector<Pattern>& AllPatterns();
const char* PatternName(Pattern p);

// A w x h image filled by the pattern from the seed; the auxiliary plane gets
// random words too (operations must not depend on it unless they say so).
CImage MakeImage(int32_t w, int32_t h, Pattern pattern, uint32_t seed);

// A w x h image of one colour word.
CImage Filled(int32_t w, int32_t h, uint32_t word);

// Channel c (0 red, 1 green, 2 blue) through the accessors. A switch rather
// than a table of member pointers: the undefined-behaviour sanitizer misreads
// calls through such tables.
inline bool SetChannel(CImage& image, int c, int32_t x, int32_t y, int32_t v) {
    return c == 0 ? image.SetR(x, y, v) : c == 1 ? image.SetG(x, y, v) : image.SetB(x, y, v);
}

// Empty when equal; otherwise where the first difference lies.
std::string DescribeDifference(const CImage& expected, const CImage& actual,
                               bool compareAux = false);

// Calls f(image, description) for every size and pattern.
template <typename F> void ForEachTestImage(F&& f, uint32_t seed = 12345) {
    for (const TestSize& s : DifferentialSizes())
        for (Pattern p : AllPatterns()) {
            CImage image = MakeImage(s.w, s.h, p, seed++);
            std::string what = std::to_string(s.w) + "x" + std::to_string(s.h) + " " +
                               PatternName(p);
            f(image, what);
        }
}
