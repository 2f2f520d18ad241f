// Every operation with each of its allocations failing in turn: it either
// succeeds with the same result as with all memory granted, or refuses and
// leaves the image exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "cli/Steps.h"
#include "tests/support/AllocationFailure.h"
#include "tests/support/TestImages.h"

namespace {

// An accepted value for each parameter: 1, 2, 3... in turn (so ranges run
// upwards), or the first of the values it takes.
std::vector<StepArg> ArgumentsFor(const Step& step) {
    std::vector<StepArg> args;
    for (const Param& param : step.Params()) {
        const double next = double(args.size() + 1);
        double v = param.only[0] != 0 ? param.only[0] : std::clamp(next, param.least, param.most);
        if (param.aboveLeast && v <= param.least) v = param.least + 1;
        StepArg arg;
        arg.i = int32_t(v);
        arg.r = v;
        args.push_back(arg);
    }
    return args;
}

// No step may report success without having done its work.
TEST(AllocationFailure, EveryOperationSucceedsOrLeavesTheImageAsItWas) {
    const CImage original = MakeImage(9, 7, Pattern::Random, 3);
    int64_t walked = 0;
    std::set<std::string> silent;
    for (auto steps : {ColourSteps(), NeighbourhoodSteps(), GeometrySteps()})
        for (const Step& step : steps) {
            SCOPED_TRACE(step.name);
            const std::vector<StepArg> args = ArgumentsFor(step);
            CImage image, expected;
            std::string why;
            walked += WalkAllocationFailures(
                [&] { ASSERT_TRUE(image.CopyFrom(&original)); },
                [&] { return step.run(image, args.data(), why); },
                [&](bool succeeded, int64_t n) {
                    if (n == 0) {
                        ASSERT_TRUE(succeeded) << why; // arguments the step takes
                        ASSERT_TRUE(expected.CopyFrom(&image));
                        return;
                    }
                    if (succeeded && DescribeDifference(expected, image, true).empty()) return;
                    EXPECT_EQ(DescribeDifference(original, image, true), "")
                        << "allocation " << n << " failed";
                    if (succeeded) silent.insert(step.name);
                });
        }
    EXPECT_GT(walked, 40);
    EXPECT_TRUE(silent.empty()) << *silent.begin() << ": success reported without memory";
}

} // namespace
