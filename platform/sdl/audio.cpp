// Sound: one audio device, and the game's voices mixed in its callback.
//
// A voice holds a copy of one sample and plays it from the start whenever
// asked, cutting off what it was playing: the game's sound slots are single
// voices. What is cut off fades out over a few milliseconds, so that a
// restart does not click. The samples are unsigned 8-bit mono at 22050 Hz;
// the device is asked for signed 16-bit mono at that rate, so that the
// voices can be added with room to spare, and SDL converts for hardware
// that wants otherwise.
#include "platform/platform.h"
#include "platform/sdl/internal.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int SAMPLE_RATE = 22050;
// 512 samples a callback: about 23 ms of sound in hand.
constexpr int DEVICE_SAMPLES = 512;
// The game holds at most five voices at a time (one per slot) and makes a
// new one on every load after releasing the old; room for more is spare.
constexpr int MAX_VOICES = 32;

struct Audio {
    SDL_AudioDeviceID device = 0;
    bool subsystem = false;
    // Guarded by the device lock: the callback reads them on its own thread.
    SdlVoice mix[MAX_VOICES] = {};
    bool live[MAX_VOICES] = {};
    std::vector<uint8_t> samples[MAX_VOICES];
};

Audio audio;

void SDLCALL fill_device(void*, Uint8* stream, int bytes)
{
    sdl_mix_voices(audio.mix, MAX_VOICES, (int16_t*)stream, bytes / (int)sizeof(int16_t));
}

// The voice's index for a voice number the game holds, or -1.
int voice_index(int voice)
{
    if (!audio.device || voice < 1 || voice > MAX_VOICES || !audio.live[voice - 1])
        return -1;
    return voice - 1;
}

}  // namespace

void sdl_voice_cut(SdlVoice& voice)
{
    int16_t fade[SDL_VOICE_FADE] = {};
    for (int i = 0; i < voice.fade_left; i++)
        fade[i] = voice.fade[SDL_VOICE_FADE - voice.fade_left + i];
    uint32_t position = voice.position;
    for (int i = 0; voice.playing && voice.length > 0 && i < SDL_VOICE_FADE; i++) {
        if (position >= voice.length) {
            if (!voice.looping)
                break;
            position = 0;
        }
        // a straight fall to silence over the fade's length
        int32_t level = ((int32_t)voice.data[position++] - 128) * 256;
        fade[i] = (int16_t)std::clamp<int32_t>(fade[i] + level * (SDL_VOICE_FADE - 1 - i) / SDL_VOICE_FADE, INT16_MIN,
                                               INT16_MAX);
    }
    std::memcpy(voice.fade, fade, sizeof fade);
    voice.fade_left = SDL_VOICE_FADE;
    voice.playing = false;
}

void sdl_mix_voices(SdlVoice* voices, int count, int16_t* out, int frames)
{
    constexpr int CHUNK = 1024;
    for (int done = 0; done < frames; done += CHUNK) {
        int n = std::min(CHUNK, frames - done);
        int32_t sum[CHUNK] = {};
        for (int v = 0; v < count; v++) {
            SdlVoice& voice = voices[v];
            for (int i = 0; i < n && voice.fade_left > 0; i++)
                sum[i] += voice.fade[SDL_VOICE_FADE - voice.fade_left--];
            for (int i = 0; i < n && voice.playing; i++) {
                if (voice.position >= voice.length) {
                    if (!voice.looping || voice.length == 0) {
                        voice.playing = false;
                        break;
                    }
                    voice.position = 0;
                }
                sum[i] += ((int32_t)voice.data[voice.position++] - 128) * 256;
            }
            if (voice.playing && voice.position >= voice.length && !voice.looping)
                voice.playing = false;
        }
        for (int i = 0; i < n; i++)
            out[done + i] = (int16_t)std::clamp<int32_t>(sum[i], INT16_MIN, INT16_MAX);
    }
}

int sdl_sound_open()
{
    if (audio.device)
        return 1;
    // A machine without sound hardware fails here; the game then runs silent.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    audio.subsystem = true;
    SDL_AudioSpec wanted = {};
    wanted.freq = SAMPLE_RATE;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = DEVICE_SAMPLES;
    wanted.callback = fill_device;
    SDL_AudioSpec obtained;
    audio.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (!audio.device) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audio.subsystem = false;
        return 0;
    }
    SDL_PauseAudioDevice(audio.device, 0);
    return 1;
}

void sdl_sound_close()
{
    if (audio.device)
        SDL_CloseAudioDevice(audio.device);
    audio.device = 0;
    for (int v = 0; v < MAX_VOICES; v++) {
        audio.mix[v] = SdlVoice{};
        audio.live[v] = false;
        audio.samples[v].clear();
    }
    if (audio.subsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio.subsystem = false;
}

int sdl_voice_create(uint32_t length)
{
    if (!audio.device)
        return 0;
    int free_voice = -1;
    for (int v = 0; v < MAX_VOICES && free_voice < 0; v++)
        if (!audio.live[v])
            free_voice = v;
    if (free_voice < 0)
        return 0;
    // The voice is silent until filled. It is not in the mix while it is
    // made, so the callback need not wait for the allocation.
    audio.samples[free_voice].assign(length, 128);
    SDL_LockAudioDevice(audio.device);
    // A voice released a moment ago may still be fading out here.
    SdlVoice& made = audio.mix[free_voice];
    made.data = audio.samples[free_voice].data();
    made.length = length;
    made.position = 0;
    made.playing = made.looping = false;
    audio.live[free_voice] = true;
    SDL_UnlockAudioDevice(audio.device);
    return free_voice + 1;
}

void sdl_voice_release(int voice)
{
    int v = voice_index(voice);
    if (v < 0)
        return;
    SDL_LockAudioDevice(audio.device);
    sdl_voice_cut(audio.mix[v]);    // releasing silences it, softly
    audio.mix[v].data = nullptr;
    audio.mix[v].length = audio.mix[v].position = 0;
    audio.live[v] = false;
    SDL_UnlockAudioDevice(audio.device);
    audio.samples[v].clear();
}

void sdl_voice_fill(int voice, const uint8_t* sample, uint32_t length)
{
    int v = voice_index(voice);
    if (v < 0 || !sample)
        return;
    SDL_LockAudioDevice(audio.device);
    std::memcpy(audio.samples[v].data(), sample, std::min<size_t>(length, audio.samples[v].size()));
    SDL_UnlockAudioDevice(audio.device);
}

int sdl_voice_play(int voice, int flags)
{
    int v = voice_index(voice);
    if (v < 0)
        return VOICE_FAILED;
    SDL_LockAudioDevice(audio.device);
    sdl_voice_cut(audio.mix[v]);    // what it was playing fades out under the new start
    audio.mix[v].position = 0;
    audio.mix[v].playing = true;
    audio.mix[v].looping = (flags & 1) != 0;
    SDL_UnlockAudioDevice(audio.device);
    return VOICE_OK;
}

void sdl_audio_hold(bool held)
{
    if (audio.device)
        SDL_PauseAudioDevice(audio.device, held ? 1 : 0);
}

void sdl_audio_mix(int16_t* out, int frames)
{
    if (!audio.device)
        return;
    SDL_LockAudioDevice(audio.device);
    sdl_mix_voices(audio.mix, MAX_VOICES, out, frames);
    SDL_UnlockAudioDevice(audio.device);
}

// The voices live in ordinary memory and are never lost.
void sdl_voice_restore(int) {}
