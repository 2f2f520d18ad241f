#include <gtest/gtest.h>

#include <limits>

#include "ops/colour/ColourOps.h"
#include "tests/ops/colour/Reference.h"

TEST(ColourDifference, MatchesDefinitionOnTestImages) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double k : {1.0, 0.5, 0.01, 0.37, 0.99, -0.75, 3.0, 1e12, inf})
        EXPECT_EQ("",
                  CompareOnTestImages([&](CImage& i) { EXPECT_TRUE(EnlargeColorDifference(i, k)); },
                                      [&](CImage& i) { reference::EnlargeColorDifference(i, k); }))
            << "k " << k;
}

TEST(ColourDifference, NoChangeWithoutStrengthContrastOrNeighbours) {
    CImage image = MakeImage(7, 5, Pattern::Random, 5);
    image.Bits()[3] |= 0x5A000000;
    const CImage before = image;
    EXPECT_TRUE(EnlargeColorDifference(image, 0));
    EXPECT_EQ("", DescribeDifference(before, image, true));

    for (double k : {0.5, 1.0}) {
        CImage flat = Filled(6, 4, 0x00406080);
        EXPECT_TRUE(EnlargeColorDifference(flat, k));
        EXPECT_EQ("", DescribeDifference(Filled(6, 4, 0x00406080), flat, true));
    }

    CImage lone = RowOf({0x12345678});
    EXPECT_TRUE(EnlargeColorDifference(lone, 1.0));
    EXPECT_EQ(0x12345678u, lone.GetPixel(0, 0));
}

TEST(ColourDifference, DocumentedValues) {
    // A 200 in a field of 100: it reaches 300, clamped; its right neighbour has
    // the average 125 and falls to 75.
    CImage image = Filled(5, 5, 0x00646464);
    image.SetPixel(2, 2, 0x00C8C8C8);
    ASSERT_TRUE(EnlargeColorDifference(image, 1.0));
    EXPECT_EQ(0x00FFFFFFu, image.GetPixel(2, 2));
    EXPECT_EQ(0x004B4B4Bu, image.GetPixel(3, 2));

    // Differences of +3 and -3 at k = 0.5 move by one level each way.
    CImage row = RowOf({0x000A0A0A, 0x000D0D0D, 0x000A0A0A, 0x00070707, 0x000A0A0A});
    ASSERT_TRUE(EnlargeColorDifference(row, 0.5));
    EXPECT_EQ(0x000E0E0Eu, row.GetPixel(1, 0));
    EXPECT_EQ(0x00060606u, row.GetPixel(3, 0));
}
