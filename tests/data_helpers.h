// Helpers for the checks of the generated data packs and of the pack inspector: where the packs are,
// fixtures, and pictures drawn with the game's own routines to see which pixels they cover.
#pragma once

#include "resources/resources.h"
#include "testkit/test_pack.h"
#include "tools/art/vision.h"
#include "tools/packtool/contents.h"
#include "tools/packtool/packtool.h"
#include "video/display.h"
#include "video/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#ifdef FLICKERMOTH_DATA_DIR
inline std::string data_path(const char* name) { return std::string(FLICKERMOTH_DATA_DIR) + "/" + name; }
#define REQUIRE_DATA()
#else
inline std::string data_path(const char* name) { return name; }
#define REQUIRE_DATA() GTEST_SKIP() << "the data generator is not part of this build"
#endif

// A fresh folder under the temporary directory, its name made unique to
// this run: several builds of the tests may run at once on one machine.
inline std::filesystem::path fresh_temp_dir(const std::string& name)
{
    static const std::string run = std::to_string(std::random_device{}());
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("flickermoth-" + run + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The pack inspector's tests: a scratch folder of the running test's own,
// gone after it, and a pack saved there as "in.res" and extracted into "files".
class PackFolder : public testing::Test {
protected:
    std::filesystem::path dir = fresh_temp_dir(testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string in = path("in.res"), files = path("files"), error;
    ~PackFolder() override { std::filesystem::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    void save(const Bytes& pack) { ASSERT_TRUE(save_bytes(in.c_str(), pack)); }
    // Saves, extracts and builds `pack` again; the rebuilt bytes.
    Bytes round_trip(const Bytes& pack)
    {
        save(pack);
        EXPECT_TRUE(packtool_extract(in, files, &error)) << error;
        Bytes rebuilt;
        EXPECT_TRUE(packtool_build(files, &rebuilt, &error)) << error;
        return rebuilt;
    }
    // What the folder builds into, read back as the inspector reads a pack.
    PackContents rebuilt_contents()
    {
        Bytes rebuilt;
        PackContents contents;
        EXPECT_TRUE(packtool_build(files, &rebuilt, &error)) << error;
        EXPECT_TRUE(save_bytes(path("out.res").c_str(), rebuilt));
        EXPECT_TRUE(pack_read(path("out.res"), &contents, &error)) << error;
        return contents;
    }
    // The placeholder logo pack with `pictures` in place of its own.
    static Bytes logo_with(const std::vector<Bytes>& pictures)
    {
        std::vector<Bytes> entries = test_logo_entries();
        entries[1] = make_table(pictures);
        return make_pack(entries);
    }
};

// Checks of the generated game pack, bound before each (skipped when the
// build has no data generator); a pack that does not bind fails the test.
struct GameData : testing::Test {
    void SetUp() override
    {
        REQUIRE_DATA();
        ASSERT_TRUE(display_create());
        ASSERT_TRUE(bind_resources(data_path("DATA50.RES").c_str())) << "the generated pack fails the game's checks";
    }
};

// The screen after drawing a fill-run picture over a cleared screen.
inline std::vector<uint8_t> screen_with(const ImageRecord* image, uint8_t background = 0)
{
    display_clear(background);
    draw_fill_runs(nullptr, 0, 0, image);
    std::vector<uint8_t> screen(SCREEN_COPY_BYTES);
    display_snapshot(screen.data());
    return screen;
}

// Which screen pixels a fill-run picture writes: drawn over two different
// backgrounds, the pixels it skips keep the background.
inline std::vector<bool> covered_by_runs(const ImageRecord* image)
{
    std::vector<uint8_t> dark = screen_with(image, 0x11), light = screen_with(image, 0xEE);
    std::vector<bool> covered(dark.size());
    for (size_t i = 0; i < dark.size(); i++)
        covered[i] = !(dark[i] == 0x11 && light[i] == 0xEE);
    return covered;
}

// Relative luminance (0..1) of a palette entry as the display shows it.
inline double luminance(const uint8_t* palette, int index)
{
    auto linear = [&](int c) { return srgb_to_linear(display_level8(palette[index * 3 + c]) / 255.0); };
    return 0.2126 * linear(0) + 0.7152 * linear(1) + 0.0722 * linear(2);
}

// Brightness (0..1) of a palette entry.
inline double palette_lightness(const uint8_t* palette, int index)
{
    return (0.3 * palette[index * 3] + 0.59 * palette[index * 3 + 1] + 0.11 * palette[index * 3 + 2]) / 63.0;
}

inline bool full_screen_at_origin(const ImageRecord* image)
{
    return !image_x_offset(image) && !image_y_offset(image) && image_width(image) == 640 && image_height(image) == 480;
}

// The smallest box holding every point added; right < left while empty.
struct Box {
    int left = 1 << 20, top = 1 << 20, right = -(1 << 20), bottom = -(1 << 20);
    void add(int x, int y)
    {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// The box of the non-transparent pixels of a raw image, in drawing terms.
inline Box ink_box(const ImageRecord* image)
{
    Box box;
    const uint8_t* pixels = image_pixels(image);
    for (int y = 0; y < image_height(image); y++)
        for (int x = 0; x < image_width(image); x++)
            if (pixels[y * image_width(image) + x])
                box.add(x + image_x_offset(image), y + image_y_offset(image));
    return box;
}
