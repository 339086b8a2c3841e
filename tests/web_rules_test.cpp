// The browser backend's rules: which keys are the game's, what a key types,
// the scale the page shows and where the pointer is on it, which frames
// reach the canvas, and how the voices sound. Its key codes and where it
// places the picture are tested with the desktop's.
#include "platform/web/web_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(WebKeys, OnlyTheGamesKeysLoseTheirBrowserActionAndKeysTypeInTheGamesCodePage)
{
    for (const char* games : {"Escape", "F8", "F10", "F12", "NumpadAdd", "NumpadSubtract", "Backspace", "Enter", "Space"}) {
        EXPECT_TRUE(web_key_is_games(games, false)) << games;
        EXPECT_FALSE(web_key_is_games(games, true)) << games;    // Control+F12, Meta+Enter... stay the browser's
        EXPECT_NE(web_games_keys().find(games), std::string::npos) << games;
    }
    for (const char* browsers : {"F5", "F11", "KeyR", "Tab", "Minus", "ArrowDown"})
        EXPECT_FALSE(web_key_is_games(browsers, false)) << browsers;

    // The conversion is the code page's; here what the page adds: named keys
    // and shortcuts.
    const std::tuple<const char*, bool, std::string> cases[] = {
        {"Z", false, "Z"},          {"\xD0\x94", false, "\xC4"},  {"\xE2\x82\xAC", false, "\x88"},
        // Letters the code page lacks: their nearest plain letters, as the desktop types them.
        {"\xC3\xA9", false, "e"},   {"\xC3\x9F", false, "ss"},
        {"Backspace", false, "\b"}, {"Enter", false, "\r"},     {"Escape", false, "\x1B"}, {"Tab", false, "\t"},
        {"Shift", false, ""},       {"Dead", false, ""},        {"\xE4\xB8\xAD", false, ""},
        {"\xC3", false, ""},                // broken UTF-8
        {"\x01", false, ""},                // control characters come from their keys only
        {"a", true, ""},            {"\xC3\x9F", true, ""},     {"Enter", true, ""},       {nullptr, false, ""},
    };
    for (const auto& [key, shortcut, typed] : cases)
        EXPECT_EQ(web_typed_text(key, shortcut), typed) << (key ? key : "(none)") << shortcut;
}

TEST(WebSettings, ThePageKeepsAScaleOnlyOnceOneWasChosen)
{
    const Settings chosen = {.scale = SCALE_FIT, .sound = false, .frame_period = 20};
    const std::string desktop = settings_format(chosen);
    std::vector<std::string> problems;
    PictureScale scale = SCALE_INTEGER;
    // Without a choice the text keeps everything else and no scale.
    std::string unchosen = web_settings_text(desktop, nullptr);
    EXPECT_FALSE(web_settings_scale(unchosen, &scale));
    Settings read = {.scale = SCALE_FIT};
    settings_parse(unchosen, &read, &problems);
    EXPECT_EQ(read, chosen);
    // With one, it holds that one and the rest, whatever the text said before.
    for (PictureScale pick : {SCALE_INTEGER, SCALE_FIT}) {
        std::string text = web_settings_text(desktop, &pick);
        ASSERT_TRUE(web_settings_scale(text, &scale));
        EXPECT_EQ(scale, pick);
        Settings back, wanted = chosen;
        wanted.scale = pick;
        settings_parse(text, &back, &problems);
        EXPECT_EQ(back, wanted);
    }
    EXPECT_TRUE(problems.empty());
    // A broken scale line is no choice; the last good one counts.
    EXPECT_FALSE(web_settings_scale("scale = huge\nsound = off\n", &scale));
    ASSERT_TRUE(web_settings_scale("scale = fit\nscale = integer\n", &scale));
    EXPECT_EQ(scale, SCALE_INTEGER);
    EXPECT_FALSE(web_settings_scale("", &scale));
}

