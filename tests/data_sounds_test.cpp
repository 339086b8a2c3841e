// The generated sound effects: every sample the game plays is there, starts
// and ends on silence (no click), never clips, and the moth that lands
// makes a short sound, since it is heard very often.
#include "data_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int SILENCE = 128;
constexpr int SAMPLE_RATE = 22050;

TEST(DataSounds, EverySamplePlayedIsPresentAndTheUnusedOnesAreEmpty)
{
    REQUIRE_DATA();
    bind_game_data();
    for (int k = 0; k <= 12; k++) {
        const uint8_t* start;
        uint32_t length;
        ASSERT_TRUE(sound_sample(k, &start, &length)) << "sample " << k;
        if (k == 1 || k == 3 || k == 5)
            EXPECT_EQ(length, 0u) << "sample " << k << " is not played";
        else
            EXPECT_GT(length, (uint32_t)SAMPLE_RATE / 20) << "sample " << k;
    }
}

TEST(DataSounds, SamplesStartAndEndOnSilenceAndNeverClip)
{
    REQUIRE_DATA();
    bind_game_data();
    for (int k = 0; k <= 12; k++) {
        const uint8_t* start;
        uint32_t length;
        ASSERT_TRUE(sound_sample(k, &start, &length));
        if (length == 0)
            continue;
        EXPECT_NEAR(start[0], SILENCE, 2) << "sample " << k << " clicks at its start";
        EXPECT_NEAR(start[length - 1], SILENCE, 2) << "sample " << k << " clicks at its end";
        // the first and last milliseconds ease in and out
        for (uint32_t i = 0; i < 22 && i < length; i++) {
            EXPECT_NEAR(start[i], SILENCE, 24) << "sample " << k << " byte " << i;
            EXPECT_NEAR(start[length - 1 - i], SILENCE, 24) << "sample " << k << " byte " << length - 1 - i;
        }
        int lowest = 255, highest = 0;
        for (uint32_t i = 0; i < length; i++) {
            lowest = std::min(lowest, (int)start[i]);
            highest = std::max(highest, (int)start[i]);
        }
        EXPECT_GT(lowest, 0) << "sample " << k << " clips";
        EXPECT_LT(highest, 255) << "sample " << k << " clips";
        EXPECT_GT(highest - lowest, 40) << "sample " << k << " is too quiet to hear";
    }
}

TEST(DataSounds, TheLandingChimeIsShortAndSofterThanTheBigEvents)
{
    REQUIRE_DATA();
    bind_game_data();
    auto peak = [](int k) {
        const uint8_t* start;
        uint32_t length;
        EXPECT_TRUE(sound_sample(k, &start, &length));
        int most = 0;
        for (uint32_t i = 0; i < length; i++)
            most = std::max(most, std::abs(start[i] - SILENCE));
        return std::make_pair(most, length);
    };
    auto [chime, chime_length] = peak(2);
    EXPECT_LE(chime_length, (uint32_t)SAMPLE_RATE / 4) << "it plays for every moth that lands";
    EXPECT_LT(chime, peak(11).first) << "a collect sounds fuller than a landing";
    EXPECT_LT(chime, peak(0).first);
}

}  // namespace
