// Fuzzing the high-score file: any bytes become "HIGH50", and the screen
// after a game runs over it as the game runs it: load (with its checks and
// the sort), show the rows, insert a result with its climb and flashes,
// take a typed name, save. Then the file on disk must be a table the game
// could have written: whole rows, at most fifteen, best first, the new
// result in it when it earned a row, or the file untouched when it did not.
//
// Input layout: 4 bytes the result (signed, little-endian), 1 byte the
// length n of the name typed at the entry (taken modulo 30), n bytes of the
// name (any bytes: backspaces, an early Enter, codes above 127), and all the
// rest is the file.
#include "hiscore/hiscore.h"

#include "input/input.h"
#include "platform/globals.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "resources/pack_writer.h"
#include "resources/resources.h"
#include "frame/pump.h"
#include "testkit/game_helpers.h"
#include "video/display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string dir;
std::string typed;    // what the hand types when the screen waits for typing
bool name_typed;

bool set_up()
{
    char name[] = "/tmp/flickermoth-hiscore-fuzz-XXXXXX";
    if (!mkdtemp(name))
        return false;
    dir = std::string(name) + "/";
    headless_reset(0);
    platform_use(headless_backend());
    bind_test_resources();
    if (!display_create())
        return false;
    display_set_palette(GamePalette);
    return true;
}

// The player's hand: the name (then Enter) once the entry opens, and a key
// whenever the table waits for one afterwards.
void type_when_asked()
{
    if (!input.char_capture || headless_script_left() != 0)
        return;
    headless_type(headless_frame(), name_typed ? std::string("\r") : typed + "\r");
    name_typed = true;
}

int32_t read_score(const uint8_t* bytes)
{
    return (int32_t)((uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 | (uint32_t)bytes[3] << 24);
}

size_t file_bytes(const std::string& path, uint8_t* buffer, size_t room)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    size_t n = std::fread(buffer, 1, room, f);
    std::fclose(f);
    return n;
}

// A result that earns a row makes the game write the table: whole rows, at
// most fifteen, best first, every name ended, the result among them. One
// that does not leaves the file as it was.
void check_file(const std::string& path, const uint8_t* old_file, size_t old_size, int32_t score, int old_count,
                bool qualified)
{
    uint8_t bytes[HISCORE_MAX * HISCORE_ENTRY_BYTES + 1];
    size_t size = file_bytes(path, bytes, sizeof bytes);
    if (!qualified) {
        if (size != old_size || std::memcmp(bytes, old_file, size) != 0)
            __builtin_trap();    // a table that did not change was written all the same
        return;
    }
    if (size % HISCORE_ENTRY_BYTES != 0 || size > HISCORE_MAX * HISCORE_ENTRY_BYTES)
        __builtin_trap();
    int count = (int)(size / HISCORE_ENTRY_BYTES);
    bool found = false;
    for (int row = 0; row < count; row++) {
        const uint8_t* entry = bytes + row * HISCORE_ENTRY_BYTES;
        int32_t s = read_score(entry + HISCORE_NAME_BYTES);
        if (row > 0 && s > read_score(entry - HISCORE_ENTRY_BYTES + HISCORE_NAME_BYTES))
            __builtin_trap();    // out of order
        if (std::memchr(entry, 0, HISCORE_NAME_BYTES) == nullptr)
            __builtin_trap();    // a name without its end
        found |= s == score;
    }
    if (count != std::min(old_count + 1, HISCORE_MAX) || !found)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = set_up();
    if (!ready)
        __builtin_trap();
    if (size < 5)
        return 0;
    int32_t score = read_score(data);
    size_t name_length = data[4] % 30;
    if (size < 5 + name_length)
        return 0;
    typed.assign((const char*)data + 5, name_length);
    name_typed = false;
    const uint8_t* file = data + 5 + name_length;
    size_t file_size = size - 5 - name_length;

    std::string path = dir + HISCORE_FILE_NAME;
    if (!save_bytes(path.c_str(), Bytes(file, file + file_size)))
        __builtin_trap();
    bool valid = file_size % HISCORE_ENTRY_BYTES == 0 && file_size <= HISCORE_MAX * HISCORE_ENTRY_BYTES;
    int old_count = valid ? (int)(file_size / HISCORE_ENTRY_BYTES) : 0;
    // A full table: the row that must be beaten is the lowest score,
    // whatever the file's order.
    int32_t lowest = INT32_MAX;
    for (int row = 0; old_count == HISCORE_MAX && row < HISCORE_MAX; row++)
        lowest = std::min(lowest, read_score(file + row * HISCORE_ENTRY_BYTES + HISCORE_NAME_BYTES));
    bool qualified = old_count < HISCORE_MAX || score > lowest;

    headless_reset(0);
    HeadlessDevices& devices = headless_devices();
    devices.install_dir = dir;
    devices.sound = false;
    devices.frame_limit = 4000;    // a screen that never ends is a finding: see the check below
    pump_reset();
    input_create();
    quick_start = 0;
    pump_frame_hook = type_when_asked;
    hiscore_after_game(score);
    pump_frame_hook = nullptr;
    if (quit_requested)
        __builtin_trap();    // the screen needed more than the frame limit
    check_file(path, file, file_size, score, old_count, qualified);
    return 0;
}
