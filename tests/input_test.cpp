// The keyboard, the mouse pointer and the ring of typed characters.
#include "input/input.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// The start of a frame as every screen makes it.
void poll_frame()
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

// ---- Creation ------------------------------------------------------------------

TEST(InputCreate, WithBothDevicesIsReadyWithThePointerAtTheOriginAndEverythingUp)
{
    input = InputState{};
    input.mouse_x = 300;
    input.mouse_y = 200;
    input.mouse_left = 0x80;
    input.keys[KEY_SPACE] = 0x80;
    input.char_capture = 1;
    EXPECT_EQ(input_create(), 3);
    EXPECT_EQ(input.mouse_x, 0);
    EXPECT_EQ(input.mouse_y, 0);
    EXPECT_EQ(input.mouse_left, 0);
    EXPECT_TRUE(input_keys_all_up());
    EXPECT_EQ(input.char_capture, 0);
    input_release();
}

TEST(InputCreate, ReportsOneWithoutAKeyboardAndTwoWithoutAMouse)
{
    input = InputState{};
    headless_devices().keyboard = false;
    EXPECT_EQ(input_create(), 1);
    headless_devices().mouse = false;
    EXPECT_EQ(input_create(), 1);    // the keyboard is tried first
    headless_devices().keyboard = true;
    EXPECT_EQ(input_create(), 2);
    input_release();
}

// ---- Mouse ---------------------------------------------------------------------


TEST_F(Input, ThePointerStopsAtTheLeftAndTopEdgesAndLeavesThemAtOnce)
{
    headless_mouse_motion(0, 5, 5);
    headless_mouse_motion(1, -20, -30);
    headless_mouse_motion(2, 3, 2);
    poll_frame();
    poll_frame();
    EXPECT_EQ(input.mouse_x, 0);
    EXPECT_EQ(input.mouse_y, 0);
    poll_frame();
    EXPECT_EQ(input.mouse_x, 3);    // the excess motion was thrown away
    EXPECT_EQ(input.mouse_y, 2);
}

TEST_F(Input, ThePointerStopsAtTheRightAndBottomEdgesAndLeavesThemAtOnce)
{
    headless_mouse_to(0, 630, 470);
    headless_mouse_motion(1, 50, 50);
    headless_mouse_motion(2, -5, -5);
    poll_frame();
    poll_frame();
    EXPECT_EQ(input.mouse_x, 639);
    EXPECT_EQ(input.mouse_y, 479);
    poll_frame();
    EXPECT_EQ(input.mouse_x, 634);
    EXPECT_EQ(input.mouse_y, 474);
}

TEST_F(Input, AnEnormousMotionNeverWrapsThePointerToTheOtherSide)
{
    headless_mouse_to(0, 600, 400);
    headless_mouse_motion(1, INT32_MAX, INT32_MAX);
    headless_mouse_motion(2, INT32_MIN, INT32_MIN);
    poll_frame();
    poll_frame();
    EXPECT_EQ(input.mouse_x, 639);
    EXPECT_EQ(input.mouse_y, 479);
    poll_frame();
    EXPECT_EQ(input.mouse_x, 0);
    EXPECT_EQ(input.mouse_y, 0);
}

TEST_F(Input, AKnownPointerPositionIsTakenAsItIsClampedToTheScreen)
{
    headless_mouse_motion(0, 40, 40);
    headless_mouse_to(0, 123, 321);    // the position wins over motion in the same read
    headless_mouse_to(1, 700, -5);
    headless_mouse_to(2, -1, 480);
    poll_frame();
    EXPECT_EQ(input.mouse_x, 123);
    EXPECT_EQ(input.mouse_y, 321);
    poll_frame();
    EXPECT_EQ(input.mouse_x, 639);
    EXPECT_EQ(input.mouse_y, 0);
    poll_frame();
    EXPECT_EQ(input.mouse_x, 0);
    EXPECT_EQ(input.mouse_y, 479);
}