TEST(WebPicture, PointerPositionsOnTheCanvasBoxLandOnPicturePixels)
{
    struct Place { double x, y, box_width, box_height; int px, py; };
    const Place places[] = {
        {0, 0, 640, 480, 0, 0},           {639.9, 479.9, 640, 480, 639, 479},  {1.99, 1.99, 1280, 960, 0, 0},
        {2, 2, 1280, 960, 1, 1},          {1279.5, 959.5, 1280, 960, 639, 479}, {500, 375, 1000, 750, 320, 240},
        {-0.5, -3, 1000, 750, -1, -2},    {1000, 750, 1000, 750, 640, 480},    // beyond the edges: the game clamps
    };
    for (const Place& p : places) {
        int x, y;
        web_page_to_picture(p.x, p.y, p.box_width, p.box_height, &x, &y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(p.px, p.py)) << p.x << ", " << p.y << " on " << p.box_width;
    }
}

TEST(WebPicture, OnlyAFrameThatChangedReachesTheCanvas)
{
    static WebFrame frame;
    const int pitch = 700;    // rows further apart than the picture is wide
    std::vector<uint8_t> pixels((size_t)pitch * 480, 3);
    std::vector<uint8_t> rgb(768, 0);
    rgb[3 * 3] = 10, rgb[3 * 3 + 1] = 20, rgb[3 * 3 + 2] = 30;
    rgb[7 * 3] = 200;

    ASSERT_TRUE(web_frame_take(&frame, pixels.data(), pitch, rgb.data()));
    const uint8_t* rgba = (const uint8_t*)frame.rgba;
    EXPECT_EQ(std::vector<uint8_t>(rgba, rgba + 4), (std::vector<uint8_t>{10, 20, 30, 255}));
    EXPECT_FALSE(web_frame_take(&frame, pixels.data(), pitch, rgb.data()));

    // Bytes between the rows are not part of the picture.
    pixels[650] = 7;
    EXPECT_FALSE(web_frame_take(&frame, pixels.data(), pitch, rgb.data()));

    pixels[(size_t)pitch * 479 + 639] = 7;    // the last pixel
    ASSERT_TRUE(web_frame_take(&frame, pixels.data(), pitch, rgb.data()));
    EXPECT_EQ(rgba[(479 * 640 + 639) * 4], 200);
    EXPECT_EQ(std::make_pair(frame.top, frame.bottom), std::make_pair(479, 480));

    rgb[3 * 3] = 11;    // a fade: the colours alone, every row
    ASSERT_TRUE(web_frame_take(&frame, pixels.data(), pitch, rgb.data()));
    EXPECT_EQ(rgba[0], 11);
    EXPECT_EQ(rgba[(479 * 640 + 639) * 4], 200);
    EXPECT_EQ(std::make_pair(frame.top, frame.bottom), std::make_pair(0, 480));

    pixels[(size_t)pitch * 10 + 5] = 7;    // rows 10 and 200 alone
    pixels[(size_t)pitch * 200] = 7;
    ASSERT_TRUE(web_frame_take(&frame, pixels.data(), pitch, rgb.data()));
    EXPECT_EQ(rgba[(10 * 640 + 5) * 4], 200);
    EXPECT_EQ(rgba[(200 * 640) * 4], 200);
    EXPECT_EQ(rgba[(10 * 640 + 6) * 4], 11);
    EXPECT_EQ(std::make_pair(frame.top, frame.bottom), std::make_pair(10, 201));
}

TEST(WebSound, SamplesSpanTheDevicesRangeAndACutFadesOnlyWhatStillSounds)
{
    const uint8_t sample[] = {0, 64, 128, 192, 255};
    float out[5];
    web_sample_to_float(sample, 5, out);
    EXPECT_EQ(std::vector<float>(out, out + 5), (std::vector<float>{-1.0f, -0.5f, 0.0f, 0.5f, 127.0f / 128.0f}));

    EXPECT_EQ(web_cut_fade(2.0, 1.5, false), 0.0);    // over: nothing to fade
    EXPECT_EQ(web_cut_fade(2.0, 2.0, false), 0.0);
    EXPECT_GT(web_cut_fade(2.0, 2.5, false), 0.0);    // still sounding: faded, not cut
    EXPECT_LE(web_cut_fade(2.0, 2.5, false), 0.01);   // and quickly, so the new sound is not late
    EXPECT_GT(web_cut_fade(9.0, 2.5, true), 0.0);     // a loop sounds until stopped
}

}  // namespace
