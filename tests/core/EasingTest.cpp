#include "core/Easing.hpp"

#include <gtest/gtest.h>

TEST(Easing, Placeholder) { EXPECT_FLOAT_EQ(ease(Linear, 0.5f, 0.0f, 1.0f, 1.0f), 0.5f); }
