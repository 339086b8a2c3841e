// Sound on the desktop: the voices the sound slots play through, mixed into
// one device. What the slots themselves do is the game's, tested with the
// sound slots; here the mixing, the fade when a voice is cut or started
// over, and a machine without a sound device.
#include "sdl_helpers.h"

#include "audio/sound.h"

#include <cmath>

namespace {

constexpr int16_t LEVEL(int byte) { return (int16_t)((byte - 128) * 256); }

SdlVoice voice_of(const std::vector<uint8_t>& sample, bool looping = false)
{
    return SdlVoice{sample.data(), (uint32_t)sample.size(), 0, true, looping};
}

std::vector<int16_t> mix_voices(SdlVoice* voices, int count, int frames)
{
    std::vector<int16_t> out(frames);
    sdl_mix_voices(voices, count, out.data(), frames);
    return out;
}

TEST(SdlMixer, VoicesAddHoldAtTheEdgeGoOnToTheirEndOrStartOverAndACutOneFadesOut)
{
    std::vector<uint8_t> a = {128, 138, 148, 118}, b = {128, 129, 98, 128}, loud(4, 255), deep(4, 0);
    SdlVoice voices[5] = {voice_of(a), voice_of(b), {}};
    EXPECT_EQ(mix_voices(voices, 3, 4), (std::vector<int16_t>{0, 11 * 256, -10 * 256, -10 * 256}));
    for (const auto& [sample, edge] : {std::pair{&loud, INT16_MAX}, std::pair{&deep, INT16_MIN}}) {
        for (SdlVoice& v : voices)
            v = voice_of(*sample);
        EXPECT_EQ(mix_voices(voices, 5, 4), std::vector<int16_t>(4, edge));
    }

    std::vector<uint8_t> sample = {200, 100, 150};
    SdlVoice once = voice_of(sample), loop = voice_of(sample, true);
    EXPECT_EQ(mix_voices(&once, 1, 2), (std::vector<int16_t>{LEVEL(200), LEVEL(100)}));
    EXPECT_EQ(mix_voices(&once, 1, 3), (std::vector<int16_t>{LEVEL(150), 0, 0}));
    EXPECT_FALSE(once.playing);
    EXPECT_EQ(mix_voices(&loop, 1, 7), (std::vector<int16_t>{LEVEL(200), LEVEL(100), LEVEL(150), LEVEL(200),
                                                             LEVEL(100), LEVEL(150), LEVEL(200)}));
    EXPECT_TRUE(loop.playing);

    // A cut voice falls from where it was to silence; cut again half way
    // through, the rest of the first fade goes on.
    std::vector<uint8_t> steady(1000, 228);
    SdlVoice v = voice_of(steady);
    mix_voices(&v, 1, 1);
    sdl_voice_cut(v);
    EXPECT_FALSE(v.playing);
    std::vector<int16_t> out = mix_voices(&v, 1, SDL_VOICE_FADE + 10);
    EXPECT_GT(out[0], LEVEL(228) * 9 / 10) << "the fade starts where the voice was";
    for (int i = 1; i < (int)out.size(); i++)
        ASSERT_LE(std::abs(out[i] - out[i - 1]), LEVEL(228) / SDL_VOICE_FADE + 1) << i;
    EXPECT_EQ(out.back(), 0);

    v = voice_of(steady);
    sdl_voice_cut(v);
    int16_t before = mix_voices(&v, 1, SDL_VOICE_FADE / 2).back();
    v.playing = true;
    sdl_voice_cut(v);
    EXPECT_GT(mix_voices(&v, 1, 1)[0], before) << "the second cut adds to the first fade";
}

using SdlSound = SdlMachine;

// Started over or reloaded while it sounds, a slot's voice fades out the
// old sound: once the fade is over one voice plays from the start, not two
// summed; and no step is larger than the wave's own plus a fade step, so
// starting over at the crest of a loud low wave does not click. Voices are
// reused, so a game of loads never runs out; a released one is dead.
TEST_F(SdlSound, AVoiceStartedOverOrReloadedFadesOutWithoutAClickAndVoicesAreReused)
{
    platform_use(sdl);
    sound_create();
    sdl_audio_hold(true);    // the test mixes by hand
    auto mix = [](int frames) {
        std::vector<int16_t> out(frames);
        sdl_audio_mix(out.data(), frames);
        return out;
    };
    constexpr double HZ = 100, AMPLITUDE = 120;
    std::vector<uint8_t> wave(4000);
    for (size_t i = 0; i < wave.size(); i++)
        wave[i] = (uint8_t)std::lround(128 + AMPLITUDE * std::sin(2 * M_PI * HZ * i / 22050.0));
    const int crest = (int)(22050 / HZ / 4);
    const int bound = (int)(256 * AMPLITUDE * (2 * M_PI * HZ / 22050 + 1.0 / SDL_VOICE_FADE)) + 256;
    ASSERT_EQ(sound_system.sound_available, 1);
    for (bool reload : {false, true}) {
        sound_load_slot(0, wave.data(), (uint32_t)wave.size());
        sound_play_slot(0, SOUND_PLAY_ONCE);
        std::vector<int16_t> out = mix(crest);
        ASSERT_GT(out.back(), 250 * AMPLITUDE) << "the wave is at its crest";
        if (reload) {
            sound_load_slot(0, wave.data(), (uint32_t)wave.size());
            std::vector<int16_t> faded = mix(SDL_VOICE_FADE + 1);
            EXPECT_EQ(faded.back(), 0) << "a reloaded slot waits to be played";
            out.insert(out.end(), faded.begin(), faded.end());
        }
        sound_play_slot(0, SOUND_PLAY_ONCE);
        std::vector<int16_t> after = mix(1000);
        for (int i = SDL_VOICE_FADE; i < 1000; i++)
            ASSERT_EQ(after[i], LEVEL(wave[i])) << i;
        out.insert(out.end(), after.begin(), after.end());
        for (size_t i = 1; i < out.size(); i++)
            ASSERT_LE(std::abs(out[i] - out[i - 1]), bound) << (reload ? "reloaded" : "started over") << ", " << i;
        mix(4000);
    }

    std::vector<uint8_t> sample(20, 150);
    for (int load = 0; load < 1000; load++)
        sound_load_slot(load % 5, sample.data(), 20);
    for (int slot = 0; slot < 5; slot++)
        EXPECT_EQ(sound_play_slot(slot, SOUND_PLAY_ONCE), VOICE_OK) << slot;
    EXPECT_EQ(mix(1)[0], 5 * LEVEL(150));

    int voice = sdl->voice_create(10);
    ASSERT_GT(voice, 0);
    sdl->voice_release(voice);
    for (int dead : {voice, 0, 1000})
        EXPECT_EQ(sdl->voice_play(dead, 0), VOICE_FAILED) << dead;
    sound_release();
}

TEST(SdlNoSound, WithoutASoundDeviceTheGameRunsSilent)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    platform_use(sdl_backend());
    sound_create();
    EXPECT_EQ(sound_system.sound_available, 0);
    EXPECT_EQ(sound_system.sound_enabled, 0);
    EXPECT_EQ(sdl_backend()->voice_create(100), 0);
    sound_release();
    sdl_shutdown();
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
