// Samples of the sound bank played through the slots.
#include "audio/sound.h"

#include "resources/resources.h"

void sound_load_sample(int slot, int k)
{
    const uint8_t* start;
    uint32_t length;
    if (sound_sample(k, &start, &length))
        sound_load_slot(slot, start, length);
}

void sound_play_sample(int k)
{
    const uint8_t* start;
    uint32_t length;
    if (!sound_sample(k, &start, &length))
        return;    // not in the bank: play nothing rather than whatever slot 0 held
    sound_load_slot(0, start, length);
    sound_play_slot(0, SOUND_PLAY_ONCE);
}
