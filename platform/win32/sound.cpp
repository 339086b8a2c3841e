// Sound voices: DirectSound at the normal cooperative level, one secondary
// buffer per voice, unsigned 8-bit mono at 22050 Hz. The game keeps each
// slot's sample and refills a voice whose memory was lost.
#include "platform/win32/internal.h"

#include <dsound.h>

#include <cstring>

namespace {

constexpr int VOICES = 16;

struct Sound {
    IDirectSound* direct_sound = nullptr;
    WAVEFORMATEX format = {};
    IDirectSoundBuffer* voices[VOICES] = {};
};

Sound sound;

IDirectSoundBuffer* voice_buffer(int voice)
{
    if (voice <= 0 || voice > VOICES)
        return nullptr;
    return sound.voices[voice - 1];
}

}  // namespace

int win32_sound_open()
{
    if (FAILED(DirectSoundCreate(nullptr, &sound.direct_sound, nullptr))) {
        sound.direct_sound = nullptr;
        return 0;
    }
    sound.direct_sound->SetCooperativeLevel(main_window, DSSCL_NORMAL);
    // The plain PCM description; cbSize 0 says nothing follows it.
    sound.format = {};
    sound.format.wFormatTag = WAVE_FORMAT_PCM;
    sound.format.nChannels = 1;
    sound.format.nSamplesPerSec = 22050;
    sound.format.nAvgBytesPerSec = 22050;
    sound.format.nBlockAlign = 1;
    sound.format.wBitsPerSample = 8;
    sound.format.cbSize = 0;
    return 1;
}

void win32_sound_close()
{
    for (int voice = 1; voice <= VOICES; voice++)
        win32_voice_release(voice);
    if (sound.direct_sound)
        sound.direct_sound->Release();
    sound.direct_sound = nullptr;
}

int win32_voice_create(uint32_t length)
{
    if (!sound.direct_sound)
        return 0;
    int free_voice = 0;
    for (int voice = 1; voice <= VOICES && !free_voice; voice++)
        if (!sound.voices[voice - 1])
            free_voice = voice;
    if (!free_voice)
        return 0;
    // The first form of the description, without the 3-D fields.
    DSBUFFERDESC1 description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = length;
    description.dwReserved = 0;
    description.lpwfxFormat = &sound.format;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(sound.direct_sound->CreateSoundBuffer((const DSBUFFERDESC*)&description, &buffer, nullptr)))
        return 0;
    sound.voices[free_voice - 1] = buffer;
    return free_voice;
}

void win32_voice_release(int voice)
{
    IDirectSoundBuffer* buffer = voice_buffer(voice);
    if (!buffer)
        return;
    buffer->Release();
    sound.voices[voice - 1] = nullptr;
}

// Copies the sample into the buffer from its write cursor, across the
// buffer's end when the lock comes back in two parts.
void win32_voice_fill(int voice, const uint8_t* sample, uint32_t length)
{
    IDirectSoundBuffer* buffer = voice_buffer(voice);
    if (!buffer)
        return;
    void* first = nullptr;
    void* second = nullptr;
    DWORD first_bytes = 0, second_bytes = 0;
    if (FAILED(buffer->Lock(0, length, &first, &first_bytes, &second, &second_bytes, DSBLOCK_FROMWRITECURSOR)))
        return;
    DWORD copied = first_bytes < length ? first_bytes : length;
    std::memcpy(first, sample, copied);
    if (second && second_bytes) {
        DWORD rest = length - copied < second_bytes ? length - copied : second_bytes;
        std::memcpy(second, sample + copied, rest);
    }
    buffer->Unlock(first, first_bytes, second, second_bytes);
}

// From the start: a voice still sounding is cut off and starts over.
int win32_voice_play(int voice, int flags)
{
    IDirectSoundBuffer* buffer = voice_buffer(voice);
    if (!buffer)
        return VOICE_FAILED;
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    HRESULT result = buffer->Play(0, 0, (DWORD)flags);
    if (result == DSERR_BUFFERLOST)
        return VOICE_LOST;
    return SUCCEEDED(result) ? VOICE_OK : VOICE_FAILED;
}

void win32_voice_restore(int voice)
{
    if (IDirectSoundBuffer* buffer = voice_buffer(voice))
        buffer->Restore();
}
