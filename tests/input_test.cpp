// The keyboard, the mouse pointer and the ring of typed characters.
#include "input/input.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

void poll_frame()    // the start of a frame as every screen makes it
{
    input_poll_mouse();
    input_poll_keys();
}

void type(const std::string& text)
{
    for (unsigned char c : text)
        input_put_char(c);
}

std::string read_all()
{
    std::string text;
    while (uint8_t c = input_next_char())
        text += (char)c;
    return text;
}

// Counts the keyboard reads the game makes, over the headless machine.
int key_reads = 0;
PlatformBackend counting;
void counting_read_keys(uint8_t keys[256])
{
    key_reads++;
    headless_backend()->read_keys(keys);
}
void count_key_reads()
{
    key_reads = 0;
    counting = *headless_backend();
    counting.read_keys = counting_read_keys;
    platform_use(&counting);
}

class Input : public testing::Test {
protected:
    void SetUp() override
    {
        input = InputState{};
        ASSERT_EQ(input_create(), 3);
    }
    void TearDown() override { input_release(); }
};

}  // namespace

TEST(InputCreate, WithBothDevicesIsReadyWithThePointerAtTheOriginAndEverythingUpElseSaysWhichIsMissing)
{
    input = InputState{};
    input.mouse_x = 300;
    input.mouse_y = 200;
    input.mouse_left = 0x80;
    input.keys[KEY_SPACE] = 0x80;
    input_begin_typing();
    EXPECT_EQ(input_create(), 3);
    EXPECT_EQ(input.mouse_x, 0);
    EXPECT_EQ(input.mouse_y, 0);
    EXPECT_EQ(input.mouse_left, 0);
    EXPECT_TRUE(input_keys_all_up());
    EXPECT_EQ(input.char_capture, 0);
    // Without a keyboard 1 (whatever the mouse), without a mouse 2.
    headless_devices().keyboard = false;
    EXPECT_EQ(input_create(), 1);
    headless_devices().mouse = false;
    EXPECT_EQ(input_create(), 1);    // the keyboard is tried first
    headless_devices().keyboard = true;
    EXPECT_EQ(input_create(), 2);
    input_release();
}

TEST_F(Input, ThePointerStopsAtEveryEdgeNeverWrapsAndLeavesTheEdgeAtOnce)
{
    // Motion (or a known position) read at a frame, and where the pointer is
    // after each of three frames.
    struct Move {
        uint64_t frame;
        bool to;
        int x, y;
    };
    struct Case {
        const char* what;
        std::vector<Move> moves;
        std::vector<std::pair<int, int>> path;
    };
    const Case cases[] = {
        {"left and top", {{0, false, 5, 5}, {1, false, -20, -30}, {2, false, 3, 2}}, {{5, 5}, {0, 0}, {3, 2}}},
        {"right and bottom", {{0, true, 630, 470}, {1, false, 50, 50}, {2, false, -5, -5}},
         {{630, 470}, {639, 479}, {634, 474}}},
        {"enormous motion", {{0, true, 600, 400}, {1, false, INT32_MAX, INT32_MAX}, {2, false, INT32_MIN, INT32_MIN}},
         {{600, 400}, {639, 479}, {0, 0}}},
        {"known positions, clamped; a position wins over motion in the same read",
         {{0, false, 40, 40}, {0, true, 123, 321}, {1, true, 700, -5}, {2, true, -1, 480}},
         {{123, 321}, {639, 0}, {0, 479}}},
    };
    for (const Case& c : cases) {
        TearDown();
        headless_reset(0);
        SetUp();
        for (const Move& m : c.moves)
            (m.to ? headless_mouse_to : headless_mouse_motion)(m.frame, m.x, m.y);
        std::vector<std::pair<int, int>> path;
        for (size_t frame = 0; frame < c.path.size(); frame++) {
            poll_frame();
            path.push_back({input.mouse_x, input.mouse_y});
        }
        EXPECT_EQ(path, c.path) << c.what;
    }
}

TEST_F(Input, WaitingForKeysUpReturnsAtOnceWhenNothingIsHeldElsePollsOnlyTheKeyboardUntilItIs)
{
    poll_frame();
    count_key_reads();
    uint32_t before = headless_ticks();
    input_wait_keys_up();
    EXPECT_EQ(key_reads, 0);
    EXPECT_EQ(headless_ticks(), before);

    headless_key(headless_frame(), KEY_ESCAPE, true);
    poll_frame();
    ASSERT_NE(input.keys[KEY_ESCAPE], 0);
    key_reads = 0;
    uint64_t frame = headless_frame();
    input_wait_keys_up();
    EXPECT_TRUE(input_keys_all_up());
    EXPECT_GE(key_reads, 1);
    EXPECT_EQ(headless_frame(), frame);    // the mouse was not polled
}

// The ring holds 31 characters: 32 typed after four read (so the ring's end
// is crossed) keep the last 31. Only the low byte of a character is kept,
// and a zero (which could never be read back) is not put in.
TEST_F(Input, TypedCharactersComeOutOldestFirstPeekLeavesThemAndOnlyThoseTypedWhileCapturingAreKept)
{
    input_begin_typing();
    type("Moth");
    EXPECT_EQ(input_peek_char(), 'M');
    EXPECT_EQ(input_peek_char(), 'M');
    EXPECT_EQ(input_next_char(), 'M');
    EXPECT_EQ(read_all(), "oth");
    EXPECT_EQ(input_peek_char(), 0);
    EXPECT_EQ(input_next_char(), 0);
    std::string typed = "abcdefghijklmnopqrstuvwxyz012345";
    type(typed);
    EXPECT_EQ(read_all(), typed.substr(1));

    input_put_char('a');
    input_put_char(0x100);
    input_put_char(0x1E0);      // the Cyrillic small a in the game's code page
    EXPECT_EQ(input_next_char(), 'a');
    EXPECT_EQ(input_next_char(), 0xE0);
    EXPECT_EQ(input_next_char(), 0);

    // Only what is typed between beginning and ending is kept.
    input_end_typing();
    type("lost");
    input_begin_typing();
    EXPECT_EQ(input_next_char(), 0) << "typed while capture was off";
    type("ab");
    input_begin_typing();
    type("c");
    EXPECT_EQ(read_all(), "c") << "beginning again discards what was typed before";
    type("kept");
    input_end_typing();
    EXPECT_EQ(input_peek_char(), 0);
    input_begin_typing();
    EXPECT_EQ(input_next_char(), 0) << "ending typing threw it away";
}
