// Heap allocations during steady play: once a screen has started (and
// allocated its picture of the screen), its frames allocate nothing.
//
// A program of its own: it replaces malloc, calloc and realloc (so every
// operator new) with counting ones, and charges each frame's count (the pump's
// hook marks frame starts) to its screen. Aligned allocations are not counted;
// the game makes none. The machine's sound device is off, since the machine
// logs a copy of every sample. Under the sanitizers the tests are skipped.
#include "board_helpers.h"
#include "flow_helpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define ALLOC_COUNTING 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define ALLOC_COUNTING 0
#endif
#endif
#ifndef ALLOC_COUNTING
#define ALLOC_COUNTING 1
#endif

namespace {
std::atomic<uint64_t> allocations{0};
}

#if ALLOC_COUNTING
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void __libc_free(void* block);

static void* counted(void* block) { return allocations.fetch_add(1, std::memory_order_relaxed), block; }
void* malloc(size_t size) { return counted(__libc_malloc(size)); }
void* calloc(size_t count, size_t size) { return counted(__libc_calloc(count, size)); }
void* realloc(void* block, size_t size) { return counted(__libc_realloc(block, size)); }
void free(void* block) { __libc_free(block); }
}
#endif

namespace {

const char* const SCREENS[] = {"logo", "title", "opening", "game", "menu", "gameover", "transition", "hiscore"};
constexpr int SCREEN_COUNT = sizeof SCREENS / sizeof SCREENS[0];
constexpr int SETTLING_FRAMES = 2;    // the first frames of a screen may still be setting it up

struct Tally {
    uint64_t steady_frames, allocations, first_frame;    // first_frame: the first that allocated
};

struct Counter {
    Tally screens[SCREEN_COUNT];
    int screen = -1, frames_on_screen = 0;    // of the frame that is running
    uint64_t at_frame_start = 0;
    bool running = false;
} counter;

int screen_index(const char* name)
{
    for (int i = 0; i < SCREEN_COUNT; i++)
        if (std::strcmp(SCREENS[i], name) == 0)
            return i;
    return -1;
}

// At the start of every frame: what the frame before allocated is charged to
// its screen, when it was a frame of steady play on that screen (not one of
// its first, not the last before another screen, not the one that lost the
// game and took the picture for the end).
void frame_starts()
{
    uint64_t now = allocations.load(std::memory_order_relaxed);
    int screen = screen_index(current_screen);
    if (counter.running && screen == counter.screen && screen >= 0 && counter.frames_on_screen >= SETTLING_FRAMES &&
        !(screen == screen_index("game") && board_lost())) {
        Tally& t = counter.screens[screen];
        t.steady_frames++;
        uint64_t spent = now - counter.at_frame_start;
        if (spent && !t.allocations)
            t.first_frame = headless_frame();
        t.allocations += spent;
    }
    counter.frames_on_screen = screen == counter.screen ? counter.frames_on_screen + 1 : 0;
    counter.screen = screen;
    counter.running = true;
    // The hook's own reading is done: what follows is the frame's.
    counter.at_frame_start = allocations.load(std::memory_order_relaxed);
}

void start_counting()
{
    counter = Counter{};
    pump_frame_hook = frame_starts;
}

void expect_none(const char* screen, uint64_t at_least)
{
    pump_frame_hook = nullptr;
    const Tally& t = counter.screens[screen_index(screen)];
    EXPECT_GE(t.steady_frames, at_least) << screen;
    EXPECT_EQ(t.allocations, 0u) << screen << ": the first at machine frame " << t.first_frame;
}

}  // namespace

TEST(SteadyPlay, GameAndHighScoreFramesAllocateNothingThroughAWholeGame)
{
    if (!ALLOC_COUNTING)
        GTEST_SKIP() << "the sanitizers bring their own allocator";
    RunDir dir;
    dir.restart(5);
    AutoplaySettings settings = autoplay_quick_settings();
    settings.games = 1;
    settings.seed = 5;
    settings.reading_frames = 40;    // the tables stay up a while
    headless_devices().sound = false;
    headless_devices().frame_limit = 2000000;
    autoplay_start(settings);
    start_counting();
    EXPECT_EQ(app_run("Q"), 0);
    autoplay_stop();
    expect_none("game", 2000);
    expect_none("hiscore", 100);
    expect_none("gameover", 5);
}

TEST(SteadyPlay, MenuFramesAllocateNothing)
{
    if (!ALLOC_COUNTING)
        GTEST_SKIP() << "the sanitizers bring their own allocator";
    headless_devices().sound = false;
    start_services();
    // The counter sees the game's own allocations: a new picture of the screen.
    snapshot_free();
    uint64_t before = allocations.load();
    ASSERT_NE(snapshot_allocate(), nullptr);
    EXPECT_EQ(allocations.load() - before, 1u);
    snapshot_free();
    start_game();
    ASSERT_GT(play_until_turn(), 0);
    // The menu button, then the pointer over every item in turn while the
    // highlight follows, then Escape to go back to the game.
    uint64_t f = click_at(50, 400);
    for (int item = 0; item < MENU_ITEMS; item++) {
        const MenuRect& r = menu_items[item];
        headless_mouse_to(f + 30 + 25 * (uint64_t)item, r.x + r.width / 2, r.y + r.height / 2);
    }
    headless_key(f + 160, KEY_ESCAPE, true);
    headless_key(f + 161, KEY_ESCAPE, false);
    start_counting();
    for (int frame = 0; frame < 220; frame++) {
        current_screen = "game";    // as the main loop names it before every frame
        if (!play_frame())
            break;
    }
    EXPECT_EQ(board.mode, MODE_PLAYER_TURN);    // back in the game after the menu
    expect_none("menu", 120);
    expect_none("game", 30);
}
