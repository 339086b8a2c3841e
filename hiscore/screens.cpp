// The high-score screens: the table after a game (with the insertion of a
// qualifying result and its name entry) and the table on its own.
#include "hiscore/hiscore.h"

#include "frame/frame.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "video/display.h"
#include "video/font.h"
#include "video/image.h"

#include <cstring>

namespace {

constexpr int INSERT_PAUSE_FRAMES = 80;
constexpr int FLASH_FRAMES = 64;
constexpr int SECOND_FLASH_WRAPS = 6;
constexpr int HIGHLIGHT_FRAMES = 8;
constexpr int CURSOR_BLINK_FRAMES = 4;
constexpr int REFRESH_FRAMES = 300;
constexpr uint8_t NAME_CURSOR = 1;
constexpr int UNSAVED_NOTICE_FRAMES = 100;
int unsaved_notice = 0;    // frames the notice that the table was not saved has left

// When no snapshot can be had the screens still run, over this picture, so
// a result is never lost for want of memory.
uint8_t reserve_background[SCREEN_COPY_BYTES];
const uint8_t* background = nullptr;

int row_y(int row) { return row * HISCORE_ROW_HEIGHT + HISCORE_ROW_Y; }

void restore() { display_restore_background(background); }

// The new row's highlight: the next of its eight frames every second frame.
struct Highlight {
    int frame = 0;
    int half = 0;
    int wraps = 0;
    void advance()
    {
        half ^= 1;
        if (half)
            return;
        if (++frame == HIGHLIGHT_FRAMES) {
            frame = 0;
            wraps++;
        }
    }
};

// One frame of the insertion animation at `row`; false when the program is
// closing.
bool flash_frame(Highlight& highlight, int row)
{
    restore();
    if (!frame_next())
        return false;
    highlight.advance();
    draw_sprite(nullptr, HISCORE_HIGHLIGHT_X, row * HISCORE_ROW_HEIGHT + HISCORE_HIGHLIGHT_Y,
                table_image(ScoreScreenImages, highlight.frame));
    hiscore_draw_table();
    display_present();
    return true;
}

void copy_name(char* name, const char* text)
{
    std::strncpy(name, text, HISCORE_NAME_BYTES - 1);
    name[HISCORE_NAME_BYTES - 1] = 0;
}

// The name the system knows the player by, if it fits a row; else the pack's.
void default_name(char* name)
{
    char owner[HISCORE_NAME_MAX + 1] = {};
    if (platform_read_owner_name(owner, sizeof owner) && std::strlen(owner) <= 31)
        copy_name(name, owner);
    else
        copy_name(name, table_text(ScoreTexts, TEXT_DEFAULT_NAME));
}

// Waits for a typed key or a click, reloading the table from the file every
// 300 frames so results another copy of the game adds show up.
void wait_for_player()
{
    input_begin_typing();
    int refresh = REFRESH_FRAMES;
    for (;;) {
        if (!frame_next())
            return;
        if (unsaved_notice > 0 && --unsaved_notice == 0) {
            restore();
            hiscore_draw_table();
            display_present();
        }
        bool typed = false;
        if (input_peek_char()) {
            input_next_char();
            typed = true;
        }
        if (--refresh == 0) {
            restore();
            hiscore_open(false);
            hiscore_draw_table();
            display_present();
            refresh = REFRESH_FRAMES;
        }
        if (typed || input.mouse_left || input.mouse_right)
            break;
    }
    input_end_typing();
    input_wait_keys_up();
}

}  // namespace

void hiscore_screens_reset()
{
    unsaved_notice = 0;
    background = nullptr;
    std::memset(reserve_background, 0, sizeof reserve_background);
}

void hiscore_draw_row(int row)
{
    const HighScoreEntry& entry = hiscore_table.entries[row];
    draw_text(HISCORE_NAME_X, row_y(row), entry.name, ALIGN_LEFT, nullptr);
    draw_number(HISCORE_SCORE_X, row_y(row), entry.score, ALIGN_RIGHT, nullptr);
}

void hiscore_draw_table()
{
    if (hiscore_table.count == 0) {
        draw_text(320, 240, table_text(ScoreTexts, TEXT_TABLE_EMPTY), ALIGN_CENTRE, nullptr);
        return;
    }
    for (int row = 0; row < hiscore_table.count; row++)
        hiscore_draw_row(row);
}

void hiscore_open(bool keep_open)
{
    int result = hiscore_load();
    if (result == HISCORE_BUSY) {
        // Another copy of the game holds the file: say so and try again
        // every frame until it lets go.
        restore();
        draw_text(320, 240, table_text(ScoreTexts, TEXT_BUSY_FIRST), ALIGN_CENTRE, nullptr);
        draw_text(320, 260, table_text(ScoreTexts, TEXT_BUSY_SECOND), ALIGN_CENTRE, nullptr);
        display_present();
        result = hiscore_load();
        while (result == HISCORE_BUSY) {
            if (!frame_next())
                return;    // closing: the table stays as it was, the file was never ours
            result = hiscore_load();
        }
        restore();
    }
    if (result == HISCORE_RESET)
        hiscore_create();
    if (!keep_open)
        hiscore_close();
}

