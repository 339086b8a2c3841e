// Writes the seed packs of the pack fuzzer into the folder given: the
// placeholder game and logo packs, and small packs of every entry kind.
#include "resources/pack_writer.h"
#include "testkit/test_pack.h"

#include <cstdio>
#include <string>

namespace {

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

bool write(const std::string& folder, const char* name, const Bytes& bytes)
{
    std::string path = folder + "/" + name;
    if (save_bytes(path.c_str(), bytes))
        return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s folder\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    bool ok = write(folder, "game.res", make_test_game_pack()) && write(folder, "logo.res", make_test_logo_pack()) &&
              write(folder, "small.res", small_pack()) && write(folder, "empty.res", make_pack({}));
    return ok ? 0 : 1;
}
