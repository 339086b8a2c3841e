// The CD-audio device: held for the whole run and stopped whenever the game
// is in the background. No screen starts any music, so these three
// operations are all the game ever asks of it. On a machine without such a
// device open reports 0 and the others do nothing.
#pragma once

#include <cstdint>

struct MusicPlayer {
    int32_t open;    // the device was opened and set up
};

extern MusicPlayer music_player;

int music_open();      // 1 when the device is ready; start-up goes on either way
void music_stop();     // every pass of the pump's background wait
void music_close();    // stops, then closes; at shutdown
void music_reset();    // not open, as at start-up; the machine is not asked
