// flickermoth_make_icon OUT.ico IN.png...: the program's icon from the
// generator's PNG icons, for the Windows build's resource script.
#include "tools/icon/icon_file.h"

#include <cstdio>
#include <fstream>
#include <iterator>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: flickermoth_make_icon OUT.ico IN.png...\n");
        return 2;
    }
    std::vector<std::vector<uint8_t>> pngs;
    for (int i = 2; i < argc; i++) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "flickermoth_make_icon: cannot read %s\n", argv[i]);
            return 1;
        }
        pngs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<uint8_t> icon;
    if (!icon_from_pngs(pngs, &icon)) {
        std::fprintf(stderr, "flickermoth_make_icon: the pictures must be PNGs of at most 256 x 256\n");
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write((const char*)icon.data(), (std::streamsize)icon.size());
    if (!out) {
        std::fprintf(stderr, "flickermoth_make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
