#include "audio/music.h"

#include "platform/platform.h"

MusicPlayer music_player;

int music_open()
{
    music_close();
    if (!platform_cd_open())
        return 0;
    music_player.open = 1;
    return 1;
}

void music_stop()
{
    if (music_player.open)
        platform_cd_stop();
}

void music_reset() { music_player = {}; }

void music_close()
{
    if (!music_player.open)
        return;
    music_stop();
    platform_cd_close();
    music_player.open = 0;
}
