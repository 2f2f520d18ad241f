#include <gtest/gtest.h>

#include "ops/filters/FilterOps.h"
#include "tests/ops/filters/GeometryReference.h"
#include "tests/support/TestImages.h"

namespace {

using Scaling = std::unique_ptr<CImage> (*)(const CImage&);

struct Pair {
    const char* name;
    Scaling shipped, reference;
};

const Pair kScalings[] = {{"50%", ScaleHalf, ref::ScaleHalf},
                          {"150%", ScaleOneAndHalf, ref::ScaleOneAndHalf},
                          {"200%", ScaleDouble, ref::ScaleDouble},
                          {"300%", ScaleTriple, ref::ScaleTriple}};

void ExpectSameAsReference(const CImage& image, const std::string& what) {
    for (const Pair& s : kScalings) {
        const CImage before(image);
        std::unique_ptr<CImage> expected = s.reference(image);
        std::unique_ptr<CImage> actual = s.shipped(image);
        ASSERT_EQ(actual != nullptr, expected != nullptr) << what << " " << s.name;
        if (actual) {
            EXPECT_EQ(DescribeDifference(*expected, *actual, true), "") << what << " " << s.name;
        }
        EXPECT_EQ(DescribeDifference(before, image, true), "") << "source changed";
    }
}

} // namespace

TEST(Scale, MatchesReference) {
    ForEachTestImage(ExpectSameAsReference);
    // The smallest sizes each scaling accepts, and one below.
    for (int32_t w : {2, 3, 4, 5, 6})
        for (int32_t h : {2, 3, 4, 5, 6})
            ExpectSameAsReference(MakeImage(w, h, Pattern::Random, uint32_t(w * 10 + h)),
                                  std::to_string(w) + "x" + std::to_string(h));
}

TEST(Scale, MinimumSizesAndResultSizes) {
    EXPECT_EQ(ScaleHalf(MakeImage(4, 100, Pattern::Random, 1)), nullptr);
    EXPECT_EQ(ScaleDouble(MakeImage(100, 4, Pattern::Random, 1)), nullptr);
    EXPECT_EQ(ScaleOneAndHalf(MakeImage(2, 2, Pattern::Random, 1)), nullptr);
    EXPECT_EQ(ScaleTriple(MakeImage(3, 2, Pattern::Random, 1)), nullptr);

    const CImage five = MakeImage(5, 5, Pattern::Random, 2);
    std::unique_ptr<CImage> half = ScaleHalf(five);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->Width(), 2);
    EXPECT_EQ(half->Height(), 2);
    std::unique_ptr<CImage> oneAndHalf = ScaleOneAndHalf(MakeImage(3, 3, Pattern::Random, 3));
    ASSERT_NE(oneAndHalf, nullptr);
    EXPECT_EQ(oneAndHalf->Width(), 4);
    EXPECT_EQ(oneAndHalf->Height(), 4);
}

TEST(Scale, UniformImagesStayUniform) {
    const CImage flat = MakeImage(7, 6, Pattern::Flat, 4);
    for (Scaling s : {ScaleHalf, ScaleOneAndHalf, ScaleDouble, ScaleTriple}) {
        std::unique_ptr<CImage> scaled = s(flat);
        ASSERT_NE(scaled, nullptr);
        EXPECT_EQ(scaled->CountColors(), 1);
        EXPECT_EQ(scaled->GetPixel(0, 0), flat.GetPixel(0, 0));
    }
}

TEST(Scale, ByPercentChoosesTheScalingAndRefusesOthers) {
    const CImage image = MakeImage(9, 7, Pattern::Random, 5);
    const struct {
        int32_t percent, w, h;
    } cases[] = {{50, 4, 3}, {150, 13, 10}, {200, 18, 14}, {300, 27, 21}};
    for (const auto& c : cases) {
        std::unique_ptr<CImage> scaled = ScaleImageByPercent(image, c.percent);
        ASSERT_NE(scaled, nullptr) << c.percent;
        EXPECT_EQ(scaled->Width(), c.w);
        EXPECT_EQ(scaled->Height(), c.h);
    }
    for (int32_t percent : {0, 100, -50, 250})
        EXPECT_EQ(ScaleImageByPercent(image, percent), nullptr);
}
