#include "platform/globals.h"
#include <gtest/gtest.h>
TEST(Smoke, Builds) { EXPECT_EQ(rng_state, 1u); }
