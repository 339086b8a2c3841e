// Writes the seeds of the high-score and playback fuzzers:
//   file_fuzz_corpus <hiscore folder> <replay folder>
// High-score seeds: tables the game writes and a few it must refuse, each
// after the result and the typed name (see hiscore_fuzz.cpp). Playback
// seeds: the autoplayer's own games recorded on the fuzzer's board, and
// recordings that open the in-game menu and choose each item.
#include "autoplay/autoplay.h"
#include "hiscore/hiscore.h"
#include "replay_harness.h"
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

void put_word(Bytes& out, uint32_t word)
{
    for (int i = 0; i < 4; i++)
        out.push_back((uint8_t)(word >> (8 * i)));
}

struct Row {
    std::string name;
    int32_t score;
};

Bytes hiscore_seed(int32_t score, const std::string& typed, const std::vector<Row>& rows)
{
    Bytes out;
    put_word(out, (uint32_t)score);
    out.push_back((uint8_t)typed.size());
    out.insert(out.end(), typed.begin(), typed.end());
    for (const Row& row : rows) {
        uint8_t entry[HISCORE_ENTRY_BYTES] = {};
        std::snprintf((char*)entry, HISCORE_NAME_BYTES, "%s", row.name.c_str());
        out.insert(out.end(), entry, entry + HISCORE_NAME_BYTES);
        put_word(out, (uint32_t)row.score);
    }
    return out;
}

bool hiscore_seeds(const std::string& folder)
{
    std::vector<Row> full;
    for (int i = 0; i < HISCORE_MAX; i++)
        full.push_back({"Row " + std::to_string(i), 1500 - 100 * i});
    Bytes odd = hiscore_seed(50, "Odd", {{"x", 5}});
    odd.push_back(0);
    return write(folder, "empty", hiscore_seed(100, "Ann", {})) &&
           write(folder, "three", hiscore_seed(250, "Bea", {{"first", 300}, {"second", 200}, {"third", 100}})) &&
           write(folder, "full-beaten", hiscore_seed(501, "Cy", full)) &&
           write(folder, "full-tied", hiscore_seed(100, "Di", full)) &&
           write(folder, "unsorted-ties", hiscore_seed(6, "Ed", {{"x", 5}, {"y", 5}, {"z", 7}})) &&
           write(folder, "negative", hiscore_seed(-5, "Neg", {{"low", -2147483647 - 1}, {"high", 2147483647}})) &&
           write(folder, "edits", hiscore_seed(42, std::string("Fo\bx\xC6\xC8 \r", 8), {{"a", 1}})) &&
           write(folder, "wrong-size", odd);
}

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

// Waits out the start of the game, opens the menu, takes `item` (then
// Continue when asked).
Bytes menu_seed(int item, bool then_continue)
{
    auto centre_x = [](int i) { return menu_items[i].x + menu_items[i].width / 2; };
    auto centre_y = [](int i) { return menu_items[i].y + menu_items[i].height / 2; };
    int x = centre_x(item), y = centre_y(item);
    int on_x = centre_x(MENU_CONTINUE), on_y = centre_y(MENU_CONTINUE);
    Bytes out;
    auto frame = [&](int px, int py, bool left) {
        if (left)
            put_word(out, REPLAY_LEFT_MARK);
        put_word(out, (uint32_t)py << 16 | (uint32_t)px);
    };
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: file_fuzz_corpus <hiscore folder> <replay folder>\n");
        return 2;
    }
    return hiscore_seeds(argv[1]) && replay_seeds(argv[2]) ? 0 : 1;
}
