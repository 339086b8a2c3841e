// Frames of every screen, composed from the generated packs with the game's
// own drawing routines and written as PNG pictures, for looking the game
// over without playing it.
//
//   flickermoth_preview DATA_DIR OUT_DIR
#include "board/board.h"
#include "board/game_screen.h"
#include "hiscore/hiscore.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "platform/png.h"
#include "resources/resources.h"
#include "shell/flow.h"
#include "board/menu.h"
#include "tools/preview_moths.h"
#include "video/display.h"
#include "video/font.h"
#include "video/image.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string out_dir;
int written = 0;

void save(const char* name, const uint8_t* palette, bool black_zero = false)
{
    uint8_t rgb[768];
    for (int i = 0; i < 768; i++)
        rgb[i] = display_level8(palette[i]);
    if (black_zero)
        rgb[0] = rgb[1] = rgb[2] = 0;
    std::string path = out_dir + "/" + name + ".png";
    if (png_write_indexed(path.c_str(), display.back_buffer, 640, 480, display.pitch, rgb)) {
        std::printf("%s\n", path.c_str());
        written++;
    }
}

// A board in play: moths of mixed colours on most cells, a fixed pattern.
int moth_colour(int cell) { return (cell * 7 + cell / 10 * 3) % 5; }
bool occupied(int cell) { return (cell * 13) % 9 != 0; }

void draw_playfield(int column_frame[BOARD_COLUMNS])
{
    display_restore_background(GameBackground);
    for (int column = 0; column < BOARD_COLUMNS; column++)
        if (column_frame[column] >= 0)
            draw_fill_runs(nullptr, 0, 0, table_image(ColumnImages[column], column_frame[column]));
}

void draw_moths(int skip_cell = -1)
{
    for (int cell = 0; cell < BOARD_CELLS; cell++)
        if (occupied(cell) && cell != skip_cell)
            draw_sprite(nullptr, cell_centres[cell].x, cell_centres[cell].y, table_image(MothImages[moth_colour(cell)], 19));
}

void draw_game(int score, int button_frame, bool pointer, int px = 330, int py = 300)
{
    board.score = score;
    score_draw();
    draw_runs(nullptr, 0, 0, table_image(MenuButtonImages, button_frame));
    if (pointer)
        draw_sprite(nullptr, px, py, PointerImage);
}

void board_screens()
{
    int open[BOARD_COLUMNS];
    for (int& f : open)
        f = 5;
    // The player's turn: a moth picked, the pointer over another.
    draw_playfield(open);
    draw_moths(23);
    const CellCentre& picked = cell_centres[23];
    draw_sprite(nullptr, picked.x, picked.y, table_image(SelectionRingImages, 2));
    draw_sprite(nullptr, picked.x + 1, picked.y - 1, table_image(MothImages[moth_colour(23)], 19));
    draw_game(987654, 0, true, cell_centres[45].x + 4, cell_centres[45].y + 6);
    save("game-01-turn", GamePalette);

    // Columns opening and closing, moths appearing at every stage.
    int mixed[BOARD_COLUMNS] = {0, 1, 2, 3, 4, 5, 7, 9, 12, 15};
    draw_playfield(mixed);
    for (int cell = 0; cell < BOARD_CELLS; cell++)
        if (occupied(cell) && mixed[cell % 10] == 5)
            draw_sprite(nullptr, cell_centres[cell].x, cell_centres[cell].y,
                        table_image(MothImages[moth_colour(cell)], (cell / 10) * 19 / 7));
    draw_game(0, 0, false);
    save("game-02-columns-and-appearing", GamePalette);

    // A collect: the column's moths burst and fly off in all directions;
    // a swap fading across two cells; the speed slider shown.
    draw_playfield(open);
    draw_moths();
    for (int k = 0; k < 6; k++) {
        double angle = k * 1.1 + 0.3;
        int steps = 3 + k * 2;
        const CellCentre& c = cell_centres[4 + 10 * k];
        draw_sprite(nullptr, c.x + (int)(std::cos(angle) * 22 * steps), c.y + (int)(std::sin(angle) * 22 * steps),
                    table_image(FlightImages, k % 8));
    }
    draw_sprite(nullptr, cell_centres[11].x, cell_centres[11].y, table_image(SwapFadeImages[moth_colour(11)], 8));
    draw_sprite(nullptr, cell_centres[62].x, cell_centres[62].y, table_image(SwapFadeImages[moth_colour(62)], 22));
    draw_sprite(nullptr, SLIDER_BAR_X, SLIDER_Y, table_image(SpeedSliderImages, 0));
    draw_sprite(nullptr, 560, SLIDER_Y, table_image(SpeedSliderImages, 1));
    draw_game(98765, 3, false);
    save("game-03-collect-swap-slider", GamePalette);

    // The first frames of a fresh board: every column closed, then opening.
    int closed[BOARD_COLUMNS];
    for (int& f : closed)
        f = -1;
    draw_playfield(closed);
    draw_game(0, 0, false);
    save("game-04-closed-board", GamePalette);
}

