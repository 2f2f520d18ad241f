#include <gtest/gtest.h>

#include <limits>

#include "core/Numbers.h"
#include "core/Random.h"

TEST(Numbers, TextToLongReadsLikeTheWindowsRuntime) {
    EXPECT_EQ(TextToLong("42", 15), 42);
    EXPECT_EQ(TextToLong("  -17abc", 15), -17);
    EXPECT_EQ(TextToLong("+8", 15), 8);
    EXPECT_EQ(TextToLong("", 15), 0);
    EXPECT_EQ(TextToLong("abc", 15), 0);
    EXPECT_EQ(TextToLong("-", 15), 0);
    EXPECT_EQ(TextToLong("0x1F", 15), 0) << "decimal only";
    EXPECT_EQ(TextToLong("1/2", 15), 1);
    EXPECT_EQ(TextToLong("2147483647", 15), 2147483647);
    EXPECT_EQ(TextToLong("2147483648", 15), 2147483647) << "saturates";
    EXPECT_EQ(TextToLong("99999999999999999999", 63), 2147483647);
    EXPECT_EQ(TextToLong("-2147483648", 15), INT32_MIN);
    EXPECT_EQ(TextToLong("-99999999999999", 15), INT32_MIN);
    // Only the first N characters are looked at.
    EXPECT_EQ(TextToLong("123456789012345678", 15), 2147483647);
    EXPECT_EQ(TextToLong("000000000000000123", 15), 0);
    EXPECT_EQ(TextToLong("000000000000000123", 63), 123);
    EXPECT_EQ(TextToLong("12345", 3), 123);
    EXPECT_EQ(TextToLong(nullptr, 15), 0);
}

TEST(Numbers, TextToDoubleReadsDecimalRealsOnly) {
    EXPECT_EQ(TextToDouble("1.5e1", 63), 15.0);
    EXPECT_EQ(TextToDouble("  -0.25x", 63), -0.25);
    EXPECT_EQ(TextToDouble(".5", 63), 0.5);
    EXPECT_EQ(TextToDouble("5.", 63), 5.0);
    EXPECT_EQ(TextToDouble("1/2", 63), 1.0);
    EXPECT_EQ(TextToDouble("abc", 63), 0.0);
    EXPECT_EQ(TextToDouble(".", 63), 0.0);
    EXPECT_EQ(TextToDouble("2e", 63), 2.0) << "an exponent without digits is not read";
    EXPECT_EQ(TextToDouble("2e+", 63), 2.0);
    EXPECT_EQ(TextToDouble("inf", 63), 0.0);
    EXPECT_EQ(TextToDouble("nan", 63), 0.0);
    EXPECT_EQ(TextToDouble("0x10", 63), 0.0);
    EXPECT_EQ(TextToDouble("0.1", 63), 0.1) << "correctly rounded";
    EXPECT_EQ(TextToDouble("0.333", 63), 0.333);
    EXPECT_EQ(TextToDouble("1e-400", 63), 0.0);
    EXPECT_EQ(TextToDouble("1e400", 63), std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToDouble("123456", 3), 123.0);
}

TEST(Numbers, WholeTextParsersForTheBatchTool) {
    int32_t i = 0;
    EXPECT_TRUE(ParseWholeInt("-64", i));
    EXPECT_EQ(i, -64);
    EXPECT_TRUE(ParseWholeInt("+7", i));
    EXPECT_EQ(i, 7);
    for (const char* bad : {"", "1.0", "7x", " 7", "+-1", "2147483648", "0x10", "-"})
        EXPECT_FALSE(ParseWholeInt(bad, i)) << bad;

    double r = 0;
    EXPECT_TRUE(ParseWholeReal("2.5e-1", r));
    EXPECT_EQ(r, 0.25);
    EXPECT_TRUE(ParseWholeReal("-4", r));
    EXPECT_EQ(r, -4.0);
    for (const char* bad : {"", ".", "1e", "inf", "nan", "1.0.0", "1e999", "0x1p3", "1,5"})
        EXPECT_FALSE(ParseWholeReal(bad, r)) << bad;
}

TEST(Random, IsTheRuntimeGenerator) {
    SeedRandom(1);
    EXPECT_EQ(NextRandom(), 41);
    EXPECT_EQ(NextRandom(), 18467);
    EXPECT_EQ(NextRandom(), 6334);
    SeedRandom(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int v = NextRandom();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}
