// Sound effects: five slots, each a single voice holding one sample.
//
// Most effects go through slot 0, loaded with the wanted sample right before
// each play; the moth-settles sample lives in slot 3 for the whole game.
// Playing a slot cuts off what it was playing and starts from the beginning.
// Without a sound device the game runs silent and nothing here does anything.
#pragma once

#include <cstdint>

constexpr int SOUND_SLOTS = 5;
constexpr int SOUND_PLAY_ONCE = 0;
constexpr int SOUND_PLAY_LOOPING = 1;

struct SoundSystem {
    int device;                           // 1 when the platform's sound device is open
    int slot_voices[SOUND_SLOTS];         // platform voice per slot, 0 when empty
    const uint8_t* slot_samples[SOUND_SLOTS];   // the sample each slot last took (not a copy)
    uint32_t slot_lengths[SOUND_SLOTS];
    int32_t sound_enabled;                // effects on: loads and plays work only while set
    int32_t sound_available;              // a device exists: the menu may switch effects on
};

extern SoundSystem sound_system;

int sound_create();                        // always 1: a missing device means silence
void sound_release();
// No device, no slot filled, effects off, as at start-up. The voices belong
// to the machine and are not released one by one.
void sound_reset();
void sound_load_slot(int slot, const uint8_t* sample, uint32_t length);
void sound_fill_slot(int slot);
int sound_play_slot(int slot, int flags);  // the platform's result of the last play, 0 when off

// Plays sample k of the sound bank through slot 0: load, then play once.
void sound_play_sample(int k);
// Loads sample k of the sound bank into `slot` without playing it.
void sound_load_sample(int slot, int k);