// A board with every column open and full, with `score`, as the picture
// the menu and the transitions are drawn over.
std::vector<uint8_t> full_board_picture(int score)
{
    int open[BOARD_COLUMNS];
    for (int& f : open)
        f = 5;
    std::vector<uint8_t> game(640 * 480);
    draw_playfield(open);
    draw_moths();
    draw_game(score, 0, false);
    display_snapshot(game.data());
    return game;
}

void menu_screens()
{
    std::vector<uint8_t> game = full_board_picture(4321);
    for (int frame : {6, 12}) {
        display_restore_background(game.data());
        draw_fill_runs(nullptr, 0, 0, table_image(MenuImages, frame));
        char name[32];
        std::snprintf(name, sizeof name, "menu-01-opening-%02d", frame);
        save(name, GamePalette);
    }
    display_restore_background(game.data());
    draw_fill_runs(nullptr, 0, 0, table_image(MenuImages, MENU_PANEL_PICTURE));
    draw_runs(nullptr, 0, 0, table_image(MenuItemImages[MENU_CONTINUE], 5));
    draw_sprite(nullptr, MENU_SWITCH_X, MENU_SWITCH_Y, table_image(MenuToggleImages, MENU_SWITCH_ON));
    draw_sprite(nullptr, 386, 368, PointerImage);
    save("menu-02-open-continue", GamePalette);
    display_restore_background(game.data());
    draw_fill_runs(nullptr, 0, 0, table_image(MenuImages, MENU_PANEL_PICTURE));
    draw_runs(nullptr, 0, 0, table_image(MenuItemImages[MENU_NEW_GAME], 14));
    draw_sprite(nullptr, MENU_SWITCH_X, MENU_SWITCH_Y, table_image(MenuToggleImages, 2));
    save("menu-03-new-game-switching", GamePalette);
    display_restore_background(game.data());
    draw_fill_runs(nullptr, 0, 0, table_image(MenuImages, 26));
    save("menu-04-closing", GamePalette);
}

// The table as the game draws it, fifteen rows of made-up results (the
// last name `last_name` when given), and the new row's highlight at
// `highlight_row` unless that is -1.
void table_rows(int highlight_row, int highlight_frame, const char* last_name = nullptr)
{
    static const char* const names[HISCORE_MAX] = {
        "Moth Keeper", "Alexandra", "Nightjar", "Ivo", "Luna", "Bramble", "Cinnabar", "Sulphur",
        "Ghost", "Emperor", "Tiger", "Hawk", "Lappet", "Oak Eggar", "\xc0\xeb\xb8\xed\xe0"};
    if (highlight_row >= 0)
        draw_sprite(nullptr, HISCORE_HIGHLIGHT_X, highlight_row * HISCORE_ROW_HEIGHT + HISCORE_HIGHLIGHT_Y,
                    table_image(ScoreScreenImages, highlight_frame));
    hiscore_table.count = HISCORE_MAX;
    int score = 52840;
    for (int row = 0; row < HISCORE_MAX; row++) {
        HighScoreEntry& entry = hiscore_table.entries[row];
        const char* name = row == HISCORE_MAX - 1 && last_name ? last_name : names[row];
        std::snprintf(entry.name, sizeof entry.name, "%s", name);
        entry.score = score;
        score = score * 4 / 5;
    }
    hiscore_draw_table();
}

