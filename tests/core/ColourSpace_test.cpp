#include <gtest/gtest.h>

#include "core/Image.h"

TEST(ColourSpace, Placeholder) { EXPECT_TRUE(true); }
