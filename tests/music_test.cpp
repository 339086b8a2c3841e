// The CD-audio device: held for the run, stopped in the background.
#include "audio/music.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

TEST(Music, WithoutACdDeviceOpenReportsZeroAndNothingElseReachesTheMachine)
{
    headless_devices().cd = false;
    EXPECT_EQ(music_open(), 0);
    EXPECT_EQ(music_player.open, 0);
    music_stop();
    music_close();
    EXPECT_EQ(headless_cd_stops(), 0);
    EXPECT_FALSE(headless_cd_is_open());
}

TEST(Music, AnOpenDeviceIsStoppedOnEveryStopAndOnceMoreWhenClosed)
{
    headless_devices().cd = true;
    EXPECT_EQ(music_open(), 1);
    EXPECT_TRUE(headless_cd_is_open());
    music_stop();
    music_stop();
    EXPECT_EQ(headless_cd_stops(), 2);
    music_close();
    EXPECT_EQ(headless_cd_stops(), 3);
    EXPECT_FALSE(headless_cd_is_open());
    music_stop();
    music_close();
    EXPECT_EQ(headless_cd_stops(), 3);    // a closed device is left alone
}
