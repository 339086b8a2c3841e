// Records a game that is lost quickly, for the real-window tests and the
// measurements:
//
//   flickermoth_record_game <directory with DATA50.RES> <recording file>
//
// The headless machine runs the whole program in recording mode (seed 10,
// the real packs, an empty high-score table) while a scripted player clicks
// through the title and the opening table and then only ever swaps two
// moths, never collecting, so the columns fill and close and the game is
// lost after a few hundred frames. The recording stops as the end pictures
// come up. Played back with `flickermoth --play <file>` (also with an empty
// table, which the opening screen shows row by row) the game in a real
// window plays the same moves and loses the same way; from the end pictures
// on, the mouse is the live one again.
#include "board/board.h"
#include "board/game_screen.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/app.h"
#include "shell/flow.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Swapper {
    uint64_t busy_until = 0;
    uint64_t game_frames = 0;
    int swaps = 0;
    bool lost = false;

    void click(uint64_t at, int x, int y)
    {
        headless_mouse_to(at, x, y);
        headless_button(at, 0, true);
        headless_button(at + 1, 0, false);
    }

    // Any two settled moths of different colours in different columns.
    bool swap(uint64_t now)
    {
        for (int a = 0; a < BOARD_CELLS; a++)
            for (int b = a + 1; b < BOARD_CELLS; b++) {
                const Cell& first = board.cells[a];
                const Cell& second = board.cells[b];
                if (first.state == CELL_SETTLED && second.state == CELL_SETTLED && a % 10 != b % 10 &&
                    first.colour != second.colour) {
                    click(now + 1, cell_centres[a].x, cell_centres[a].y);
                    click(now + 3, cell_centres[b].x, cell_centres[b].y);
                    busy_until = now + 8;
                    swaps++;
                    return true;
                }
            }
        return false;
    }

    void act()
    {
        uint64_t now = headless_frame();
        std::string screen = current_screen;
        if (screen == "game")
            game_frames++;
        if (lost || now < busy_until)
            return;
        if (screen == "gameover") {
            // The recording ends here; the rest belongs to whoever plays it back.
            replay_stop();
            lost = true;
            headless_event(now, EVENT_CLOSE);
            return;
        }
        // The title and the table take a click; a click that comes while the
        // title is still fading in is not seen, so it clicks until it is.
        if (screen == "title" || screen == "hiscore") {
            click(now + 1, 320, 240);
            busy_until = now + 3;
        } else if (screen == "game" && board.mode == MODE_PLAYER_TURN) {
            swap(now);
        }
    }
};

void act(const HeadlessFrame&, void* player) { ((Swapper*)player)->act(); }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: flickermoth_record_game <directory with DATA50.RES> <recording file>\n");
        return 2;
    }
    std::string data = std::string(argv[1]) + "/";
    char table_dir[] = "/tmp/flickermoth-record-XXXXXX";
    if (!mkdtemp(table_dir)) {
        std::perror("flickermoth_record_game");
        return 1;
    }

    platform_use(headless_backend());
    headless_reset(0);
    HeadlessDevices& devices = headless_devices();
    devices.frame_limit = 100000;
    devices.install_dir = std::string(table_dir) + "/";
    game_pack_path = data + "DATA50.RES";
    logo_pack_path = data + "brenmoor.res";
    input_file_path = argv[2];

    Swapper player;
    headless_on_present(act, &player);
    app_run(RECORDING_WORD);

    std::string high = std::string(table_dir) + "/HIGH50";
    unlink(high.c_str());
    rmdir(table_dir);
    struct stat info;
    long long bytes = stat(argv[2], &info) == 0 ? (long long)info.st_size : -1;
    if (!player.lost) {
        std::fprintf(stderr, "flickermoth_record_game: the game was not lost within %llu frames\n",
                     (unsigned long long)headless_frame());
        return 1;
    }
    std::printf("recorded %s: %llu frames (%llu on the board, %d swaps, score %d), %lld bytes\n", argv[2],
                (unsigned long long)headless_frame(), (unsigned long long)player.game_frames, player.swaps,
                (int)board.score, bytes);
    return 0;
}