void screen_flow_screens()
{
    std::vector<uint8_t> game = full_board_picture(2718);
    for (int frame : {5, 12, 19, 28, 36}) {
        display_restore_background(game.data());
        draw_fill_runs(nullptr, 0, 0, table_image(TransitionImages, frame));
        char name[32];
        std::snprintf(name, sizeof name, "transition-%02d", frame);
        save(name, GamePalette);
    }
    display_restore_background(game.data());
    draw_fill_runs(nullptr, 0, 0, table_image(TransitionImages, TRANSITION_COVERED));
    table_rows(3, 2);
    save("scores-01-table", GamePalette);
    display_restore_background(game.data());
    draw_fill_runs(nullptr, 0, 0, table_image(TransitionImages, TRANSITION_COVERED));
    // the name being typed on row 14, with its cursor
    const char* typed = "Night Gardener";
    table_rows(-1, 0, typed);
    constexpr uint8_t name_cursor = 1;    // the glyph the name entry shows after the name
    draw_char_aligned(HISCORE_NAME_X + measure_text(typed), (HISCORE_MAX - 1) * HISCORE_ROW_HEIGHT + HISCORE_ROW_Y,
                      name_cursor, ALIGN_LEFT, nullptr);
    save("scores-02-name-cursor", GamePalette);
    display_restore_background(game.data());
    draw_fill_runs(nullptr, 0, 0, table_image(TransitionImages, TRANSITION_COVERED));
    hiscore_table.count = 0;
    hiscore_draw_table();
    save("scores-03-empty", GamePalette);
    display_restore_background(game.data());
    draw_fill_runs(nullptr, 0, 0, table_image(TransitionImages, TRANSITION_COVERED));
    draw_text(320, 240, table_text(ScoreTexts, TEXT_BUSY_FIRST), ALIGN_CENTRE, nullptr);
    draw_text(320, 260, table_text(ScoreTexts, TEXT_BUSY_SECOND), ALIGN_CENTRE, nullptr);
    save("scores-04-busy", GamePalette);
    display_restore_background(game.data());
    draw_fill_runs(nullptr, 0, 0, table_image(TransitionImages, TRANSITION_COVERED));
    draw_text(320, 240, HISCORE_UNSAVED_FIRST, ALIGN_CENTRE, nullptr);
    draw_text(320, 260, HISCORE_UNSAVED_SECOND, ALIGN_CENTRE, nullptr);
    save("scores-05-not-saved", GamePalette);
    for (int frame : {3, END_STILL}) {
        display_restore_background(game.data());
        draw_fill_runs(nullptr, 0, 0, table_image(MainScreenImages, frame));
        char name[32];
        std::snprintf(name, sizeof name, "end-%02d", frame);
        save(name, GamePalette);
    }
    // The title over its sky, the game painting row y in colour y mod 255.
    for (int y = 0; y < 480; y++)
        fill_rect(0, y, 640, 1, (uint8_t)(y % 255));
    draw_fill_runs(nullptr, 0, 0, TitlePicture);
    save("title", TitlePalette, true);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    std::string data = argv[1];
    out_dir = argv[2];
    std::filesystem::create_directories(out_dir);
    platform_use(headless_backend());
    if (!display_create() || !bind_resources((data + "/DATA50.RES").c_str())) {
        std::fprintf(stderr, "preview: cannot bind %s/DATA50.RES\n", data.c_str());
        return 1;
    }
    board_screens();
    menu_screens();
    screen_flow_screens();
    std::vector<std::string> sheets;
    if (!preview_moths(out_dir, &sheets))
        std::fprintf(stderr, "preview: cannot write the moth sheets into %s\n", out_dir.c_str());
    for (const std::string& path : sheets)
        std::printf("%s\n", path.c_str());
    written += (int)sheets.size();
    if (load_logo_pack((data + "/brenmoor.res").c_str())) {
        for (int frame : {10, 20, 30, 40, 41, 42}) {
            display_clear(0);
            draw_fill_runs(nullptr, 0, 0, table_image(LogoImages, frame));
            char name[32];
            std::snprintf(name, sizeof name, "logo-%02d", frame);
            save(name, LogoPalette);
        }
    }
    return written > 0 ? 0 : 1;
}
