// The frame pump: frame timing, the background freeze, closing, typed keys.
#include "audio/music.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "frame/pump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t PERIOD = 35;

// The headless machine, watched: how the pump waits and sleeps.
struct Watch {
    std::vector<uint32_t> idle_ms;
    int waits = 0;
    uint32_t tick_after_wait = 0;
};
Watch watch;
PlatformBackend watched;

void watched_idle(uint32_t ms)
{
    watch.idle_ms.push_back(ms);
    headless_backend()->idle(ms);
}

void watched_wait_event(PlatformEvent* event)
{
    watch.waits++;
    headless_backend()->wait_event(event);
    watch.tick_after_wait = headless_ticks();
}

class Pump : public testing::Test {
protected:
    void SetUp() override
    {
        watch = Watch{};
        watched = *headless_backend();
        watched.idle = watched_idle;
        watched.wait_event = watched_wait_event;
        platform_use(&watched);
        input = InputState{};
        input_create();
    }
    void TearDown() override
    {
        music_close();
        input_release();
        pump_reset();
    }

    // The machine starts with the window about to be activated; the first
    // pump takes that activation while the game is still in the background.
    void activate()
    {
        ASSERT_EQ(frame_pump(PERIOD), 1);
        ASSERT_EQ(app_active, 1);
    }

    // The start of one frame as every screen makes it; events scripted for
    // headless_frame() before it can be taken by its pump.
    int frame()
    {
        input_poll_mouse();
        input_poll_keys();
        return frame_pump(PERIOD);
    }

    // `count` frames whose bodies take `body_ms`.
    void frames(int count, uint32_t body_ms)
    {
        for (int i = 0; i < count; i++) {
            EXPECT_EQ(frame(), 1);
            headless_advance(body_ms);
        }
    }
};

}  // namespace

// The first frame comes one period after the window is activated. A frame
// sleeps out what is left of its period; a frame whose body ran over starts
// at once, and the next is not shortened to make up for it.
TEST_F(Pump, TheFirstFrameComesOnePeriodAfterActivationAndEachSleepsTheRestOfItsPeriodAcrossTheTickWrap)
{
    activate();
    EXPECT_EQ(watch.waits, 1);
    EXPECT_EQ(headless_ticks(), watch.tick_after_wait + PERIOD);
    EXPECT_EQ(last_frame_tick, headless_ticks());
    watch.idle_ms.clear();
    std::vector<uint32_t> gaps;    // from each frame's start to the next's
    uint32_t last = 0;
    for (uint32_t body : {10, 10, 50, 50, 0, 0}) {
        EXPECT_EQ(frame(), 1);
        if (last)
            gaps.push_back(headless_ticks() - last);
        last = headless_ticks();
        headless_advance(body);
    }
    EXPECT_EQ(gaps, (std::vector<uint32_t>{35, 35, 50, 50, 35}));
    EXPECT_EQ(watch.idle_ms, (std::vector<uint32_t>{35, 25, 25, 35}));

    // The tick counter wrapping round does not disturb the timing.
    headless_set_ticks(0xFFFFFFF0u);
    ASSERT_EQ(frame_pump(PERIOD), 1);    // long past the last frame: at once
    EXPECT_EQ(last_frame_tick, 0xFFFFFFF0u);
    headless_advance(20);                // the counter wraps to 4
    ASSERT_EQ(frame_pump(PERIOD), 1);
    EXPECT_EQ(headless_ticks(), 0xFFFFFFF0u + PERIOD);    // 19 after the wrap
    EXPECT_EQ(watch.idle_ms.back(), 15u);
}

TEST_F(Pump, SwitchingAwayFreezesTheGameAndStopsTheCdUntilSwitchingBack)
{
    headless_devices().cd = true;
    ASSERT_EQ(music_open(), 1);
    activate();
    int stops_while_active = headless_cd_stops();
    frames(5, 10);
    EXPECT_EQ(headless_cd_stops(), stops_while_active) << "the CD is left alone while the game is active";
    uint64_t next = headless_frame();
    headless_event(next, EVENT_ACTIVATE, 0);
    headless_event(next + 3, EVENT_CHAR, 'q');       // comes in while frozen
    headless_event(next + 5, EVENT_ACTIVATE, 1);
    watch.waits = 0;

    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(watch.waits, 2);                        // the typed key, then the activation
    EXPECT_EQ(headless_cd_stops() - stops_while_active, 2);
    EXPECT_EQ(headless_ticks(), watch.tick_after_wait + PERIOD);
    EXPECT_EQ(app_active, 1);
}

// A close request, the window gone without one, or a close request while
// the game is frozen in the background: this pump returns 0, and every later
// one at once, without waiting and without taking events.
TEST_F(Pump, ACloseRequestOrTheWindowGoneEndsThisAndEveryLaterPump)
{
    const std::vector<std::pair<int, int>> closings[] = {
        {{0, EVENT_CLOSE}}, {{0, EVENT_QUIT}}, {{0, EVENT_ACTIVATE}, {1, EVENT_CLOSE}}};
    for (const auto& events : closings) {
        SCOPED_TRACE(testing::PrintToString(events));
        headless_reset(0);
        pump_reset();
        activate();
        frames(2, 10);
        uint64_t at = headless_frame();
        for (auto [offset, kind] : events)
            headless_event(at + (uint64_t)offset, kind, 0);
        headless_type(at + 2, "z");
        EXPECT_EQ(frame(), 0);
        EXPECT_EQ(quit_requested, 1);
        uint32_t tick = headless_ticks();
        size_t left = headless_script_left();
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(frame_pump(PERIOD), 0);
        EXPECT_EQ(headless_ticks(), tick);
        EXPECT_EQ(headless_script_left(), left);
    }
}

TEST_F(Pump, TypedCharactersReachTheRingDuringThePump)
{
    activate();
    input_begin_typing();
    headless_type(headless_frame(), "hi");
    EXPECT_EQ(input_peek_char(), 0);
    input.mouse_x = 200;
    input.mouse_y = 100;
    headless_event(headless_frame(), EVENT_ENTER);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(input_next_char(), 'h');
    EXPECT_EQ(input_next_char(), 'i');
    EXPECT_EQ(input_next_char(), 0);
    EXPECT_EQ(input.mouse_x, 200);    // Enter leaves the game's pointer where it was
    EXPECT_EQ(input.mouse_y, 100);
}
