#include "audio/sound.h"

#include "platform/platform.h"

SoundSystem sound_system;

static bool slot_ok(int slot) { return slot >= 0 && slot < SOUND_SLOTS; }

int sound_create()
{
    SoundSystem& s = sound_system;
    s = SoundSystem{};
    if (!platform_sound_open())
        return 1;    // no device: both flags stay 0 and the game runs silent
    s.device = 1;
    s.sound_enabled = 1;
    s.sound_available = 1;
    return 1;
}

void sound_release()
{
    SoundSystem& s = sound_system;
    for (int slot = 0; slot < SOUND_SLOTS; slot++) {
        if (s.slot_voices[slot])
            platform_voice_release(s.slot_voices[slot]);
        s.slot_voices[slot] = 0;
    }
    if (s.device)
        platform_sound_close();
    s.device = 0;
}

void sound_reset() { sound_system = {}; }

void sound_load_slot(int slot, const uint8_t* sample, uint32_t length)
{
    SoundSystem& s = sound_system;
    if (!s.sound_enabled || !slot_ok(slot))
        return;
    // A new voice for every load; releasing the old one also silences it.
    if (s.slot_voices[slot])
        platform_voice_release(s.slot_voices[slot]);
    s.slot_voices[slot] = platform_voice_create(length);
    s.slot_samples[slot] = sample;
    s.slot_lengths[slot] = length;
    sound_fill_slot(slot);
}

void sound_fill_slot(int slot)
{
    SoundSystem& s = sound_system;
    if (!s.sound_enabled || !slot_ok(slot) || !s.slot_voices[slot] || !s.slot_samples[slot])
        return;
    platform_voice_fill(s.slot_voices[slot], s.slot_samples[slot], s.slot_lengths[slot]);
}

int sound_play_slot(int slot, int flags)
{
    SoundSystem& s = sound_system;
    if (!s.sound_enabled || !slot_ok(slot))
        return 0;
    int voice = s.slot_voices[slot];
    if (!voice)
        return VOICE_FAILED;    // the slot's voice could not be made: nothing to play
    int result = platform_voice_play(voice, flags);
    // A voice whose memory was lost is restored, refilled from the sample the
    // slot remembers and played again. The bound keeps a device that loses
    // every buffer from holding the game here for ever.
    for (int tries = 0; result == VOICE_LOST && tries < 8; tries++) {
        platform_voice_restore(voice);
        sound_fill_slot(slot);
        result = platform_voice_play(voice, flags);
    }
    return result;
}
