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

bool replay_encode_record(const ReplayRecord& record, bool (*write_word)(uint32_t))
{
    // A record with both buttons down keeps the left one.
    bool written = true;
    if (record.left)
        written = write_word(REPLAY_LEFT_MARK);
    else if (record.right)
        written = write_word(REPLAY_RIGHT_MARK);
    return write_word((uint32_t)record.y << 16 | (uint32_t)record.x) && written;
}

bool replay_decode_record(bool (*read_word)(uint32_t*), ReplayRecord* record)
{
    uint32_t word;
    if (!read_word(&word))
        return false;
    record->left = word == REPLAY_LEFT_MARK ? 1 : 0;
    record->right = word == REPLAY_RIGHT_MARK ? 1 : 0;
    if ((record->left || record->right) && !read_word(&word))
        return false;
    record->x = (int32_t)(word & 0xFFFF);
    record->y = (int32_t)(word >> 16);
    return record->x < SCREEN_WIDTH && record->y < SCREEN_HEIGHT;
}

static void record_frame()
{
    // Write failures are not the player's concern: the game goes on and the
    // recording simply ends short.
    ReplayRecord record = {input.mouse_x, input.mouse_y, input.mouse_left ? 1 : 0, input.mouse_right ? 1 : 0};
    replay_encode_record(record, replay_write_word);
}

// Returns false when the file has no further complete record this game could
// have written; playback then ends and this frame keeps the live mouse.
static bool play_frame()
{
    ReplayRecord record;
    if (!replay_decode_record(replay_read_word, &record))
        return false;
    // The live motion of this frame is dropped; live buttons still count,
    // so a real click adds to the recorded ones.
    input.mouse_x = record.x;
    input.mouse_y = record.y;
    if (record.left)
        input.mouse_left = 1;
    if (record.right)
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
