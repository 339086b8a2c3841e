// The keyboard, the mouse and the ring of typed characters.
#include "input/input.h"

#include "platform/globals.h"
#include "platform/platform.h"

#include <cstring>

InputState input;

// ---- Devices ----------------------------------------------------------------

int input_create()
{
    if (!platform_keyboard_open())
        return 1;
    input.keyboard_device = 1;
    std::memset(input.keys, 0, sizeof input.keys);
    input.char_capture = 0;

    if (!platform_mouse_open())
        return 2;
    input.mouse_device = 1;
    input.mouse_x = 0;
    input.mouse_y = 0;
    input.mouse_left = 0;
    input.mouse_right = 0;
    return 3;
}

void input_release()
{
    if (input.keyboard_device || input.mouse_device)
        platform_input_close();
    input.keyboard_device = 0;
    input.mouse_device = 0;
    // A recording ended by quitting is complete once its file is closed.
    replay_stop();
}

void input_reset()
{
    file_close(&input.replay_file);
    input = {};
    input.replay_file.handle = FILE_INVALID;
}

// ---- Keyboard ---------------------------------------------------------------

void input_poll_keys() { platform_read_keys(input.keys); }

int input_keys_all_up()
{
    for (uint8_t key : input.keys)
        if (key)
            return 0;
    return 1;
}

void input_wait_keys_up()
{
    while (!input_keys_all_up()) {
        input_poll_keys();
        if (input_keys_all_up())
            break;
        // The player is still holding the key; there is nothing to do until
        // it comes up, so leave the processor to others for a moment.
        platform_idle(1);
    }
}

// ---- Mouse ------------------------------------------------------------------

static int32_t clamp_to(int64_t value, int32_t highest)
{
    if (value < 0)
        return 0;
    if (value > highest)
        return highest;
    return (int32_t)value;
}

void input_poll_mouse()
{
    PlatformMouse mouse;
    platform_read_mouse(&mouse);

    // Motion beyond an edge is thrown away, so moving back leaves the edge
    // at once. The sums are taken wide: no motion count can wrap the pointer
    // round to the other side.
    if (mouse.has_position) {
        input.mouse_x = clamp_to(mouse.x, SCREEN_WIDTH - 1);
        input.mouse_y = clamp_to(mouse.y, SCREEN_HEIGHT - 1);
    } else {
        input.mouse_x = clamp_to((int64_t)input.mouse_x + mouse.dx, SCREEN_WIDTH - 1);
        input.mouse_y = clamp_to((int64_t)input.mouse_y + mouse.dy, SCREEN_HEIGHT - 1);
    }
    input.mouse_left = mouse.left;
    input.mouse_right = mouse.right;

    if (input.replay_active)
        replay_step();
}

// ---- Typed characters -------------------------------------------------------

static int ring_next(int32_t index) { return (index + 1) % INPUT_CHAR_RING; }

void input_put_char(uint32_t code)
{
    if (!input.char_capture)
        return;
    // A zero could never be read back (it means "nothing typed") and would
    // stand in front of everything typed after it.
    uint8_t byte = (uint8_t)(code & 0xFF);
    if (byte == 0)
        return;
    input.char_ring[input.char_head] = byte;
    input.char_head = ring_next(input.char_head);
    if (input.char_head == input.char_tail)
        input.char_tail = ring_next(input.char_tail);    // full: the oldest goes
}

uint8_t input_peek_char()
{
    if (!input.char_capture || input.char_head == input.char_tail)
        return 0;
    return input.char_ring[input.char_tail];
}

uint8_t input_next_char()
{
    uint8_t byte = input_peek_char();
    if (byte)
        input.char_tail = ring_next(input.char_tail);
    return byte;
}

void input_begin_typing()
{
    input.char_capture = 1;
    input.char_tail = input.char_head;
}

void input_end_typing()
{
    input.char_capture = 0;
    input.char_tail = input.char_head;
}
