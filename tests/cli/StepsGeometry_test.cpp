#include <cstring>

#include <gtest/gtest.h>

#include "cli/Steps.h"
#include "tests/support/TestImages.h"

namespace {

const Step& Find(const char* name) {
    for (const Step& s : GeometrySteps())
        if (std::strcmp(s.name, name) == 0) return s;
    ADD_FAILURE() << "no step " << name;
    return GeometrySteps().front();
}

bool RunStep(const char* name, CImage& image, std::initializer_list<int32_t> values,
             std::string& why) {
    StepArg args[4];
    size_t n = 0;
    for (int32_t v : values)
        args[n++].i = v;
    EXPECT_EQ(std::strlen(Find(name).kinds), n) << name;
    return Find(name).run(image, args, why);
}

} // namespace

TEST(GeometrySteps, ReplaceTheImageOrRefuseWithAReason) {
    const CImage image = MakeImage(9, 7, Pattern::Random, 1);
    std::string why;

    CImage scaled(image);
    ASSERT_TRUE(RunStep("scale", scaled, {150}, why));
    EXPECT_EQ(scaled.Width(), 13);
    EXPECT_EQ(scaled.Height(), 10);
    EXPECT_FALSE(RunStep("scale", scaled, {100}, why));
    EXPECT_NE(why, "");

    CImage small = MakeImage(4, 9, Pattern::Random, 2);
    why.clear();
    EXPECT_FALSE(RunStep("scale", small, {50}, why));
    EXPECT_NE(why, "");
    EXPECT_EQ(small.Width(), 4);

    CImage cut(image);
    why.clear();
    EXPECT_FALSE(RunStep("trim", cut, {8, 0, 1, 1}, why));
    EXPECT_NE(why, "");
    ASSERT_TRUE(RunStep("trim", cut, {1, 2, 3, 100}, why));
    EXPECT_EQ(cut.Width(), 3);
    EXPECT_EQ(cut.Height(), 5);
    EXPECT_EQ(cut.GetPixel(0, 0), image.GetPixel(1, 2));

    CImage resampled(image);
    EXPECT_FALSE(RunStep("resample", resampled, {-1, 3}, why));
    ASSERT_TRUE(RunStep("resample", resampled, {3, 14}, why));
    EXPECT_EQ(resampled.Width(), 3);
    EXPECT_EQ(resampled.Height(), 14);

    CImage turned(image);
    ASSERT_TRUE(RunStep("exchange-xy", turned, {}, why));
    EXPECT_EQ(turned.Width(), 7);
    EXPECT_EQ(turned.GetPixel(6, 8), image.GetPixel(8, 6));
}
