// Presenting on the desktop: a frame the same as the one on show costs no
// upload, a new picture or new colours exactly one; a screenshot holds the
// frame on show with its colours.
#include "platform/posix/posix.h"
#include "png_read.h"
#include "sdl_helpers.h"

#include <filesystem>
#include <iterator>

namespace {

using SdlPresent = SdlMachine;

TEST_F(SdlPresent, AFrameIsUploadedOnlyWhenItChangedAndAScreenshotHoldsTheFrameOnShow)
{
    const std::string dir = posix_make_temp_dir("flickermoth-sdl-shot");
    ASSERT_FALSE(dir.empty());
    std::string old_home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", dir.c_str(), 1);    // no pictures directory there: the data directory takes it
    setenv("FLICKERMOTH_DIR", dir.c_str(), 1);
    EXPECT_EQ(sdl_video_screenshot(), "");    // nothing shown yet

    const int pitch = 704;    // rows padded beyond the picture
    std::vector<uint8_t> pixels((size_t)pitch * 480, 7), rgb(768);
    for (int i = 0; i < 768; i++)
        rgb[i] = (uint8_t)(i * 5);
    uint64_t before = sdl_video_uploads();
    sdl->present(pixels.data(), pitch, rgb.data());
    sdl->present(pixels.data(), pitch, rgb.data());
    EXPECT_EQ(sdl_video_uploads(), before + 1) << "the first frame once, an unchanged one never";
    // Each step a change the frame after it shows or not, with the uploads it costs.
    const std::pair<uint8_t*, uint64_t> steps[] = {
        {&pixels[100 * pitch + 650], 0},    // beyond column 639: not part of the picture
        {&pixels[100 * pitch + 639], 1},
        {&pixels[479 * pitch + 639], 1},    // the very last pixel
        {&rgb[767], 1},                     // the last colour's blue, as a fade step changes it
        {&rgb[0], 1},                       // unused colours count: the next frame may use them
        {&pixels[0], 1},                    // colour 6 now, beside colour 7
    };
    for (size_t step = 0; step < std::size(steps); step++) {
        before = sdl_video_uploads();
        *steps[step].first ^= 1;
        sdl->present(pixels.data(), pitch, rgb.data());
        EXPECT_EQ(sdl_video_uploads(), before + steps[step].second) << "step " << step;
    }

    std::string path = sdl_video_screenshot();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.rfind(dir + "flickermoth-", 0), 0u) << path;
    RgbPicture shot;
    ASSERT_TRUE(png_read_rgb(nullptr, path, &shot));
    ASSERT_EQ(std::make_pair(shot.width, shot.height), std::make_pair(640, 480));
    EXPECT_EQ(std::vector<uint8_t>(shot.rgb.begin(), shot.rgb.begin() + 6),
              std::vector<uint8_t>(rgb.begin() + 6 * 3, rgb.begin() + 8 * 3));
    EXPECT_NE(sdl_video_screenshot(), path) << "two in the same second get names of their own";

    setenv("HOME", old_home.c_str(), 1);
    unsetenv("FLICKERMOTH_DIR");
    std::filesystem::remove_all(dir);
}

}  // namespace

// A GL without a graphics driver behind it is passed over for SDL's own
// software renderer; a real GPU's GL is kept.
TEST(SdlRendererChoice, OnlyGLsThatDrawOnTheProcessorArePassedOver)
{
    for (const char* cpu : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Mesa DRI swrast", "Software Rasterizer"})
        EXPECT_TRUE(sdl_gl_draws_on_cpu(cpu)) << cpu;
    for (const char* gpu : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)",
                            "NVIDIA GeForce GTX 1060/PCIe/SSE2", ""})
        EXPECT_FALSE(sdl_gl_draws_on_cpu(gpu)) << gpu;
    EXPECT_FALSE(sdl_gl_draws_on_cpu(nullptr));
}
