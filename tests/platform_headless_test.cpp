// The headless machine that every other test stands on.
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "png_read.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// One frame's mouse read as (has position, x, y, dx, dy, left button).
using Mouse = std::array<int, 6>;
Mouse read_mouse()
{
    PlatformMouse m;
    platform_read_mouse(&m);
    return {m.has_position, m.x, m.y, m.dx, m.dy, m.left};
}

uint8_t key_state(int scan)
{
    uint8_t keys[256];
    platform_read_keys(keys);
    return keys[scan];
}

// Every event waiting now, as (kind, value).
using Events = std::vector<std::pair<int, uint32_t>>;
Events poll_all()
{
    Events events;
    PlatformEvent e;
    while (platform_poll_event(&e))
        events.emplace_back(e.kind, e.value);
    return events;
}

}  // namespace

TEST(HeadlessScript, MouseKeyAndEventChangesApplyAtTheirFrame)
{
    headless_mouse_to(1, 100, 200);
    headless_button(1, 0, true);
    headless_button(2, 0, false);
    headless_mouse_motion(2, -5, 7);
    headless_key(1, 0x39, true);
    headless_key(2, 0x01, true);
    headless_type(2, "ab");
    headless_event(3, EVENT_CLOSE);
    EXPECT_EQ(poll_all(), (Events{{EVENT_ACTIVATE, 1}}));    // the activation every game starts with

    EXPECT_EQ(read_mouse(), (Mouse{0, 0, 0, 0, 0, 0}));    // frame 0
    EXPECT_EQ(key_state(0x39), 0);
    EXPECT_EQ(read_mouse(), (Mouse{1, 100, 200, 0, 0, 0x80}));    // frame 1
    EXPECT_EQ(key_state(0x39), 0x80);
    EXPECT_TRUE(poll_all().empty());
    EXPECT_EQ(read_mouse(), (Mouse{0, 0, 0, -5, 7, 0}));    // frame 2: motion only, the button released
    uint8_t keys[256];
    platform_read_keys(keys);
    EXPECT_EQ(keys[0x39], 0x80);    // keys hold until scripted up
    EXPECT_EQ(keys[0x01], 0x80);
    EXPECT_EQ(key_state(0x01), 0);    // read again in its frame: the game waits for the key to come up
    EXPECT_EQ(poll_all(), (Events{{EVENT_CHAR, 'a'}, {EVENT_CHAR, 'b'}}));
    EXPECT_EQ(headless_frame(), 3u);
    EXPECT_EQ(headless_script_left(), 1u);
}

// Only the frame wait moves time, and waiting in the background: that takes
// an event already due at once, else skips to the next and never hangs. The
// frame limit closes the window once, also when set after the count had gone
// past it (a second run on one machine).
TEST(HeadlessClock, OnlyWaitsMoveTimeAndNeverHangAndTheFrameLimitClosesOnceEvenWhenSetLate)
{
    headless_reset(0xFFFFFFF0u);
    EXPECT_EQ(platform_ticks(), 0xFFFFFFF0u);
    platform_idle(35);
    EXPECT_EQ(platform_ticks(), 0x13u);    // wraps like the 32-bit tick count
    platform_idle(0);
    EXPECT_EQ(platform_ticks(), 0x14u);    // never stands still, so no wait can hang

    PlatformEvent e;
    headless_reset(100);
    platform_wait_event(&e);    // the start-up activation: no time passes
    EXPECT_EQ(e.kind, EVENT_ACTIVATE);
    EXPECT_EQ(platform_ticks(), 100u);
    headless_event(500, EVENT_ACTIVATE, 1);
    platform_wait_event(&e);
    EXPECT_EQ(e.kind, EVENT_ACTIVATE);
    EXPECT_GT(platform_ticks(), 100u);
    platform_wait_event(&e);
    EXPECT_EQ(e.kind, EVENT_QUIT);

    headless_reset(0);
    headless_devices().frame_limit = 0;
    poll_all();    // the start-up activation
    for (int frame = 0; frame < 5; frame++)
        read_mouse();
    EXPECT_TRUE(poll_all().empty());
    headless_devices().frame_limit = 3;
    read_mouse();
    EXPECT_EQ(poll_all(), (Events{{EVENT_CLOSE, 0}, {EVENT_QUIT, 0}}));
    read_mouse();
    read_mouse();
    EXPECT_TRUE(poll_all().empty()) << "closed once, not on every frame after";
}

// Kept frames drop the rows' padding; written as PNG, pixel (64, 0) is
// colour 1, red, and (64, 48) colour 2, green.
TEST(HeadlessFrames, PresentedFramesAreKeptAndWrittenAsPng)
{
    std::vector<uint8_t> pixels(700 * 480, 0);    // a pitch wider than the picture
    uint8_t rgb[768] = {};
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            pixels[(size_t)y * 700 + x] = (uint8_t)((x / 64 + y / 48) % 4);
    rgb[3] = rgb[6 + 1] = rgb[9 + 2] = 252;    // colours 1, 2, 3: red, green, blue
    headless_keep_frames(true);
    platform_present(pixels.data(), 700, rgb);
    platform_present(pixels.data(), 700, rgb);
    EXPECT_EQ(headless_present_count(), 2u);
    ASSERT_EQ(headless_frames().size(), 2u);
    const HeadlessFrame& frame = headless_last_frame();
    EXPECT_EQ(frame.pixels[(size_t)479 * 640 + 639], pixels[(size_t)479 * 700 + 639]);

    std::string path = "/tmp/flickermoth-headless-" + std::to_string(getpid()) + ".png";
    ASSERT_TRUE(headless_write_png(frame, path.c_str()));
    RgbPicture back;
    ASSERT_TRUE(png_read_rgb(nullptr, path, &back));
    std::remove(path.c_str());
    ASSERT_EQ(std::make_pair(back.width, back.height), std::make_pair(640, 480));
    EXPECT_EQ(std::vector<uint8_t>(back.rgb.begin() + 64 * 3, back.rgb.begin() + 64 * 3 + 3), (std::vector<uint8_t>{252, 0, 0}));
    EXPECT_EQ(back.rgb[(48 * 640 + 64) * 3 + 1], 252);
}

TEST(InputFilter, ItsEventsComeFirstWhetherTheGamePollsOrWaits)
{
    static int handed = 0;
    auto event = [](PlatformEvent* e, void*) {
        if (handed >= 2)
            return 0;
        *e = PlatformEvent{EVENT_CHAR, (uint32_t)('x' + handed++)};
        return 1;
    };
    PlatformInputFilter filter = {nullptr, nullptr, event, nullptr};
    platform_set_input_filter(&filter);
    PlatformEvent e;
    platform_wait_event(&e);
    EXPECT_EQ(std::make_pair(e.kind, e.value), std::make_pair((int)EVENT_CHAR, (uint32_t)'x'));
    // Then the machine's own: the start-up activation.
    EXPECT_EQ(poll_all(), (Events{{EVENT_CHAR, 'y'}, {EVENT_ACTIVATE, 1}}));
    platform_set_input_filter(nullptr);
}
