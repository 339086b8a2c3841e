#include "platform/globals.h"

#include <gtest/gtest.h>

// Worked by hand from state := state * 214013 + 2531011 (mod 2^32), value = (state >> 16) & 0x7FFF.
TEST(RandomGenerator, DrawsMatchTheFormulaTheStateWrapsAndRandomStaysBelowItsRange)
{
    rng_seed(1);
    EXPECT_EQ(rng_draw(), 41);        // state 2745024
    EXPECT_EQ(rng_draw(), 18467);
    rng_seed(10);
    EXPECT_EQ(rng_draw(), 71);        // state 4671141
    EXPECT_EQ(rng_draw(), 16899);
    EXPECT_EQ(rng_draw(), 3272);      // state 2361922119: the top bit is not part of the value
    EXPECT_EQ(rng_state, 2361922119u);
    rng_seed(0xFFFFFFFFu);
    rng_draw();
    EXPECT_EQ(rng_state, 2531011u - 214013u);    // -1 * 214013 + 2531011
    // random(n) scales the draw and truncates: the largest draw, 32767,
    // gives n - 1 and never n.
    rng_seed(1);
    EXPECT_EQ(random(360), 0);      // 41 * 360 / 32768
    EXPECT_EQ(random(360), 202);    // 18467 * 360 / 32768 = 202.9, truncated
    rng_seed(0xC1F9F585u);          // the next state is 0xFFFF1234: a draw of 32767
    EXPECT_EQ(random(80), 79);
}

TEST(ScreenSnapshot, ThereIsOnlyEverOne)
{
    uint8_t* first = snapshot_allocate();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(snapshot_allocate(), first);    // asked again: the same buffer, nothing leaks
    snapshot_free();
    EXPECT_EQ(screen_snapshot, nullptr);
    snapshot_free();    // freeing none is harmless
}
