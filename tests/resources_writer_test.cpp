// The pack writer: its images draw back to their pixels, within the encodings' limits, in the loader's layout.
#include "resources_helpers.h"
#include "video_test_support.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Pixels = std::vector<uint8_t>;

// A picture of stretches: runs of one colour or of noise, some of them the
// transparent index, of lengths up to `longest`.
Pixels stretches(int width, int height, uint32_t seed, int transparent, int longest)
{
    Pixels p((size_t)width * height);
    auto next = [state = seed](int n) mutable {
        return (int)(((state = state * 1103515245u + 12345u) >> 16) % (uint32_t)n);
    };
    for (size_t i = 0; i < p.size();) {
        int length = 1 + next(longest), kind = next(4);
        int colour = kind == 0 && transparent >= 0 ? transparent : next(256);
        for (int k = 0; k < length && i < p.size(); k++, i++)
            p[i] = (uint8_t)(kind == 3 ? next(256) : colour);
    }
    return p;
}

// What drawing the picture must leave: its pixels, the transparent ones
// showing the background.
Pixels expected(Pixels p, int transparent)
{
    std::replace_if(p.begin(), p.end(), [&](int pixel) { return pixel == transparent; }, BACKGROUND);
    return p;
}

// Draws `image` with the operation of its encoding at (x, y) on a cleared
// screen and reads back the w x h area at (left, top).
Pixels draw_back(const Bytes& image, int encoding, int x, int y, int left, int top, int w, int h)
{
    display_clear(BACKGROUND);
    DrawResult result;
    auto draw = encoding == IMAGE_RAW ? draw_sprite : encoding == IMAGE_RUNS ? draw_runs : draw_fill_runs;
    draw(&result, x, y, as_image(image));
    EXPECT_EQ(result.empty, 0);
    Pixels out;
    for (int r = 0; r < h; r++)
        out.insert(out.end(), &screen_pixel(left, top + r), &screen_pixel(left + w, top + r));
    return out;
}

struct EncodedRun { int kind, length; std::vector<uint8_t> bytes; };    // kind 0 skip, 1 copy, 2 fill

// The runs of every row of a fill-run image the writer made.
std::vector<std::vector<EncodedRun>> fill_run_rows(const Bytes& image)
{
    const ImageRecord* record = (const ImageRecord*)image.data();
    const uint8_t* data = image_pixels(record);
    std::vector<std::vector<EncodedRun>> rows;
    for (int r = 0; r < image_height(record); r++) {
        rows.emplace_back();
        for (int n = *data++; n > 0; n--) {
            int control = *data++, kind = control < 0x80 ? 0 : control < 0xC0 ? 1 : 2;
            int length = kind == 0 ? control + 1 : (control & 0x3F) + 1;
            const uint8_t* bytes = data;
            data += kind == 0 ? 0 : kind == 1 ? length : 1;
            rows.back().push_back({kind, length, std::vector<uint8_t>(bytes, data)});
        }
    }
    return rows;
}

using WriterRoundTrip = VideoScreen;

}  // namespace

TEST_F(WriterRoundTrip, RunAndFillRunImagesDrawBackToTheirPixelsAndSkippedPixelsAreLeftAloneInEveryEncoding)
{
    // width, height, transparent index, longest stretch
    const int cases[][4] = {
        {1, 1, 0, 1},   {37, 23, 0, 6},     {300, 40, 0, 200},  {640, 12, 0, 400},
        {90, 30, 200, 40}, {50, 20, -1, 30}, {128, 4, 9, 300},
    };
    uint32_t seed = 1;
    for (auto [width, height, transparent, longest] : cases) {
        Pixels picture = stretches(width, height, seed++, transparent, longest);
        int x = (640 - width) / 3, y = (480 - height) / 2;
        Bytes runs = encode_runs(x, y, width, height, picture.data(), transparent);
        Bytes fills = encode_fill_runs(x, y, width, height, picture.data(), transparent);
        ASSERT_FALSE(runs.empty() || fills.empty());
        Pixels want = expected(picture, transparent);
        EXPECT_EQ(draw_back(runs, IMAGE_RUNS, 0, 0, x, y, width, height), want) << width << " x " << height;
        EXPECT_EQ(draw_back(fills, IMAGE_FILL_RUNS, 0, 0, x, y, width, height), want) << width << " x " << height;
    }
    // Index 0 and 1 both in use: a raw picture must still skip with 0, the
    // run encodings with an index the picture does not use.
    std::vector<int> pixels = {PIXEL_SKIP, 0, 1, 2, PIXEL_SKIP, 9};
    for (int encoding : {IMAGE_RAW, IMAGE_RUNS, IMAGE_FILL_RUNS}) {
        Bytes image = encode_with_skips(100, 50, 6, 1, pixels, encoding);
        ASSERT_FALSE(image.empty()) << encoding;
        uint8_t zero = encoding == IMAGE_RAW ? BACKGROUND : 0;    // colour 0 of a raw picture is see-through
        EXPECT_EQ(draw_back(image, encoding, 0, 0, 100, 50, 6, 1), (Pixels{BACKGROUND, zero, 1, 2, BACKGROUND, 9}))
            << encoding;
    }
    // A raw picture drawn round its hot spot, index 0 transparent.
    Pixels picture = stretches(45, 31, 77, 0, 8);
    Bytes raw = encode_raw(-20, -15, 45, 31, picture.data());
    EXPECT_EQ(raw.size(), 8u + 45 * 31);
    EXPECT_EQ(draw_back(raw, IMAGE_RAW, 320, 240, 300, 225, 45, 31), expected(picture, 0));
}

