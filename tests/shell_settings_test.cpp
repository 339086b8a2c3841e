// Keeping the player's choices: what the game starts from, and when a
// change the player makes is written.
#include "flow_helpers.h"

#include "audio/sound.h"
#include "platform/headless/headless.h"
#include "frame/pump.h"
#include "frame/settings_keeper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The store of a desktop program, kept in memory: the window's choices as
// the test sets them, and every text written.
Settings window_now;
std::vector<std::string> saved;

void read_window(Settings* settings)
{
    settings->fullscreen = window_now.fullscreen;
    settings->window_width = window_now.window_width;
    settings->window_height = window_now.window_height;
    settings->scale = window_now.scale;
}

bool save(const std::string& text)
{
    saved.push_back(text);
    return true;
}

const SettingsStore store = {read_window, save};

Settings last_saved()
{
    Settings settings;
    std::vector<std::string> problems;
    if (!saved.empty())
        settings_parse(saved.back(), &settings, &problems);
    EXPECT_TRUE(problems.empty());
    return settings;
}

class SettingsKeeping : public testing::Test {
protected:
    void SetUp() override
    {
        saved.clear();
        sound_system = SoundSystem{};
        sound_system.sound_available = sound_system.sound_enabled = 1;
    }
    void TearDown() override
    {
        settings_keep(nullptr, Settings{}, Settings{});
        sound_system = SoundSystem{};
    }
    // Frames `ms` milliseconds apart, as the pump would see them.
    static void frames(int count, uint32_t ms = 35)
    {
        for (int i = 0; i < count; i++) {
            headless_advance(ms);
            settings_frame();
        }
    }
};

TEST_F(SettingsKeeping, AHeldSpeedKeyIsWrittenOnceItHasSettledNotEveryFrame)
{
    Settings remembered;
    remembered.frame_period = 20;
    window_now = remembered;
    settings_keep(&store, remembered, remembered);
    frame_period = settings_start_frame_period(false);
    EXPECT_EQ(frame_period, 20);
    frames(1);
    for (int i = 0; i < 10; i++) {
        frame_period--;
        frames(1);
    }
    EXPECT_TRUE(saved.empty());
    frames(SETTINGS_SETTLE_MS / 35 + 1);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(last_saved().frame_period, 10);
    frames(100);
    EXPECT_EQ(saved.size(), 1u);    // nothing new: nothing written again
}

TEST_F(SettingsKeeping, ChoicesFromTheCommandLineAreNotWrittenBackButThePlayersChangesAre)
{
    Settings remembered;
    remembered.fullscreen = false;
    Settings run = remembered;
    run.scale = SCALE_FIT;     // --scale fit
    window_now = run;
    settings_keep(&store, remembered, run);
    frames(1);
    sound_system.sound_enabled = 0;    // the menu's switch
    window_now.window_width = 1000;    // the window resized
    window_now.window_height = 760;
    frames(30);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_FALSE(last_saved().sound);
    EXPECT_EQ(last_saved().window_width, 1000);
    EXPECT_EQ(last_saved().scale, SCALE_INTEGER);
    // Alt+Enter to full screen: that one is the player's, and kept.
    window_now.fullscreen = true;
    settings_flush();    // the game ends at once: written all the same
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_TRUE(last_saved().fullscreen);
}

TEST_F(SettingsKeeping, WithoutAStoreNothingIsWrittenAndTheGameStartsFromItsFixedValues)
{
    Settings remembered;
    remembered.frame_period = 60;
    remembered.sound = false;
    settings_keep(nullptr, remembered, remembered);
    EXPECT_EQ(settings_start_frame_period(false), FRAME_PERIOD_START);
    settings_apply_sound();
    EXPECT_EQ(sound_system.sound_enabled, 1);
    frames(1);
    frame_period = 50;
    frames(50);
    settings_flush();
    EXPECT_TRUE(saved.empty());
}

// A recording replays frame for frame only from the speed it was made at;
// the remembered sound switch is off from the first frame, yet the sample
// the whole game keeps is in its slot for when the player switches it on.
TEST_F(SettingsKeeping, PlaybackAndRecordingStartAtTheFixedSpeedWhateverWasRemembered)
{
    struct Run {
        const char* argument_text;
        int frame_period;
    };
    const Run runs[] = {{"", 20}, {"Q", 20}, {"5", FRAME_PERIOD_START}, {RECORDING_WORD, FRAME_PERIOD_START}};
    static int first_period;
    static int32_t first_sound;
    static bool slot_loaded;
    for (const Run& r : runs) {
        RunDir dir;
        dir.restart(0);    // a fresh process on a fresh machine for each
        Settings remembered;
        remembered.frame_period = 20;
        remembered.sound = false;
        window_now = remembered;
        settings_keep(&store, remembered, remembered);
        first_period = -1;
        pump_frame_hook = [] {
            if (first_period < 0) {
                first_period = frame_period;
                first_sound = sound_system.sound_enabled;
                slot_loaded = sound_system.slot_samples[3] != nullptr;
            }
        };
        headless_devices().frame_limit = 100;
        app_run(r.argument_text);
        pump_frame_hook = nullptr;
        EXPECT_EQ(first_period, r.frame_period) << r.argument_text;
        EXPECT_EQ(first_sound, 0) << r.argument_text;
        EXPECT_TRUE(slot_loaded) << r.argument_text;
        // Starting at the fixed speed is no change of the player's.
        EXPECT_TRUE(saved.empty()) << r.argument_text;
    }
}

}  // namespace
