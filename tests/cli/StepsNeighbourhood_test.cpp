#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "cli/Steps.h"
#include "ops/filters/FilterKernel.h"
#include "ops/filters/FilterOps.h"
#include "tests/support/TestImages.h"

namespace {

const Step* Find(const char* name) {
    for (const Step& s : NeighbourhoodSteps())
        if (std::strcmp(s.name, name) == 0) return &s;
    return nullptr;
}

bool RunNamed(const char* name, CImage& image, const std::vector<StepArg>& values,
              std::string& why) {
    const Step* step = Find(name);
    if (!step) {
        ADD_FAILURE() << "no step " << name;
        return false;
    }
    EXPECT_EQ(std::strlen(step->kinds), values.size()) << name;
    return step->run(image, values.data(), why);
}

StepArg Real(double r) {
    return {0, r};
}
StepArg Int(int32_t i) {
    return {i, 0};
}

} // namespace

TEST(NeighbourhoodSteps, Filter3x3TakesTheKernelTopRowFirst) {
    // K1 is the window's top-left box: the upper-left neighbour, row y + 1.
    const CImage image = MakeImage(5, 4, Pattern::Random, 1);
    CImage stepped(image), direct(image);
    std::string why;
    ASSERT_TRUE(RunNamed("filter3x3", stepped,
                         {Real(1), Real(2), Real(3), Real(4), Real(5), Real(6), Real(7), Real(8),
                          Real(9), Real(-20), Real(45)},
                         why));
    FilterKernel kernel;
    const double rows[9] = {7, 8, 9, 4, 5, 6, 1, 2, 3}; // bottom row first
    for (int i = 0; i < 9; ++i)
        kernel.coefficients[i] = rows[i];
    kernel.addend = -20;
    kernel.divisor = 45;
    ASSERT_TRUE(direct.ApplyFilter3x3(kernel));
    EXPECT_EQ("", DescribeDifference(direct, stepped));

    for (double divisor : {0.0, 999.5, 1000.0}) {
        CImage kept(image);
        why.clear();
        EXPECT_FALSE(RunNamed("filter3x3", kept,
                              {Real(1), Real(1), Real(1), Real(1), Real(1), Real(1), Real(1),
                               Real(1), Real(1), Real(0), Real(divisor)},
                              why));
        EXPECT_NE("", why);
        EXPECT_EQ("", DescribeDifference(image, kept));
    }
}

TEST(NeighbourhoodSteps, RefuseRangesAndThresholdsTheWindowsDoNotOffer) {
    const CImage image = MakeImage(6, 6, Pattern::HardEdges, 2);
    for (auto [name, args] : {std::pair{"blur", std::vector<StepArg>{Int(0), Real(1)}},
                              {"blur", {Int(7), Real(1)}},
                              {"unsharp", {Int(-1), Real(1)}},
                              {"unsharp", {Int(7), Real(1)}},
                              {"outline", {Int(0)}},
                              {"antialias", {Int(-3)}}}) {
        CImage kept(image);
        std::string why;
        EXPECT_FALSE(RunNamed(name, kept, args, why)) << name;
        EXPECT_NE("", why) << name;
        EXPECT_EQ("", DescribeDifference(image, kept)) << name;
    }
    std::string why;
    for (auto [name, args] : {std::pair{"blur", std::vector<StepArg>{Int(6), Real(0.2)}},
                              {"unsharp", {Int(1), Real(-0.7)}},
                              {"outline", {Int(1)}},
                              {"antialias", {Int(256)}},
                              {"emboss", {}},
                              {"median", {}}}) {
        CImage changed(image);
        EXPECT_TRUE(RunNamed(name, changed, args, why)) << name << ": " << why;
    }
}
