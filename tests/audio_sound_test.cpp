// Sound slots on the headless machine, which logs every voice it is asked for.
#include "board_helpers.h"

#include <gtest/gtest.h>

namespace {

const uint8_t CHIME[] = {128, 140, 150, 140, 128};
const uint8_t THUD[] = {128, 100, 128};

std::vector<uint8_t> bytes_of(const uint8_t* sample, size_t n) { return std::vector<uint8_t>(sample, sample + n); }

std::vector<HeadlessSoundEvent> events_of_kind(int kind)
{
    std::vector<HeadlessSoundEvent> found;
    for (const HeadlessSoundEvent& e : headless_sound_log())
        if (e.kind == kind)
            found.push_back(e);
    return found;
}

}  // namespace

TEST(SoundSlots, ALoadedSlotPlaysItsSampleFromTheStart)
{
    ASSERT_EQ(sound_create(), 1);
    EXPECT_EQ(sound_system.sound_enabled, 1);
    EXPECT_EQ(sound_system.sound_available, 1);
    sound_load_slot(3, CHIME, sizeof CHIME);
    EXPECT_EQ(sound_play_slot(3, SOUND_PLAY_ONCE), VOICE_OK);
    EXPECT_EQ(sound_play_slot(3, SOUND_PLAY_ONCE), VOICE_OK);
    auto plays = events_of_kind(SOUND_LOG_PLAY);
    ASSERT_EQ(plays.size(), 2u);
    for (const auto& play : plays) {
        EXPECT_EQ(play.bytes, bytes_of(CHIME, sizeof CHIME));
        EXPECT_EQ(play.voice, sound_system.slot_voices[3]);    // one voice: a replay restarts it
        EXPECT_EQ(play.flags, SOUND_PLAY_ONCE);
    }
    EXPECT_EQ(headless_live_voices(), 1);
}

TEST(SoundSlots, LoadingANewSampleReplacesTheSlotsVoice)
{
    sound_create();
    sound_load_slot(0, CHIME, sizeof CHIME);
    int first = sound_system.slot_voices[0];
    sound_load_slot(0, THUD, sizeof THUD);
    EXPECT_NE(sound_system.slot_voices[0], first);
    EXPECT_EQ(headless_live_voices(), 1);    // the old voice was released, which silences it
    sound_play_slot(0, 0);
    EXPECT_EQ(events_of_kind(SOUND_LOG_PLAY).back().bytes, bytes_of(THUD, sizeof THUD));
}

TEST(SoundSlots, SwitchedOffEffectsIgnoreLoadsAndPlaysAndLeaveTheSlotAlone)
{
    sound_create();
    sound_load_slot(0, CHIME, sizeof CHIME);
    int voice = sound_system.slot_voices[0];
    headless_clear_sound_log();
    sound_system.sound_enabled = 0;
    sound_load_slot(0, THUD, sizeof THUD);
    EXPECT_EQ(sound_play_slot(0, 0), 0);
    EXPECT_TRUE(headless_sound_log().empty());
    EXPECT_EQ(sound_system.slot_voices[0], voice);
    EXPECT_EQ(sound_system.slot_samples[0], CHIME);
    EXPECT_EQ(sound_system.slot_lengths[0], sizeof CHIME);

    sound_system.sound_enabled = 1;    // back on: the slot still holds its sample
    sound_play_slot(0, 0);
    EXPECT_EQ(events_of_kind(SOUND_LOG_PLAY).back().bytes, bytes_of(CHIME, sizeof CHIME));
}

TEST(SoundSlots, WithoutADeviceTheGameIsSilentButStarts)
{
    headless_devices().sound = false;
    EXPECT_EQ(sound_create(), 1);
    EXPECT_EQ(sound_system.sound_enabled, 0);
    EXPECT_EQ(sound_system.sound_available, 0);
    sound_load_slot(0, CHIME, sizeof CHIME);
    EXPECT_EQ(sound_play_slot(0, 0), 0);
    EXPECT_TRUE(headless_sound_log().empty());
}

TEST(SoundSlots, ASlotWhoseVoiceCouldNotBeMadeIsNeverFilledOrPlayed)
{
    sound_create();
    headless_devices().voices = false;
    sound_load_slot(1, CHIME, sizeof CHIME);
    EXPECT_EQ(sound_system.slot_voices[1], 0);
    EXPECT_NE(sound_play_slot(1, 0), VOICE_OK);
    EXPECT_TRUE(events_of_kind(SOUND_LOG_FILL).empty());
    EXPECT_TRUE(events_of_kind(SOUND_LOG_PLAY).empty());

    headless_devices().voices = true;    // a later load may succeed
    sound_load_slot(1, CHIME, sizeof CHIME);
    EXPECT_EQ(sound_play_slot(1, 0), VOICE_OK);
}

TEST(SoundSlots, ALostVoiceIsRestoredRefilledAndPlayed)
{
    sound_create();
    sound_load_slot(3, CHIME, sizeof CHIME);
    headless_lose_voice(sound_system.slot_voices[3]);
    headless_clear_sound_log();
    EXPECT_EQ(sound_play_slot(3, 0), VOICE_OK);
    const auto& log = headless_sound_log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].kind, SOUND_LOG_RESTORE);
    EXPECT_EQ(log[1].kind, SOUND_LOG_FILL);
    EXPECT_EQ(log[2].kind, SOUND_LOG_PLAY);
    EXPECT_EQ(log[2].bytes, bytes_of(CHIME, sizeof CHIME));
}

TEST(SoundSlots, ReleaseFreesEveryVoice)
{
    sound_create();
    for (int slot = 0; slot < SOUND_SLOTS; slot++)
        sound_load_slot(slot, CHIME, sizeof CHIME);
    EXPECT_EQ(headless_live_voices(), SOUND_SLOTS);
    sound_release();
    EXPECT_EQ(headless_live_voices(), 0);
    for (int slot = 0; slot < SOUND_SLOTS; slot++)
        EXPECT_EQ(sound_system.slot_voices[slot], 0);
}

TEST(SoundBankSamples, SampleKIsTheBytesUpToTheNextPointerAndPlaysThroughSlotZero)
{
    install_test_sound_bank();
    sound_create();
    sound_play_sample(11);
    EXPECT_EQ(samples_heard(), std::vector<int>{11});
    EXPECT_EQ(events_of_kind(SOUND_LOG_PLAY).back().bytes, test_sample(11));
    EXPECT_EQ(sound_system.slot_lengths[0], 12u);
    headless_clear_sound_log();
    sound_play_sample(13);    // no such sample: the bank holds 0..12
    sound_play_sample(-1);
    EXPECT_TRUE(samples_heard().empty());
}
