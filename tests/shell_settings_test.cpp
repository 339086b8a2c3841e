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

const SettingsStore store = {
    [](Settings* settings) {
        settings->fullscreen = window_now.fullscreen;
        settings->window_width = window_now.window_width;
        settings->window_height = window_now.window_height;
        settings->scale = window_now.scale;
    },
    [](const std::string& text) {
        saved.push_back(text);
        return true;
    },
};

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

TEST_F(SettingsKeeping, ThePlayersChangesAreWrittenOnceSettledTheCommandLinesNeverNorWithoutAStore)
{
    const Settings remembered = {.frame_period = 20}, quiet = {.sound = false, .frame_period = 60};
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

    saved.clear();
    settings_keep(nullptr, quiet, quiet);
    EXPECT_EQ(settings_start_frame_period(false), FRAME_PERIOD_START);
    settings_apply_sound();
    EXPECT_EQ(sound_system.sound_enabled, 1);
    frames(1);
    frame_period = 50;
    frames(50);
    settings_flush();
    EXPECT_TRUE(saved.empty());

    // --scale fit is this run's, not written back; the menu's sound switch,
    // the resized window and Alt+Enter to full screen are the player's, and
    // kept, also when the game ends at once.
    window_now = Settings{.fullscreen = false, .scale = SCALE_FIT};
    settings_keep(&store, Settings{.fullscreen = false}, window_now);
    frames(1);
    sound_system.sound_enabled = 0;
    window_now.window_width = 1000;
    window_now.window_height = 760;
    frames(30);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(last_saved(), (Settings{.fullscreen = false, .window_width = 1000, .window_height = 760, .sound = false}));
    window_now.fullscreen = true;
    settings_flush();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_TRUE(last_saved().fullscreen);
}

// A recording replays frame for frame only from the speed it was made at;
// the remembered sound switch is off from the first frame, yet the sample
// the whole game keeps is in its slot for when the player switches it on.
TEST_F(SettingsKeeping, PlaybackAndRecordingStartAtTheFixedSpeedWhateverWasRemembered)
{
    const std::pair<const char*, int> runs[] = {
        {"", 20}, {"Q", 20}, {"5", FRAME_PERIOD_START}, {RECORDING_WORD, FRAME_PERIOD_START}};
    static int first_period;
    static int32_t first_sound;
    static bool slot_loaded;
    for (const auto& [argument_text, period] : runs) {
        RunDir dir;
        dir.restart(0);    // a fresh process on a fresh machine for each
        const Settings remembered = {.sound = false, .frame_period = 20};
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
        app_run(argument_text);
        pump_frame_hook = nullptr;
        EXPECT_EQ(first_period, period) << argument_text;
        EXPECT_EQ(first_sound, 0) << argument_text;
        EXPECT_TRUE(slot_loaded) << argument_text;
        EXPECT_TRUE(saved.empty()) << argument_text;    // starting at the fixed speed is no change of the player's
    }
}

}  // namespace
