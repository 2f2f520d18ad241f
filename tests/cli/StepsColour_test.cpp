#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "cli/Steps.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"

namespace {

const Step* FindColourStep(const char* name) {
    for (const Step& s : ColourSteps())
        if (std::strcmp(s.name, name) == 0) return &s;
    return nullptr;
}

// Runs the step with the arguments, integers or reals as its kinds say.
bool RunColourStep(const char* name, CImage& image, std::vector<double> values, std::string& why) {
    const Step* step = FindColourStep(name);
    EXPECT_NE(nullptr, step) << name;
    if (!step) return false;
    EXPECT_EQ(std::strlen(step->kinds), values.size()) << name;
    std::vector<StepArg> args(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        args[i].r = values[i];
        args[i].i = int32_t(values[i]);
    }
    why.clear();
    return step->run(image, args.data(), why);
}

} // namespace

TEST(ColourSteps, RunTheirOperations) {
    const CImage start = MakeImage(13, 9, Pattern::Random, 21);
    std::string why;

    CImage viaStep = start, direct = start;
    ASSERT_TRUE(RunColourStep("adjust-ycc", viaStep, {5, -3, 64}, why));
    ApplyComponentOffsets(direct, ColourModel::YCrCb, 5, -3, 64);
    EXPECT_EQ("", DescribeDifference(direct, viaStep, true));

    viaStep = start;
    direct = start;
    const double m[12] = {0.5, 0.25, 0, 3.5, 0, 1, 0, 0, -1, 0, 0, 255};
    ASSERT_TRUE(RunColourStep("rgb-matrix", viaStep, std::vector<double>(m, m + 12), why));
    ConvertRgb(direct, m);
    EXPECT_EQ("", DescribeDifference(direct, viaStep, true));

    viaStep = start;
    direct = start;
    ASSERT_TRUE(RunColourStep("tone-cut", viaStep, {2, 100, 255, 0, 128}, why));
    ToneCut(direct, 2, 100, 255, 0, 128);
    EXPECT_EQ("", DescribeDifference(direct, viaStep, true));

    for (const char* name : {"gray", "invert", "reduce216", "maximize-contrast"}) {
        CImage image = start;
        EXPECT_TRUE(RunColourStep(name, image, {}, why)) << name;
    }
    CImage image = start;
    EXPECT_TRUE(RunColourStep("adjust-rgb", image, {-64, 0, 64}, why));
    EXPECT_TRUE(RunColourStep("map-luminance", image, {10, 200, 30, 30}, why));
    EXPECT_TRUE(RunColourStep("saturation", image, {-32}, why));
    EXPECT_TRUE(RunColourStep("gamma", image, {0.02}, why));
    EXPECT_TRUE(RunColourStep("posterize", image, {2, 256, 49}, why));
    EXPECT_TRUE(RunColourStep("replace", image, {0, 0, 0, 255, 255, 255}, why));
    EXPECT_TRUE(RunColourStep("color-diff", image, {1}, why));
}

TEST(ColourSteps, RefuseArgumentsTheOperationsCannotTakeAndChangeNothing) {
    const CImage start = MakeImage(7, 5, Pattern::Random, 22);
    const std::pair<const char*, std::vector<double>> refused[] = {
        {"posterize", {1, 4, 4}},
        {"posterize", {4, 4, 257}},
        {"map-luminance", {50, 50, 0, 255}},
        {"map-luminance", {0, 255, 200, 100}},
        {"gamma", {0}},
        {"gamma", {-2}},
        {"tone-cut", {3, 128, 0, 0, 0}},
        {"tone-cut", {1, 128, 0, 256, 0}},
        {"replace", {0, 0, -1, 1, 1, 1}},
        {"replace", {0, 0, 0, 1, 1, 256}},
    };
    for (const auto& [name, values] : refused) {
        CImage image = start;
        std::string why;
        EXPECT_FALSE(RunColourStep(name, image, values, why)) << name;
        EXPECT_NE("", why) << name;
        EXPECT_EQ("", DescribeDifference(start, image, true)) << name;
    }
}