TEST_F(WriterRoundTrip, ARowThatFillsWouldCutIntoTooManyRunsIsWrittenWithCopies)
{
    // "5 5 5 6" 160 times: a fill and a copy each, 320 runs, is too many.
    Pixels picture(640, 5);
    for (int i = 3; i < 640; i += 4)
        picture[i] = 6;
    Bytes image = encode_fill_runs(0, 0, 640, 1, picture.data(), 0);
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(fill_run_rows(image)[0].size(), 10u) << "ten copies of 64";
    EXPECT_EQ(draw_back(image, IMAGE_FILL_RUNS, 0, 0, 0, 0, 640, 1), picture);
}

TEST(WriterRuns, NoRunPassesItsLongestLength)
{
    Pixels picture = stretches(640, 60, 5, 0, 300);
    Bytes fills = encode_fill_runs(0, 0, 640, 60, picture.data(), 0);
    ASSERT_FALSE(fills.empty());
    int copies = 0, filled = 0;
    for (const std::vector<EncodedRun>& row : fill_run_rows(fills)) {
        for (const EncodedRun& run : row) {
            EXPECT_LE(run.length, run.kind == 0 ? 128 : 64);
            EXPECT_TRUE(run.kind != 2 || run.length >= 3) << "a repeat of 1 or 2 is cheaper as a copy";
            if (run.kind == 1) {
                copies++;
                for (size_t i = 2; i < run.bytes.size(); i++)
                    EXPECT_FALSE(run.bytes[i] == run.bytes[i - 1] && run.bytes[i] == run.bytes[i - 2])
                        << "three alike inside a copy should have been a fill";
            }
            filled += run.kind == 2;
        }
    }
    EXPECT_GT(copies, 0);
    EXPECT_GT(filled, 0);

    // EncodedRun encoding: 200 opaque pixels are copies of 128 and 72, 300
    // transparent ones skips of 128, 128 and 44.
    std::vector<uint8_t> row(500, 0);
    for (int i = 0; i < 200; i++)
        row[i] = (uint8_t)(1 + i % 7);
    Bytes runs = encode_runs(0, 0, 500, 1, row.data(), 0);
    ASSERT_EQ(runs.size(), 8u + 1 + 1 + 128 + 1 + 72 + 3);
    EXPECT_EQ((std::array{runs[8], runs[9], runs[9 + 129]}), (std::array<uint8_t, 3>{5, 0xFF, 0x80 | 71}));
    EXPECT_EQ(Bytes(runs.end() - 3, runs.end()), (Bytes{0x7F, 0x7F, 43}));
}

TEST(WriterRuns, RepeatsOfThreeOrMoreAreFilledShorterOnesCopiedAndImagesThatCannotBeEncodedComeBackEmpty)
{
    std::vector<uint8_t> stripes(640, 0);
    for (int i = 1; i < 640; i += 2)
        stripes[i] = 5;
    EXPECT_TRUE(encode_runs(0, 0, 640, 1, stripes.data(), 0).empty()) << "640 runs in a row";
    EXPECT_TRUE(encode_fill_runs(0, 0, 640, 1, stripes.data(), 0).empty());
    EXPECT_FALSE(encode_runs(0, 0, 255, 1, stripes.data(), 0).empty()) << "255 runs fit";
    EXPECT_TRUE(encode_runs(0, 0, 256, 1, stripes.data(), 0).empty());
    EXPECT_TRUE(encode_raw(0, 0, 0, 5, stripes.data()).empty());
    EXPECT_TRUE(encode_runs(0, 0, 65536, 1, stripes.data(), 0).empty());
    uint8_t row[] = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 2, 2, 3, 0, 0, 9, 9, 9};
    EXPECT_EQ(encode_fill_runs(0, 0, 19, 1, row, 0),
              (Bytes{0, 0, 0, 0, 19, 0, 1, 0, 4, 0xC9, 4, 0x83, 1, 2, 2, 3, 0x01, 0xC2, 9}));
}

TEST(WriterLayout, TablesCountOffsetsFromTheFirstOffset)
{
    EXPECT_EQ(make_table({{1, 2}, {3}}), (Bytes{2, 0, 0, 0, 8, 0, 0, 0, 10, 0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(make_sound_bank({{0x81, 0x81}, {0x82}}),
              (Bytes{3, 0, 0, 0, 12, 0, 0, 0, 14, 0, 0, 0, 15, 0, 0, 0, 0x81, 0x81, 0x82}));
    EXPECT_EQ(make_pack({{9}, {8, 7}}), (Bytes{2, 0, 0, 0, 8, 0, 0, 0, 9, 0, 0, 0, 9, 8, 7}));
    EXPECT_EQ(make_text_table({"AB", ""}), (Bytes{2, 0, 0, 0, 8, 0, 0, 0, 11, 0, 0, 0, 'A', 'B', 0, 0}));
}