void hiscore_reveal()
{
    if (hiscore_table.count == 0) {
        hiscore_draw_table();
        return;
    }
    for (int shown = 1; shown <= hiscore_table.count; shown++) {
        if (!frame_next())
            return;
        restore();
        for (int row = 0; row < shown; row++)
            hiscore_draw_row(row);
        display_present();
    }
}

void hiscore_enter_name(int row)
{
    HighScoreEntry& entry = hiscore_table.entries[row];
    char typed[256] = {};
    copy_name(typed, entry.name);
    size_t length = std::strlen(typed);
    int blink = CURSOR_BLINK_FRAMES;
    bool cursor_shown = false;
    bool closing = false;
    input_begin_typing();
    for (bool done = false; !done;) {
        restore();
        copy_name(entry.name, typed);
        hiscore_draw_table();
        if (cursor_shown)
            draw_char_aligned(HISCORE_NAME_X + measure_text(typed), row_y(row), NAME_CURSOR, ALIGN_LEFT, nullptr);
        if (--blink == 0) {
            blink = CURSOR_BLINK_FRAMES;
            cursor_shown = !cursor_shown;
        }
        if (!frame_next()) {
            closing = true;
            break;
        }
        uint8_t c = input_next_char();
        if (c == 8) {
            if (length > 0)
                typed[--length] = 0;
        } else if (c == 13) {
            done = true;
        } else if (c >= 32 && length < HISCORE_NAME_MAX && HISCORE_NAME_X + measure_text(typed) < HISCORE_NAME_RIGHT) {
            typed[length++] = (char)c;
        }
        display_present();
    }
    input_end_typing();
    copy_name(entry.name, typed);
    // A name left empty takes the player's name from the system, but not on
    // the way out: a closing program saves what was typed.
    if (!closing && entry.name[0] == 0)
        default_name(entry.name);
    restore();
    hiscore_draw_table();
}

// The new result's arrival: the pause, the flash at the bottom, the climb
// to its place and the second flash. Its row, or -1 when the program is
// closing.
static int insert_animation(int32_t score)
{
    HighScoreTable& t = hiscore_table;
    restore();
    hiscore_draw_table();
    display_present();
    for (int i = 0; i < INSERT_PAUSE_FRAMES; i++)
        if (!frame_next())
            return -1;

    if (t.count < HISCORE_MAX)
        t.count++;
    int row = t.count - 1;
    t.entries[row].name[0] = 0;
    t.entries[row].score = score;

    Highlight highlight;
    for (int i = 0; i < FLASH_FRAMES; i++)
        if (!flash_frame(highlight, row))
            return -1;

    // The result climbs one row every second frame, and settles below every
    // older result with the same score.
    bool climbed = row > 0 && score > t.entries[row - 1].score;
    for (int frames = 1; row > 0 && score > t.entries[row - 1].score; frames++) {
        if (!flash_frame(highlight, row))
            return -1;
        if (frames % 2 == 1) {
            t.entries[row] = t.entries[row - 1];
            t.entries[row - 1].name[0] = 0;
            t.entries[row - 1].score = score;
            row--;
        }
    }
    if (climbed) {
        int wraps_before = highlight.wraps;
        while (highlight.wraps - wraps_before < SECOND_FLASH_WRAPS)
            if (!flash_frame(highlight, row))
                return -1;
    }
    return row;
}

void hiscore_insert(int32_t score)
{
    if (!hiscore_qualifies(score)) {
        hiscore_draw_table();
        hiscore_close();
        return;
    }
    int row = insert_animation(score);
    if (row < 0) {
        // Closing before the name entry: nothing is saved, and the table is
        // let go of, so that whatever runs next (a second game in the same
        // process, another copy) finds it free.
        hiscore_close();
        return;
    }
    hiscore_enter_name(row);
    if (!hiscore_save()) {
        // The result is lost, and the player must know it (the reason is on
        // stderr): the notice stands for a moment of the wait that follows.
        restore();
        draw_text(320, 240, HISCORE_UNSAVED_FIRST, ALIGN_CENTRE, nullptr);
        draw_text(320, 260, HISCORE_UNSAVED_SECOND, ALIGN_CENTRE, nullptr);
        unsaved_notice = UNSAVED_NOTICE_FRAMES;
    }
}

void hiscore_after_game(int32_t score)
{
    current_screen = "hiscore";
    bool owned = snapshot_allocate() != nullptr;
    background = owned ? screen_snapshot : reserve_background;
    display_snapshot((uint8_t*)background);
    hiscore_open(true);
    hiscore_reveal();
    unsaved_notice = 0;
    hiscore_insert(score);
    display_present();
    wait_for_player();
    unsaved_notice = 0;
    if (owned)
        snapshot_free();
}

void hiscore_view()
{
    current_screen = "hiscore";
    background = screen_snapshot ? screen_snapshot : reserve_background;
    display_snapshot((uint8_t*)background);
    hiscore_open(false);
    hiscore_reveal();
    display_present();
    wait_for_player();
}
