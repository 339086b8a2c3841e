// High scores: the table of the fifteen best results, its file "HIGH50" in
// the installation directory, and the screens that show it and take a name.
//
// A screen that inserts a result holds the file open without sharing from
// loading it until it is written back; another copy of the game that tries
// to load it meanwhile is told the file is busy and waits.
#pragma once

#include "platform/file.h"

#include <cstdint>

constexpr int HISCORE_MAX = 15;
constexpr int HISCORE_NAME_BYTES = 36;
constexpr int HISCORE_ENTRY_BYTES = 40;    // the name, then a signed 32-bit score, little-endian
constexpr int HISCORE_DIR_BYTES = 261;
constexpr const char* HISCORE_FILE_NAME = "HIGH50";

struct HighScoreEntry {
    char name[HISCORE_NAME_BYTES];    // NUL-terminated; bytes after the NUL mean nothing
    int32_t score;
};

struct HighScoreTable {
    File file;
    HighScoreEntry entries[HISCORE_MAX];    // row 0 is the best result
    int32_t count;
};

extern HighScoreTable hiscore_table;

enum HiscoreLoadResult {
    HISCORE_LOADED = 0,    // the file stays open
    HISCORE_RESET = 1,     // no usable file: the table is empty and the file not open
    HISCORE_BUSY = 2,      // another copy of the game holds the file; the table is unchanged
};

// The installation directory, ending in a separator, into a buffer of
// HISCORE_DIR_BYTES; the current directory when the system has none (or one
// too long for the buffer).
void hiscore_find_dir(char* dir);
int hiscore_load();
// The table from the bytes of a file of `size` bytes, as the load reads
// them, rows sorted; false, with the table untouched, when the size is not
// that of a table (whole rows, at most fifteen).
bool hiscore_decode(const uint8_t* bytes, int64_t size);
// The table's rows as the file holds them, into room for HISCORE_MAX rows;
// returns the number of bytes.
uint32_t hiscore_encode(uint8_t* bytes);
bool hiscore_create();
// Writes the table and closes the file; false when it could not be written
// whole (or the file could not be had at all), in which case a line on
// stderr names the file and the reason, and the file on disk still holds
// its previous table when the disk was full.
bool hiscore_save();
void hiscore_close();
void hiscore_reset();
// The table as a new process has it: the file closed (so the next load can
// have it), no rows, no failure remembered.
void hiscore_table_reset();
// The high-score screens' notice and background as at start-up.
void hiscore_screens_reset();
void hiscore_sort();
bool hiscore_qualifies(int32_t score);

// ---- Screens ----------------------------------------------------------------

// Layout: row r stands at y r * 21 + 110, its score right-aligned at x 210
// and its name from x 235; the new row's highlight at (300, r * 21 + 103).
constexpr int HISCORE_ROW_Y = 110;
constexpr int HISCORE_ROW_HEIGHT = 21;
constexpr int HISCORE_SCORE_X = 210;
constexpr int HISCORE_NAME_X = 235;
constexpr int HISCORE_HIGHLIGHT_X = 300;
constexpr int HISCORE_HIGHLIGHT_Y = 103;
constexpr int HISCORE_NAME_MAX = 32;
constexpr int HISCORE_NAME_RIGHT = 619;    // a name stays narrower than 384 pixels

// Texts of the pack's ScoreTexts.
constexpr int TEXT_DEFAULT_NAME = 0;
constexpr int TEXT_BUSY_FIRST = 2;
constexpr int TEXT_BUSY_SECOND = 3;
constexpr int TEXT_TABLE_EMPTY = 7;

// The notice, where the table stands for a moment, that a result could not
// be saved (the pack has no text for it).
constexpr const char* HISCORE_UNSAVED_FIRST = "Your result could";
constexpr const char* HISCORE_UNSAVED_SECOND = "not be saved!";

// The table after a game: the result of `score` entered where it belongs,
// its name typed by the player.
void hiscore_after_game(int32_t score);
void hiscore_view();
void hiscore_open(bool keep_open);
void hiscore_reveal();
void hiscore_draw_table();
void hiscore_draw_row(int row);
void hiscore_insert(int32_t score);
void hiscore_enter_name(int row);
