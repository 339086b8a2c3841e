// The pack inspector, for modders and for us.
//
//   flickermoth_packtool list PACK
//   flickermoth_packtool extract PACK DIR
//   flickermoth_packtool build DIR OUT
//   flickermoth_packtool sheet PACK OUT.png
#include "tools/packtool/contents.h"
#include "tools/packtool/media.h"
#include "tools/packtool/packtool.h"

#include <cstdio>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: flickermoth_packtool list PACK\n"
                 "       flickermoth_packtool extract PACK DIR   pictures as PNG, sounds as WAV, texts as UTF-8\n"
                 "       flickermoth_packtool build DIR OUT      a pack from an extracted folder\n"
                 "       flickermoth_packtool sheet PACK OUT.png contact sheets of the pictures\n");
    return 2;
}

int failed(const std::string& error)
{
    std::fprintf(stderr, "flickermoth_packtool: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    std::string command = argv[1];
    std::string error;
    if (!packtool_begin())
        return failed("no display to decode pictures with");
    if (command == "list" && argc == 3) {
        std::string listing;
        if (!packtool_list(argv[2], &listing, &error))
            return failed(error);
        std::fputs(listing.c_str(), stdout);
        return 0;
    }
    if (command == "extract" && argc == 4) {
        if (!packtool_extract(argv[2], argv[3], &error))
            return failed(error);
        return 0;
    }
    if (command == "build" && argc == 4) {
        Bytes pack;
        if (!packtool_build(argv[2], &pack, &error))
            return failed(error);
        if (!save_bytes(argv[3], pack))
            return failed(std::string(argv[3]) + ": cannot be written");
        return 0;
    }
    if (command == "sheet" && argc == 4) {
        std::vector<std::string> written;
        if (!packtool_sheet(argv[2], argv[3], &written, &error))
            return failed(error);
        for (const std::string& path : written)
            std::printf("%s\n", path.c_str());
        return 0;
    }
    return usage();
}
