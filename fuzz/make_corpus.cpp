// Writes the seeds of every fuzzer, each kind into its own folder under the
// one given:
//   fuzz_corpus <folder>
//   pack/            the placeholder game and logo packs, and small packs of
//                    every entry kind, made with the pack writer
//   hiscore-table/   tables as the game writes them, a few unsorted, and
//                    one it must refuse
//   hiscore-screen/  the same tables after a result and a typed name (the
//                    layout of hiscore_fuzz.cpp)
//   replay/          the autoplayer's own games recorded on the playback
//                    fuzzer's board, and recordings that open the in-game
//                    menu and choose each item
#include "autoplay/autoplay.h"
#include "hiscore/hiscore.h"
#include "replay_harness.h"
#include "resources/pack_writer.h"
#include "testkit/test_pack.h"
#include "board/menu.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

bool write(const std::string& folder, const std::string& name, const Bytes& bytes)
{
    std::string path = folder + "/" + name;
    if (save_bytes(path.c_str(), bytes))
        return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

// ---- Packs ------------------------------------------------------------------

std::vector<uint8_t> pattern(int width, int height, int seed)
{
    std::vector<uint8_t> pixels((size_t)width * height);
    for (int i = 0; i < width * height; i++)
        pixels[i] = (uint8_t)((i / 5 + seed) % 7 == 0 ? 0 : (i / 3 + seed) % 256);
    return pixels;
}

Bytes small_pack()
{
    std::vector<Bytes> raw, runs, fills;
    for (int i = 0; i < 3; i++) {
        int w = 3 + 5 * i, h = 2 + i;
        std::vector<uint8_t> pixels = pattern(w, h, i);
        raw.push_back(encode_raw(-1, -1, w, h, pixels.data()));
        runs.push_back(encode_runs(10 * i, 5, w, h, pixels.data(), 0));
        fills.push_back(encode_fill_runs(5, 10 * i, w, h, pixels.data(), 0));
    }
    Bytes palette(768);
    for (int i = 0; i < 768; i++)
        palette[i] = (uint8_t)(i % 64);
    std::vector<uint8_t> single = pattern(20, 4, 9);
    return make_pack({
        make_table(raw),
        make_table(runs),
        make_table(fills),
        palette,
        make_text_table({"ONE", "TWO", ""}),
        make_sound_bank({Bytes(6, 0x80), Bytes(2, 0x90)}),
        encode_raw(0, 0, 20, 4, single.data()),
        encode_fill_runs(100, 100, 20, 4, single.data(), 0),
        make_table({}),
    });
}

bool pack_seeds(const std::string& folder)
{
    return write(folder, "game.res", make_test_game_pack()) && write(folder, "logo.res", make_test_logo_pack()) &&
           write(folder, "small.res", small_pack()) && write(folder, "empty.res", make_pack({}));
}

// ---- High-score tables ------------------------------------------------------

struct Row {
    std::string name;
    int32_t score;
};

// The rows in the order given, as the game writes its table.
Bytes table_file(const std::vector<Row>& rows)
{
    hiscore_reset();
    for (const Row& row : rows) {
        HighScoreEntry& entry = hiscore_table.entries[hiscore_table.count++];
        std::snprintf(entry.name, HISCORE_NAME_BYTES, "%s", row.name.c_str());
        entry.score = row.score;
    }
    uint8_t bytes[HISCORE_MAX * HISCORE_ENTRY_BYTES];
    uint32_t length = hiscore_encode(bytes);
    return Bytes(bytes, bytes + length);
}

// The screen fuzzer's input: the result (4 bytes, little-endian), the
// length of the typed name, the name, then the file.
Bytes screen_input(int32_t score, const std::string& typed, const Bytes& file)
{
    Bytes out;
    for (int i = 0; i < 4; i++)
        out.push_back((uint8_t)((uint32_t)score >> (8 * i)));
    out.push_back((uint8_t)typed.size());
    out.insert(out.end(), typed.begin(), typed.end());
    out.insert(out.end(), file.begin(), file.end());
    return out;
}

bool hiscore_seeds(const std::string& table_folder, const std::string& screen_folder)
{
    std::vector<Row> full;
    for (int i = 0; i < HISCORE_MAX; i++)
        full.push_back({"Row " + std::to_string(i), 1500 - 100 * i});
    Bytes odd = table_file({{"x", 5}});
    odd.push_back(0);
    struct Seed {
        const char* name;
        Bytes file;
        int32_t score;
        std::string typed;
    } seeds[] = {
        {"empty", table_file({}), 100, "Ann"},
        {"three", table_file({{"first", 300}, {"second", 200}, {"third", 100}}), 250, "Bea"},
        {"full-beaten", table_file(full), 501, "Cy"},
        {"full-tied", table_file(full), 100, "Di"},
        {"unsorted-ties", table_file({{"x", 5}, {"y", 5}, {"z", 7}}), 6, "Ed"},
        {"negative", table_file({{"low", -2147483647 - 1}, {"high", 2147483647}}), -5, "Neg"},
        {"edits", table_file({{"a", 1}}), 42, std::string("Fo\bx\xC6\xC8 \r", 8)},
        {"wrong-size", odd, 50, "Odd"},
    };
    hiscore_reset();
    for (const Seed& seed : seeds)
        if (!write(table_folder, seed.name, seed.file) ||
            !write(screen_folder, seed.name, screen_input(seed.score, seed.typed, seed.file)))
            return false;
    return true;
}

// ---- Recordings -------------------------------------------------------------

// The autoplayer's game on the fuzzer's board, recorded.
bool autoplay_seed(const std::string& folder, const std::string& dir, uint32_t seed)
{
    std::string path = dir + REPLAY_FILE_NAME;
    AutoplaySettings settings = autoplay_quick_settings();
    settings.seed = seed;
    autoplay_start(settings);
    replay_harness_start(path, true);
    replay_harness_run(nullptr);
    autoplay_stop();
    std::error_code failed;
    std::filesystem::copy_file(path, folder + "/autoplay-" + std::to_string(seed),
                               std::filesystem::copy_options::overwrite_existing, failed);
    return !failed;
}

Bytes* recorded;

bool record_word(uint32_t word)
{
    for (int i = 0; i < 4; i++)
        recorded->push_back((uint8_t)(word >> (8 * i)));
    return true;
}

// Waits out the start of the game, opens the menu, takes `item` (then
// Continue when asked).
Bytes menu_seed(int item, bool then_continue)
{
    auto centre_x = [](int i) { return menu_items[i].x + menu_items[i].width / 2; };
    auto centre_y = [](int i) { return menu_items[i].y + menu_items[i].height / 2; };
    int x = centre_x(item), y = centre_y(item);
    int on_x = centre_x(MENU_CONTINUE), on_y = centre_y(MENU_CONTINUE);
    Bytes out;
    recorded = &out;
    auto frame = [&](int px, int py, bool left) { replay_encode_record({px, py, left ? 1 : 0, 0}, record_word); };
    for (int i = 0; i < 140; i++)
        frame(300, 300, false);
    frame(MENU_BUTTON_X + MENU_BUTTON_WIDTH / 2, MENU_BUTTON_Y + MENU_BUTTON_HEIGHT / 2, true);
    for (int i = 0; i < 45; i++)
        frame(x, y, false);        // the menu opens and the highlight follows
    frame(x, y, true);
    frame(x, y, false);
    if (then_continue) {
        for (int i = 0; i < 30; i++)
            frame(on_x, on_y, false);
        frame(on_x, on_y, true);
        frame(on_x, on_y, false);
    }
    for (int i = 0; i < 60; i++)
        frame(320, 240, false);
    recorded = nullptr;
    return out;
}

bool replay_seeds(const std::string& folder)
{
    std::string dir;
    if (!replay_harness_set_up(&dir))
        return false;
    bool ok = true;
    for (uint32_t seed = 1; seed <= 6; seed++)
        ok = ok && autoplay_seed(folder, dir, seed);
    ok = ok && write(folder, "menu-new-game", menu_seed(MENU_NEW_GAME, false)) &&
         write(folder, "menu-sound", menu_seed(MENU_SOUND, true)) && write(folder, "menu-quit", menu_seed(MENU_QUIT, false)) &&
         write(folder, "menu-continue", menu_seed(MENU_CONTINUE, false)) && write(folder, "empty", Bytes{}) &&
         write(folder, "short", Bytes{0xFF, 0xFF, 0x00});
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_corpus <folder>\n");
        return 2;
    }
    std::string root = argv[1];
    for (const char* kind : {"pack", "hiscore-table", "hiscore-screen", "replay"}) {
        std::error_code failed;
        std::filesystem::create_directories(root + "/" + kind, failed);
        if (failed) {
            std::fprintf(stderr, "cannot make %s/%s\n", root.c_str(), kind);
            return 1;
        }
    }
    bool ok = pack_seeds(root + "/pack") && hiscore_seeds(root + "/hiscore-table", root + "/hiscore-screen") &&
              replay_seeds(root + "/replay");
    return ok ? 0 : 1;
}
