// Tells the scripts that drive the game from outside where things are on
// the screen, so that they ask the game instead of keeping copies:
//
//   flickermoth_where cells                  the 80 cells' centres, "x y" a line, in cell order
//   flickermoth_where picture WIDTH HEIGHT   where the 640 x 480 picture lies in a window's
//                                            drawable area of that size (whole multiples, the
//                                            default): "x y width height"
#include "board/board.h"
#include "platform/picture_place.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "cells") == 0) {
        for (int i = 0; i < BOARD_CELLS; i++)
            std::printf("%d %d\n", cell_centres[i].x, cell_centres[i].y);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "picture") == 0) {
        int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
        if (width > 0 && height > 0) {
            PictureRect rect = picture_place(width, height, SCALE_INTEGER);
            std::printf("%d %d %d %d\n", rect.x, rect.y, rect.width, rect.height);
            return 0;
        }
    }
    std::fprintf(stderr, "usage: flickermoth_where cells | picture WIDTH HEIGHT\n");
    return 2;
}
