// The game's sound slots on the headless machine, which logs every voice it is asked for. How a slot
// sounds is the desktop backend's test.
#include "board_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::vector<uint8_t> CHIME = {128, 140, 150, 140, 128}, THUD = {128, 100, 128};

void load(int slot, const std::vector<uint8_t>& s) { sound_load_slot(slot, s.data(), (uint32_t)s.size()); }

std::vector<int> log_kinds()
{
    std::vector<int> kinds;
    for (const HeadlessSoundEvent& e : headless_sound_log())
        kinds.push_back(e.kind);
    return kinds;
}
std::vector<uint8_t> last_played()
{
    const auto& log = headless_sound_log();
    auto e = std::find_if(log.rbegin(), log.rend(), [](const auto& e) { return e.kind == SOUND_LOG_PLAY; });
    return e == log.rend() ? std::vector<uint8_t>() : e->bytes;
}

}  // namespace

TEST(SoundSlots, SwitchedOffEffectsIgnoreLoadsAndPlaysAndKeepTheSlotsSampleAndReleaseFreesEveryVoice)
{
    ASSERT_EQ(sound_create(), 1);
    load(0, CHIME);
    headless_clear_sound_log();
    sound_system.sound_enabled = 0;    // the menu's sound switch
    load(0, THUD);
    EXPECT_EQ(sound_play_slot(0, 0), 0);
    EXPECT_TRUE(headless_sound_log().empty());
    sound_system.sound_enabled = 1;
    EXPECT_EQ(sound_play_slot(0, 0), VOICE_OK);
    EXPECT_EQ(last_played(), CHIME);
    for (int slot = 0; slot < SOUND_SLOTS; slot++)
        load(slot, CHIME);
    EXPECT_EQ(headless_live_voices(), SOUND_SLOTS);
    sound_release();
    EXPECT_EQ(headless_live_voices(), 0);
}

TEST(SoundSlots, ASlotWhoseVoiceCouldNotBeMadeIsNeverFilledOrPlayedAndALostVoiceIsRestored)
{
    sound_create();
    headless_devices().voices = false;
    load(1, CHIME);
    EXPECT_NE(sound_play_slot(1, 0), VOICE_OK);
    for (int kind : log_kinds())
        EXPECT_TRUE(kind != SOUND_LOG_FILL && kind != SOUND_LOG_PLAY) << kind;
    headless_devices().voices = true;    // a later load may succeed
    load(1, CHIME);
    // A lost voice is restored, refilled and played.
    headless_lose_voice(sound_system.slot_voices[1]);
    headless_clear_sound_log();
    EXPECT_EQ(sound_play_slot(1, 0), VOICE_OK);
    EXPECT_EQ(log_kinds(), (std::vector<int>{SOUND_LOG_RESTORE, SOUND_LOG_FILL, SOUND_LOG_PLAY}));
    EXPECT_EQ(last_played(), CHIME);
}

TEST(SoundBankSamples, SampleKIsTheBytesUpToTheNextPointerAndOnlySamplesOfTheBankPlay)
{
    install_test_sound_bank();
    sound_create();
    sound_play_sample(11);
    EXPECT_EQ(samples_heard(), std::vector<int>{11});
    EXPECT_EQ(last_played(), test_sample(11));
    headless_clear_sound_log();
    sound_play_sample(13);    // no such sample: the bank holds 0..12
    sound_play_sample(-1);
    EXPECT_TRUE(samples_heard().empty());
}
