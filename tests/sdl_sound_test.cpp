// Sound on the desktop: the voices the sound slots play through, mixed into
// one device.
#include "sdl_helpers.h"

#include "audio/sound.h"

#include <cmath>

namespace {

constexpr int16_t LEVEL(int byte) { return (int16_t)((byte - 128) * 256); }

// ---- The mixer on its own ----------------------------------------------------

SdlVoice voice_of(const std::vector<uint8_t>& sample, bool looping = false)
{
    return SdlVoice{sample.data(), (uint32_t)sample.size(), 0, true, looping};
}

TEST(SdlMixer, FiveVoicesAtFullLevelHoldAtTheEdgeOfTheRangeInsteadOfWrapping)
{
    std::vector<uint8_t> loud(64, 255), deep(64, 0);
    SdlVoice voices[5];
    for (SdlVoice& v : voices)
        v = voice_of(loud);
    std::vector<int16_t> out(64);
    sdl_mix_voices(voices, 5, out.data(), 64);
    for (int16_t s : out)
        ASSERT_EQ(s, INT16_MAX);
    for (SdlVoice& v : voices)
        v = voice_of(deep);
    sdl_mix_voices(voices, 5, out.data(), 64);
    for (int16_t s : out)
        ASSERT_EQ(s, INT16_MIN);
}

TEST(SdlMixer, VoicesAddAndSilenceIsZero)
{
    std::vector<uint8_t> a = {128, 138, 148, 118}, b = {128, 129, 98, 128};
    SdlVoice voices[3] = {voice_of(a), voice_of(b), {}};
    std::vector<int16_t> out(4);
    sdl_mix_voices(voices, 3, out.data(), 4);
    EXPECT_EQ(out, (std::vector<int16_t>{0, 11 * 256, -10 * 256, -10 * 256}));
}

TEST(SdlMixer, AVoiceFallsSilentAtItsEndAndALoopingOneStartsOver)
{
    std::vector<uint8_t> sample = {200, 100, 150};
    SdlVoice once = voice_of(sample), loop = voice_of(sample, true);
    std::vector<int16_t> out(7);
    sdl_mix_voices(&once, 1, out.data(), 7);
    EXPECT_EQ(out, (std::vector<int16_t>{LEVEL(200), LEVEL(100), LEVEL(150), 0, 0, 0, 0}));
    EXPECT_FALSE(once.playing);
    sdl_mix_voices(&loop, 1, out.data(), 7);
    EXPECT_EQ(out, (std::vector<int16_t>{LEVEL(200), LEVEL(100), LEVEL(150), LEVEL(200), LEVEL(100), LEVEL(150),
                                         LEVEL(200)}));
    EXPECT_TRUE(loop.playing);
}

TEST(SdlMixer, AVoiceGoesOnWhereTheLastBufferLeftIt)
{
    std::vector<uint8_t> ramp(3000);
    for (size_t i = 0; i < ramp.size(); i++)
        ramp[i] = (uint8_t)(i % 251);
    SdlVoice v = voice_of(ramp);
    std::vector<int16_t> first(1500), second(1500);
    sdl_mix_voices(&v, 1, first.data(), 1500);
    sdl_mix_voices(&v, 1, second.data(), 1500);
    for (int i = 0; i < 1500; i++) {
        ASSERT_EQ(first[i], LEVEL(ramp[i]));
        ASSERT_EQ(second[i], LEVEL(ramp[1500 + i]));
    }
}

TEST(SdlMixer, ACutVoiceFallsFromWhereItWasToSilenceAndEarlierFadesGoOn)
{
    std::vector<uint8_t> steady(1000, 228);
    SdlVoice v = voice_of(steady);
    std::vector<int16_t> out(SDL_VOICE_FADE + 10);
    sdl_mix_voices(&v, 1, out.data(), 1);
    sdl_voice_cut(v);
    EXPECT_FALSE(v.playing);
    sdl_mix_voices(&v, 1, out.data(), (int)out.size());
    EXPECT_GT(out[0], LEVEL(228) * 9 / 10) << "the fade starts where the voice was";
    for (int i = 1; i < SDL_VOICE_FADE; i++)
        ASSERT_LE(std::abs(out[i] - out[i - 1]), LEVEL(228) / SDL_VOICE_FADE + 1) << i;
    for (int i = SDL_VOICE_FADE; i < (int)out.size(); i++)
        ASSERT_EQ(out[i], 0) << i;

    // cut again half way through the fade: the rest of the first fade stays
    v = voice_of(steady);
    sdl_voice_cut(v);
    sdl_mix_voices(&v, 1, out.data(), SDL_VOICE_FADE / 2);
    int16_t before = out[SDL_VOICE_FADE / 2 - 1];
    v.playing = true;
    sdl_voice_cut(v);
    sdl_mix_voices(&v, 1, out.data(), 1);
    EXPECT_GT(out[0], before) << "the second cut adds to the first fade";
}

// ---- The device, through the game's sound slots ------------------------------------

class SdlSound : public SdlMachine {
protected:
    void SetUp() override
    {
        SdlMachine::SetUp();
        platform_use(sdl);
        sound_create();
        sdl_audio_hold(true);    // the test mixes by hand
    }
    void TearDown() override
    {
        sound_release();
        SdlMachine::TearDown();
    }
    std::vector<int16_t> mix(int frames)
    {
        std::vector<int16_t> out(frames);
        sdl_audio_mix(out.data(), frames);
        return out;
    }
};

TEST_F(SdlSound, WithASoundDeviceTheSlotsPlayTheirSamples)
{
    ASSERT_EQ(sound_system.sound_available, 1);
    std::vector<uint8_t> sample = {160, 96, 130};
    sound_load_slot(0, sample.data(), 3);
    EXPECT_EQ(mix(3), (std::vector<int16_t>{0, 0, 0}));    // loaded, not yet played
    EXPECT_EQ(sound_play_slot(0, SOUND_PLAY_ONCE), VOICE_OK);
    EXPECT_EQ(mix(4), (std::vector<int16_t>{LEVEL(160), LEVEL(96), LEVEL(130), 0}));
}

TEST_F(SdlSound, PlayingASlotAgainWhileItSoundsStartsItOver)
{
    std::vector<uint8_t> sample(300);
    for (size_t i = 0; i < sample.size(); i++)
        sample[i] = (uint8_t)(100 + i % 100);
    sound_load_slot(3, sample.data(), 300);
    sound_play_slot(3, SOUND_PLAY_ONCE);
    mix(40);
    sound_play_slot(3, SOUND_PLAY_ONCE);
    std::vector<int16_t> again = mix(300);
    // once the cut-off sound has faded: one voice from the start, not two summed
    for (int i = SDL_VOICE_FADE; i < 300; i++)
        ASSERT_EQ(again[i], LEVEL(sample[i])) << i;
}

TEST_F(SdlSound, LoadingASlotSilencesWhatItWasPlayingAndTheSlotsMix)
{
    std::vector<uint8_t> hum(400, 138), click(400, 148), settle(400, 133);
    sound_load_slot(3, settle.data(), 400);
    sound_play_slot(3, SOUND_PLAY_ONCE);
    sound_load_slot(0, hum.data(), 400);
    sound_play_slot(0, SOUND_PLAY_ONCE);
    EXPECT_EQ(mix(1)[0], LEVEL(138) + LEVEL(133));
    sound_load_slot(0, click.data(), 400);    // the hum fades out here, the click waits
    mix(SDL_VOICE_FADE);
    EXPECT_EQ(mix(1)[0], LEVEL(133));
    sound_play_slot(0, SOUND_PLAY_ONCE);
    EXPECT_EQ(mix(1)[0], LEVEL(148) + LEVEL(133));
}

// A slot started over while its sample is at the crest of a low, loud wave:
// the output must move on by no more than the wave itself and a fade step
// would, never jump from the crest to the new start.
TEST_F(SdlSound, AVoiceStartedOverOrReloadedMidWaveDoesNotClick)
{
    constexpr double HZ = 100, AMPLITUDE = 120;
    std::vector<uint8_t> wave(4000);
    for (size_t i = 0; i < wave.size(); i++)
        wave[i] = (uint8_t)std::lround(128 + AMPLITUDE * std::sin(2 * M_PI * HZ * i / 22050.0));
    const int crest = (int)(22050 / HZ / 4);
    const int bound = (int)(256 * AMPLITUDE * (2 * M_PI * HZ / 22050 + 1.0 / SDL_VOICE_FADE)) + 256;
    for (bool reload : {false, true}) {
        sound_load_slot(0, wave.data(), (uint32_t)wave.size());
        sound_play_slot(0, SOUND_PLAY_ONCE);
        std::vector<int16_t> out = mix(crest);
        ASSERT_GT(out.back(), 250 * AMPLITUDE) << "the wave is at its crest";
        if (reload)
            sound_load_slot(0, wave.data(), (uint32_t)wave.size());
        sound_play_slot(0, SOUND_PLAY_ONCE);
        std::vector<int16_t> after = mix(2 * SDL_VOICE_FADE);
        out.insert(out.end(), after.begin(), after.end());
        for (size_t i = 1; i < out.size(); i++)
            ASSERT_LE(std::abs(out[i] - out[i - 1]), bound)
                << (reload ? "reloaded" : "started over") << ", sample " << i;
        mix(4000);
    }
}

TEST_F(SdlSound, VoicesAreReusedSoAGameOfLoadsNeverRunsOutOfThem)
{
    std::vector<uint8_t> sample(20, 150);
    for (int load = 0; load < 1000; load++)
        sound_load_slot(load % 5, sample.data(), 20);
    for (int slot = 0; slot < 5; slot++) {
        EXPECT_GT(sound_system.slot_voices[slot], 0) << slot;
        EXPECT_EQ(sound_play_slot(slot, SOUND_PLAY_ONCE), VOICE_OK);
    }
    EXPECT_EQ(mix(1)[0], 5 * LEVEL(150));
}

TEST_F(SdlSound, AReleasedVoiceCannotBePlayed)
{
    int voice = sdl->voice_create(10);
    ASSERT_GT(voice, 0);
    sdl->voice_release(voice);
    EXPECT_EQ(sdl->voice_play(voice, 0), VOICE_FAILED);
    EXPECT_EQ(sdl->voice_play(0, 0), VOICE_FAILED);
    EXPECT_EQ(sdl->voice_play(1000, 0), VOICE_FAILED);
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
