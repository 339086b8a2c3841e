// Two copies of the game saving results into one table at the same time,
// as fast as they can: each round loads the table (trying again while the
// other copy holds it), checks that it is whole, counts one more result in
// it and saves it. A table found missing, torn or behind (a round of the
// other copy lost) is a fault. The table's tests run it on POSIX, the file
// checks of the Windows program under Wine.
#pragma once

#include "hiscore/hiscore.h"

#include <cstdio>
#include <cstring>
#include <string>

// The hammer's table after `rounds` saves: fifteen rows, each named after
// the count and scored with it.
inline void hammer_fill(int32_t rounds)
{
    hiscore_table.count = HISCORE_MAX;
    for (HighScoreEntry& entry : hiscore_table.entries) {
        std::snprintf(entry.name, sizeof entry.name, "round %d", (int)rounds);
        entry.score = rounds;
    }
}

// Whether the loaded table is one the hammer wrote, whole; its count.
inline bool hammer_whole(int32_t* rounds)
{
    const HighScoreTable& t = hiscore_table;
    if (t.count != HISCORE_MAX)
        return false;
    char name[HISCORE_NAME_BYTES];
    std::snprintf(name, sizeof name, "round %d", (int)t.entries[0].score);
    for (const HighScoreEntry& entry : t.entries)
        if (entry.score != t.entries[0].score || std::strcmp(entry.name, name) != 0)
            return false;
    *rounds = t.entries[0].score;
    return true;
}

// A fresh table, saved with the count 0.
inline bool hammer_start()
{
    if (hiscore_load() == HISCORE_BUSY || (!file_is_open(&hiscore_table.file) && !hiscore_create()))
        return false;
    hammer_fill(0);
    return hiscore_save();
}

// `rounds` rounds of load, check, count and save; empty, or what went wrong
// first.
inline std::string hammer_table(int rounds)
{
    int32_t last_seen = -1;
    for (int done = 0; done < rounds;) {
        int result = hiscore_load();
        if (result == HISCORE_BUSY)
            continue;
        std::string round = "round " + std::to_string(done) + ": ";
        if (result != HISCORE_LOADED)
            return round + "the table was missing or not a table";
        int32_t count = 0;
        if (!hammer_whole(&count)) {
            hiscore_close();
            return round + "the table was torn";
        }
        if (count < last_seen) {
            hiscore_close();
            return round + "the table went back from " + std::to_string(last_seen) + " to " + std::to_string(count);
        }
        hammer_fill(count + 1);
        if (!hiscore_save())
            return round + "the save failed";
        last_seen = count + 1;
        done++;
    }
    return "";
}
