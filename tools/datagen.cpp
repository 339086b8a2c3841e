// Makes the game's data: "DATA50.RES" and "brenmoor.res" into the given
// directory, and the application icons into its icons/ folder. The build
// runs it; it makes the same bytes on every run.
//
//   flickermoth_datagen OUTPUT_DIR [--no-icons]
#include "tools/art/art.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [--no-icons]\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    bool icons = !(argc > 2 && std::strcmp(argv[2], "--no-icons") == 0);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!save_bytes((dir + "/DATA50.RES").c_str(), art_game_pack()) ||
        !save_bytes((dir + "/brenmoor.res").c_str(), art_logo_pack())) {
        std::fprintf(stderr, "datagen: cannot write the packs into %s\n", dir.c_str());
        return 1;
    }
    if (icons) {
        std::filesystem::create_directories(dir + "/icons", error);
        if (!art_write_icons(dir + "/icons")) {
            std::fprintf(stderr, "datagen: cannot write the icons into %s/icons\n", dir.c_str());
            return 1;
        }
    }
    return 0;
}
