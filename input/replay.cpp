// Recording the mouse into a file and playing it back, one record per poll.
#include "input/input.h"

#include "platform/globals.h"

bool replay_open(const char* name, bool recording)
{
    replay_stop();
    input.replay_recording = recording ? 1 : 0;
    if (!file_open(&input.replay_file, name, recording ? FILE_CREATE : FILE_READ))
        return false;    // nothing to read or to write into: the mouse stays live
    input.replay_active = 1;
    return true;
}

void replay_stop()
{
    if (!input.replay_active)
        return;
    input.replay_active = 0;
    file_close(&input.replay_file);
}

bool replay_write_word(uint32_t word)
{
    uint8_t bytes[4] = {(uint8_t)word, (uint8_t)(word >> 8), (uint8_t)(word >> 16), (uint8_t)(word >> 24)};
    return file_write(&input.replay_file, bytes, 4);
}

bool replay_read_word(uint32_t* word)
{
    uint8_t bytes[4];
    if (file_read(&input.replay_file, bytes, 4) != 4)
        return false;
    *word = (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 | (uint32_t)bytes[3] << 24;
    return true;
}

static void record_frame()
{
    // Write failures are not the player's concern: the game goes on and the
    // recording simply ends short.
    if (input.mouse_left)
        replay_write_word(REPLAY_LEFT_MARK);
    else if (input.mouse_right)
        replay_write_word(REPLAY_RIGHT_MARK);
    replay_write_word((uint32_t)input.mouse_y << 16 | (uint32_t)input.mouse_x);
}

// Returns false when the file has no further complete record this game could
// have written; playback then ends and this frame keeps the live mouse.
static bool play_frame()
{
    uint32_t word;
    if (!replay_read_word(&word))
        return false;
    int left = 0, right = 0;
    if (word == REPLAY_LEFT_MARK)
        left = 1;
    else if (word == REPLAY_RIGHT_MARK)
        right = 1;
    if ((left || right) && !replay_read_word(&word))
        return false;

    int32_t x = (int32_t)(word & 0xFFFF);
    int32_t y = (int32_t)(word >> 16);
    if (x >= SCREEN_WIDTH || y >= SCREEN_HEIGHT)
        return false;

    // The live motion of this frame is dropped; live buttons still count,
    // so a real click adds to the recorded ones.
    input.mouse_x = x;
    input.mouse_y = y;
    if (left)
        input.mouse_left = 1;
    if (right)
        input.mouse_right = 1;
    return true;
}

void replay_step()
{
    if (!input.replay_active)
        return;
    if (input.replay_recording) {
        record_frame();
    } else if (!play_frame()) {
        replay_stop();
        return;
    }
    // F8 is tested against the keys of the previous keyboard poll, since
    // screens poll the mouse first in every frame.
    if (input.keys[KEY_F8])
        replay_stop();
}