// ---- Keyboard ------------------------------------------------------------------


TEST_F(Input, WaitingForKeysUpReturnsAtOnceWhenNothingIsHeld)
{
    poll_frame();
    count_key_reads();
    uint32_t before = headless_ticks();
    input_wait_keys_up();
    EXPECT_EQ(key_reads, 0);
    EXPECT_EQ(headless_ticks(), before);
}

TEST_F(Input, WaitingForKeysUpPollsOnlyTheKeyboardUntilTheKeyIsReleased)
{
    headless_key(0, KEY_ESCAPE, true);
    poll_frame();
    ASSERT_NE(input.keys[KEY_ESCAPE], 0);
    count_key_reads();
    uint64_t frame = headless_frame();
    input_wait_keys_up();
    EXPECT_TRUE(input_keys_all_up());
    EXPECT_GE(key_reads, 1);
    EXPECT_EQ(headless_frame(), frame);    // the mouse was not polled
}

// ---- Typed characters ------------------------------------------------------------

TEST_F(Input, TypedCharactersComeOutOldestFirstAndPeekLeavesThemThere)
{
    input_begin_typing();
    type("Moth");
    EXPECT_EQ(input_peek_char(), 'M');
    EXPECT_EQ(input_peek_char(), 'M');
    EXPECT_EQ(input_next_char(), 'M');
    EXPECT_EQ(read_all(), "oth");
    EXPECT_EQ(input_peek_char(), 0);
    EXPECT_EQ(input_next_char(), 0);
}

TEST_F(Input, ThirtyTwoTypedCharactersKeepTheLastThirtyOne)
{
    input_begin_typing();
    std::string typed = "abcdefghijklmnopqrstuvwxyz012345";
    ASSERT_EQ(typed.size(), 32u);
    type(typed);
    EXPECT_EQ(read_all(), typed.substr(1));
}

TEST_F(Input, TheRingKeepsItsOrderAcrossManyTurnsRoundIt)
{
    input_begin_typing();
    std::string typed, read;
    for (int burst = 0; burst < 40; burst++) {
        std::string keys;
        for (int i = 0; i < 1 + burst % 30; i++)
            keys += (char)('A' + (typed.size() + keys.size()) % 26);
        type(keys);
        typed += keys;
        read += read_all();
    }
    EXPECT_EQ(read, typed);
}

TEST_F(Input, CharactersTypedWhileCaptureIsOffAreDiscarded)
{
    type("lost");
    input_begin_typing();
    EXPECT_EQ(input_next_char(), 0);
    type("kept");
    input_end_typing();
    EXPECT_EQ(input_peek_char(), 0);
    input_begin_typing();
    EXPECT_EQ(input_next_char(), 0);    // ending typing threw "kept" away
}

TEST_F(Input, NothingIsReadWhileCaptureIsOffEvenWithCharactersWaiting)
{
    input_begin_typing();
    type("x");
    input.char_capture = 0;
    EXPECT_EQ(input_peek_char(), 0);
    EXPECT_EQ(input_next_char(), 0);
    input.char_capture = 1;
    EXPECT_EQ(input_next_char(), 'x');
}

TEST_F(Input, BeginningToTypeDiscardsWhatWasTypedBefore)
{
    input_begin_typing();
    type("ab");
    input_begin_typing();
    type("c");
    EXPECT_EQ(read_all(), "c");
}

TEST_F(Input, OnlyTheLowByteOfACharacterIsKeptAndAZeroNeverBlocksTheRing)
{
    input_begin_typing();
    input_put_char('a');
    input_put_char(0x100);      // low byte 0: nothing that could be read back
    input_put_char(0x1E0);      // the Cyrillic small a in the game's code page
    EXPECT_EQ(input_next_char(), 'a');
    EXPECT_EQ(input_next_char(), 0xE0);
    EXPECT_EQ(input_next_char(), 0);
}
