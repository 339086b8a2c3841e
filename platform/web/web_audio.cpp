// Sound through Web Audio: the game's voices, each sample made into an
// AudioBuffer once and played from its start whenever asked.
//
// The game makes a new voice for every sound it loads, so the buffers are
// kept by the sample they were made from (the pack stays loaded, so the
// same sound comes from the same bytes) and a sound heard again costs no
// conversion. A voice cut while it still sounds (played again, or let go)
// fades out over a few milliseconds rather than stopping dead, which clicks.
// Without Web Audio the game is silent, never stopped.
#include "platform/platform.h"
#include "platform/web/web_internal.h"
#include "platform/web/web_rules.h"

#include <map>
#include <utility>
#include <vector>

extern "C" {
int web_audio_open();
double web_audio_now();
int web_audio_buffer(const float* samples, int length);
double web_audio_start(int voice, int buffer, int looping);
void web_audio_stop(int voice, double fade);
}

namespace {

constexpr int MAX_VOICES = 32;

struct Voice {
    bool live = false;
    uint32_t length = 0;
    int buffer = 0;        // the page's AudioBuffer, 0 until filled
    bool looping = false;
    bool started = false;
    double ends = 0;       // on the audio clock
};

struct Audio {
    bool open = false;
    Voice voices[MAX_VOICES];
    std::map<std::pair<const uint8_t*, uint32_t>, int> buffers;
};

Audio audio;

Voice* find(int voice)
{
    if (!audio.open || voice < 1 || voice > MAX_VOICES || !audio.voices[voice - 1].live)
        return nullptr;
    return &audio.voices[voice - 1];
}

void cut(int voice, Voice& v)
{
    if (!v.started)
        return;
    web_audio_stop(voice, web_cut_fade(web_audio_now(), v.ends, v.looping));
    v.started = false;
}

}  // namespace

int web_sound_open()
{
    audio.open = web_audio_open() != 0;
    return audio.open ? 1 : 0;
}

void web_sound_close()
{
    for (int v = 0; v < MAX_VOICES; v++)
        if (audio.voices[v].live)
            cut(v + 1, audio.voices[v]);
    // The page keeps its buffers; they serve again if sound is opened again.
    for (Voice& v : audio.voices)
        v = Voice{};
    audio.open = false;
}

int web_voice_create(uint32_t length)
{
    if (!audio.open)
        return 0;
    for (int v = 0; v < MAX_VOICES; v++)
        if (!audio.voices[v].live) {
            audio.voices[v] = Voice{};
            audio.voices[v].live = true;
            audio.voices[v].length = length;
            return v + 1;
        }
    return 0;
}

void web_voice_release(int voice)
{
    if (Voice* v = find(voice)) {
        cut(voice, *v);
        *v = Voice{};
    }
}

void web_voice_fill(int voice, const uint8_t* sample, uint32_t length)
{
    Voice* v = find(voice);
    if (!v || !sample)
        return;
    if (length > v->length)
        length = v->length;
    auto key = std::make_pair(sample, length);
    auto known = audio.buffers.find(key);
    if (known != audio.buffers.end()) {
        v->buffer = known->second;
        return;
    }
    std::vector<float> floats(length);
    web_sample_to_float(sample, length, floats.data());
    v->buffer = web_audio_buffer(floats.data(), (int)length);
    if (v->buffer)
        audio.buffers[key] = v->buffer;
}

int web_voice_play(int voice, int flags)
{
    Voice* v = find(voice);
    if (!v)
        return VOICE_FAILED;
    if (!v->buffer)
        return VOICE_OK;    // an empty sound plays as silence
    cut(voice, *v);
    v->looping = (flags & 1) != 0;
    double ends = web_audio_start(voice, v->buffer, v->looping ? 1 : 0);
    if (ends < 0)
        return VOICE_FAILED;
    v->ends = ends;
    v->started = true;
    return VOICE_OK;
}

// The buffers live in the page and are never lost.
void web_voice_restore(int) {}
