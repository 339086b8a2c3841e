// Presenting on the desktop: a frame the same as the one on show costs no
// upload; a new picture or new colours cost exactly one.
#include "png_read.h"
#include "sdl_helpers.h"

#include <cstring>
#include <iterator>
#include <filesystem>

namespace {

struct Frame {
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> rgb;
    int pitch;
    explicit Frame(int pitch_ = 640) : pixels((size_t)pitch_ * 480, 7), rgb(768), pitch(pitch_)
    {
        for (int i = 0; i < 768; i++)
            rgb[i] = (uint8_t)(i * 5);
    }
    void show(const PlatformBackend* sdl) const { sdl->present(pixels.data(), pitch, rgb.data()); }
};

using SdlPresent = SdlMachine;

// Each step a change the frame after it shows or not, with the uploads it costs.
TEST_F(SdlPresent, AFrameIsUploadedOnlyWhenItsVisiblePixelsOrItsColoursChanged)
{
    Frame frame(704);    // rows padded beyond the picture
    uint64_t before = sdl_video_uploads();
    frame.show(sdl);
    frame.show(sdl);
    EXPECT_EQ(sdl_video_uploads(), before + 1) << "the first frame once, an unchanged one never";
    const std::pair<uint8_t*, uint64_t> steps[] = {
        {&frame.pixels[100 * 704 + 650], 0},    // beyond column 639: not part of the picture
        {&frame.pixels[100 * 704 + 639], 1},
        {&frame.pixels[479 * 704 + 639], 1},    // the very last pixel
        {&frame.rgb[767], 1},                   // the last colour's blue, as a fade step changes it
        {&frame.rgb[0], 1},                     // unused colours count: the next frame may use them
    };
    for (size_t step = 0; step < std::size(steps); step++) {
        before = sdl_video_uploads();
        *steps[step].first ^= 1;
        frame.show(sdl);
        EXPECT_EQ(sdl_video_uploads(), before + steps[step].second) << "step " << step;
    }
}

TEST_F(SdlPresent, TheScreenshotHoldsTheFrameOnShowWithItsColours)
{
    char dir[] = "/tmp/flickermoth-sdl-shot-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string old_home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", dir, 1);    // no pictures directory there: the data directory takes it
    setenv("FLICKERMOTH_DIR", dir, 1);
    EXPECT_EQ(sdl_video_screenshot(), "");    // nothing shown yet

    Frame frame;
    frame.pixels[0] = 200;
    frame.show(sdl);
    std::string path = sdl_video_screenshot();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.rfind(std::string(dir) + "/flickermoth-", 0), 0u) << path;
    RgbPicture picture;
    ASSERT_TRUE(png_read_rgb(nullptr, path, &picture));
    ASSERT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(640, 480));
    const std::vector<uint8_t>& shot = picture.rgb;
    EXPECT_EQ(std::vector<uint8_t>(shot.begin(), shot.begin() + 3),
              std::vector<uint8_t>(frame.rgb.begin() + 600, frame.rgb.begin() + 603));
    EXPECT_EQ(std::vector<uint8_t>(shot.begin() + 3, shot.begin() + 6),
              std::vector<uint8_t>(frame.rgb.begin() + 21, frame.rgb.begin() + 24));
    // Two in the same second get names of their own.
    EXPECT_NE(sdl_video_screenshot(), path);

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
