// What the game's own work costs on the headless machine (figures only;
// nothing here fails on time):
//
//   GameFrame/Busy*       one whole game-screen frame on a busy board (every
//                         column open, moths arriving, a collect flying or
//                         a swap fading), drawn and presented
//   Draw/*                the image encodings drawing a 320 x 200 picture,
//                         beside a plain memcpy of the same rows in the same
//                         run: the practical limit for putting those pixels
//                         on the screen
//   WholeProgram/Playback the whole program playing back a long recorded
//                         game (the autoplayer's), frames per second
//
// The generated art is used when the build has made it (its DATA50.RES and
// brenmoor.res), else the placeholder packs. bench/README.md has figures.
#include "autoplay/autoplay.h"
#include "board/animation.h"
#include "board/board.h"
#include "board/game_screen.h"
#include "input/input.h"
#include "platform/globals.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "resources/pack_writer.h"
#include "resources/resources.h"
#include "shell/app.h"
#include "frame/pump.h"
#include "testkit/game_helpers.h"
#include "testkit/session.h"
#include "video/display.h"
#include "video/image.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifndef FLICKERMOTH_DATA_DIR
#define FLICKERMOTH_DATA_DIR ""
#endif

namespace {

std::string data_file(const char* name)
{
    std::string path = std::string(FLICKERMOTH_DATA_DIR) + "/" + name;
    return std::filesystem::exists(path) ? path : "";
}

bool generated_art() { return !data_file("DATA50.RES").empty() && !data_file("brenmoor.res").empty(); }

// The game pack bound and the display open, once for the whole run.
bool bind_game_pack()
{
    static bool bound = false;
    if (bound)
        return true;
    headless_reset(0);
    platform_use(headless_backend());
    headless_devices().sound = false;
    if (generated_art()) {
        bound = bind_resources(data_file("DATA50.RES").c_str());
    } else {
        bind_test_resources();
        bound = true;
    }
    bound = bound && display_create();
    if (bound)
        display_set_palette(GamePalette);
    return bound;
}

// ---- One frame on a busy board ---------------------------------------------------
//
// The game animates collect flights only while it waits for a collect and
// swap fades only while it waits for a swap, so the busiest frames are of
// two kinds: every column open, a wave arriving, and a collect flying; or
// the same with a swap fading instead.

struct BusyBoard {
    Board board;
    uint32_t rng;
    int32_t collect_points;
};

int cells_in(int state)
{
    int n = 0;
    for (const Cell& c : board.cells)
        n += c.state == state;
    return n;
}

void hold(BusyBoard* busy, int mode)
{
    board.mode = mode;
    board.pending = 99;    // the screen waits on: nothing changes state between frames
    *busy = {board, rng_state, collect_points};
}

// Built with the rules and the animation, then held at frames where every
// kind of movement of each sort is on the screen.
bool make_busy_boards(BusyBoard* collecting, BusyBoard* swapping)
{
    std::memset(&board, 0, sizeof board);
    rng_seed(10);
    board.selected = -1;
    for (int col = 0; col < BOARD_COLUMNS; col++) {
        board.column_state[col] = COLUMN_OPEN;
        board.column_frame[col] = COLUMN_OPEN_FRAME;
    }
    board.open_columns = BOARD_COLUMNS;
    for (int i = 0; i < BOARD_CELLS - 16; i++) {
        board.cells[i].state = CELL_SETTLED;
        board.cells[i].colour = (uint8_t)((i / 10 + i) % MOTH_COLOURS);
        board.moth_count++;
    }
    for (int row = 0; row < 5; row++)
        board.cells[cell_index(3, row)].colour = 2;    // a group to collect in column 3
    board.score = 12345;
    board_collect(3, 0);
    bool held = false;
    for (int frame = 0; frame < 60 && !held; frame++) {
        if (frame == 8) {
            board_spawn_wave(4);
            board_swap_start(cell_index(0, 1), cell_index(8, 2));
        }
        board.mode = MODE_COLLECTING;
        if (cells_in(CELL_FLYING) > 1 && cells_in(CELL_APPEARING) > 1) {
            hold(collecting, MODE_COLLECTING);
            held = true;
        }
        board_draw();
    }
    for (int frame = 0; frame < 20 && held; frame++) {
        board.mode = MODE_SWAP_OUT;
        if (board.cells[cell_index(0, 1)].steps > 4 && cells_in(CELL_APPEARING) > 1) {
            hold(swapping, MODE_SWAP_OUT);
            return true;
        }
        board_draw();
    }
    return false;
}

void busy_frame(benchmark::State& state, bool swap)
{
    BusyBoard collecting, swapping;
    if (!bind_game_pack() || !make_busy_boards(&collecting, &swapping)) {
        state.SkipWithError("no busy board");
        return;
    }
    const BusyBoard& busy = swap ? swapping : collecting;
    pump_reset();
    input_create();
    for (auto _ : state) {
        board = busy.board;
        rng_state = busy.rng;
        collect_points = busy.collect_points;
        game_screen_frame(1);
    }
    state.counters["frames/s"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.SetLabel(generated_art() ? "generated art" : "placeholder art");
    // FLICKERMOTH_BENCH_SHOTS=DIR: the frame as a picture, to see what was measured.
    if (const char* dir = std::getenv("FLICKERMOTH_BENCH_SHOTS"))
        headless_write_png(headless_last_frame(), (std::string(dir) + (swap ? "/busy-swap.png" : "/busy-collect.png")).c_str());
}

void GameFrame_BusyCollect(benchmark::State& state) { busy_frame(state, false); }
void GameFrame_BusySwap(benchmark::State& state) { busy_frame(state, true); }

// ---- Drawing primitives ----------------------------------------------------------

constexpr int PICTURE_WIDTH = 320;
constexpr int PICTURE_HEIGHT = 200;
constexpr int PICTURE_X = 160;
constexpr int PICTURE_Y = 140;

// A picture like the game's: patches of transparency and short runs of one colour.
const std::vector<uint8_t>& picture()
{
    static std::vector<uint8_t> pixels;
    if (pixels.empty()) {
        pixels.resize(PICTURE_WIDTH * PICTURE_HEIGHT);
        for (int y = 0; y < PICTURE_HEIGHT; y++)
            for (int x = 0; x < PICTURE_WIDTH; x++)
                pixels[y * PICTURE_WIDTH + x] = (x / 16 + y / 16) % 4 == 0 ? 0 : (uint8_t)((x / 6 + y) % 200 + 16);
    }
    return pixels;
}

void count_pixels(benchmark::State& state)
{
    int64_t pixels = state.iterations() * PICTURE_WIDTH * PICTURE_HEIGHT;
    state.SetItemsProcessed(pixels);
    state.counters["s/Mpx"] =
        benchmark::Counter((double)pixels / 1e6, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void draw_picture(benchmark::State& state, const Bytes& image, DrawResult* (*draw)(DrawResult*, int, int, const ImageRecord*),
                  int x, int y)
{
    if (image.empty() || !bind_game_pack()) {
        state.SkipWithError("no picture");
        return;
    }
    const ImageRecord* record = (const ImageRecord*)image.data();
    for (auto _ : state) {
        draw(nullptr, x, y, record);
        benchmark::ClobberMemory();
    }
    count_pixels(state);
    state.counters["bytes"] = (double)image.size();
}

void Draw_Memcpy(benchmark::State& state)
{
    if (!bind_game_pack()) {
        state.SkipWithError("the game pack did not bind");
        return;
    }
    const uint8_t* pixels = picture().data();
    for (auto _ : state) {
        for (int row = 0; row < PICTURE_HEIGHT; row++)
            std::memcpy(display.back_buffer + (size_t)(PICTURE_Y + row) * display.pitch + PICTURE_X,
                        pixels + row * PICTURE_WIDTH, PICTURE_WIDTH);
        benchmark::ClobberMemory();
    }
    count_pixels(state);
}

void Draw_RawSprite(benchmark::State& state)
{
    static Bytes image = encode_raw(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, picture().data());
    draw_picture(state, image, draw_sprite, PICTURE_X, PICTURE_Y);
}

void Draw_Runs(benchmark::State& state)
{
    static Bytes image = encode_runs(PICTURE_X, PICTURE_Y, PICTURE_WIDTH, PICTURE_HEIGHT, picture().data(), 0);
    draw_picture(state, image, draw_runs, 0, 0);
}

void Draw_FillRuns(benchmark::State& state)
{
    static Bytes image = encode_fill_runs(PICTURE_X, PICTURE_Y, PICTURE_WIDTH, PICTURE_HEIGHT, picture().data(), 0);
    draw_picture(state, image, draw_fill_runs, 0, 0);
}

// ---- The whole program -----------------------------------------------------------

struct Recording {
    AutoplaySession session;
    uint64_t frames = 0;
    bool made = false;
};

Recording made_recording;

// The autoplayer's game from start-up to the next board, recorded once.
Recording& recording()
{
    Recording& r = made_recording;
    if (r.made)
        return r;
    r.made = true;
    bool art = generated_art();
    std::string game = art ? data_file("DATA50.RES") : "", logo = art ? data_file("brenmoor.res") : "";
    if (!autoplay_session_open(&r.session, art ? game.c_str() : nullptr, art ? logo.c_str() : nullptr))
        return r;
    AutoplaySettings settings = autoplay_quick_settings();
    settings.seed = 3;
    settings.games = 1;
    autoplay_run_program(r.session, RECORDING_WORD, settings, 0, 2000000);
    r.frames = headless_frame();
    return r;
}

void WholeProgram_Playback(benchmark::State& state)
{
    Recording& r = recording();
    if (r.frames == 0) {
        state.SkipWithError("no recording");
        return;
    }
    uint64_t frames = 0;
    for (auto _ : state) {
        autoplay_fresh_program();
        platform_use(headless_backend());
        headless_reset(0);
        headless_devices().install_dir = r.session.dir;
        headless_devices().sound = false;
        headless_devices().frame_limit = r.frames;
        std::filesystem::remove(r.session.dir + "HIGH50");
        app_run("5");
        frames += headless_frame();
    }
    state.counters["frames"] = (double)r.frames;
    state.counters["frames/s"] = benchmark::Counter((double)frames, benchmark::Counter::kIsRate);
    state.SetLabel(generated_art() ? "generated art" : "placeholder art");
}

}  // namespace

BENCHMARK(GameFrame_BusyCollect);
BENCHMARK(GameFrame_BusySwap);
BENCHMARK(Draw_Memcpy);
BENCHMARK(Draw_RawSprite);
BENCHMARK(Draw_Runs);
BENCHMARK(Draw_FillRuns);
BENCHMARK(WholeProgram_Playback)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Only a recording that was made has a session to close.
    if (made_recording.made && !made_recording.session.dir.empty())
        autoplay_session_close(&made_recording.session);
    return 0;
}
