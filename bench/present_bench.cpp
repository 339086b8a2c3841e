// What one present costs on the desktop backend: the colour lookup, the
// texture upload and the scaled copy to the window, for a frame that changed,
// for a fade step (new colours, same picture) and for a frame the same as
// the one on show.
//
// Runs in a real window when there is a display (under Xvfb for the
// figures in bench/cpu-under-xvfb), else on SDL's dummy video driver.
#include "platform/sdl/backend.h"
#include "platform/sdl/internal.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Picture {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(640 * 480);
    std::vector<uint8_t> rgb = std::vector<uint8_t>(768);
    Picture()
    {
        for (size_t i = 0; i < pixels.size(); i++)
            pixels[i] = (uint8_t)((i * 7 + i / 640) % 256);
        for (int i = 0; i < 768; i++)
            rgb[i] = (uint8_t)(i % 256);
    }
};

const PlatformBackend* open_window()
{
    static const PlatformBackend* backend = nullptr;
    if (backend)
        return backend;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string reason;
    if (!sdl_video_open(&reason) || !sdl_create_window(true)) {
        std::fprintf(stderr, "present_bench: no window (%s)\n", reason.c_str());
        std::exit(1);
    }
    backend = sdl_backend();
    if (!backend->display_open()) {
        std::fprintf(stderr, "present_bench: no renderer\n");
        std::exit(1);
    }
    return backend;
}

// Every frame a new picture: lookup, upload and copy, every time; in a
// window of once and of twice the picture's size (the copy and the swap
// grow with the window, the lookup and the upload do not).
void BM_PresentChangedFrame(benchmark::State& state)
{
    const PlatformBackend* sdl = open_window();
    SDL_SetWindowSize(sdl_window(), (int)state.range(0), (int)state.range(0) * 3 / 4);
    SDL_PumpEvents();
    Picture picture;
    size_t at = 0;
    uint64_t uploads = sdl_video_uploads();
    for (auto _ : state) {
        picture.pixels[at] ^= 1;
        at = (at + 4099) % picture.pixels.size();
        sdl->present(picture.pixels.data(), 640, picture.rgb.data());
    }
    state.counters["uploads"] = (double)(sdl_video_uploads() - uploads);
}
BENCHMARK(BM_PresentChangedFrame)->Arg(640)->Arg(1280)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

// A fade step: the same picture in new colours, in the 1280 x 960 window.
void BM_PresentFadeStep(benchmark::State& state)
{
    const PlatformBackend* sdl = open_window();
    SDL_SetWindowSize(sdl_window(), 1280, 960);
    SDL_PumpEvents();
    Picture picture;
    uint8_t step = 0;
    for (auto _ : state) {
        picture.rgb[step % 768] ^= 4;
        step++;
        sdl->present(picture.pixels.data(), 640, picture.rgb.data());
    }
}
BENCHMARK(BM_PresentFadeStep)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

// The title, the tables, a calm board: the frame on show again.
void BM_PresentUnchangedFrame(benchmark::State& state)
{
    const PlatformBackend* sdl = open_window();
    Picture picture;
    sdl->present(picture.pixels.data(), 640, picture.rgb.data());
    uint64_t uploads = sdl_video_uploads();
    for (auto _ : state)
        sdl->present(picture.pixels.data(), 640, picture.rgb.data());
    state.counters["uploads"] = (double)(sdl_video_uploads() - uploads);
}
BENCHMARK(BM_PresentUnchangedFrame)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
