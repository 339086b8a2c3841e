// The remembered settings as text: read back to the same values, broken
// lines passed over and named, and the command line's choices laid over them.
#include "platform/settings.h"
#include "shell/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Settings parsed(const std::string& text, std::vector<std::string>* problems = nullptr)
{
    Settings settings;
    std::vector<std::string> ignored;
    settings_parse(text, &settings, problems ? problems : &ignored);
    return settings;
}

// Hand-written text has spaces, comments, Windows line ends and other words
// for yes and no; the last of two lines for one key wins. A size never
// chosen is not written, and reads back as not chosen.
TEST(Settings, TheTextReadsBackToTheSameValuesHandWrittenTooAndTheCommandLineDecidesTheRun)
{
    const Settings chosen = {.fullscreen = false, .window_width = 1366, .window_height = 700, .scale = SCALE_FIT,
                             .sound = false, .frame_period = FRAME_PERIOD_MIN};
    std::vector<std::string> problems;
    EXPECT_EQ(parsed(settings_format(chosen), &problems), chosen);
    EXPECT_EQ(settings_format(Settings{}).find("window_size ="), std::string::npos);
    EXPECT_EQ(parsed(settings_format(Settings{}), &problems), Settings{});
    const Settings by_hand = {.fullscreen = false, .window_width = 800, .window_height = 600, .sound = false,
                              .frame_period = FRAME_PERIOD_MAX};
    EXPECT_EQ(parsed("# mine\r\n\n  fullscreen=off \r\n sound =   no\nwindow_size = 800x600\nframe_period=80", &problems),
              by_hand);
    EXPECT_EQ(parsed("scale = fit\nscale = integer\n").scale, SCALE_INTEGER);
    EXPECT_TRUE(problems.empty());

    // The command line decides for one run (what the player then changes is
    // kept by the settings keeper, tested with it); the last of --window and
    // --fullscreen wins.
    Options options = parse_options({"--window", "--scale", "fit"});
    ASSERT_EQ(options.error, "");
    EXPECT_EQ(settings_for_run(Settings{.frame_period = 20}, options),
              (Settings{.fullscreen = false, .scale = SCALE_FIT, .frame_period = 20}));
    EXPECT_TRUE(settings_for_run(Settings{.fullscreen = false}, parse_options({"--window", "--fullscreen"})).fullscreen);
    EXPECT_EQ(parse_options({"--scale", "huge"}).error, "--scale takes integer or fit");
}

// Text that is no settings at all is left alone whole.
TEST(Settings, BrokenLinesAreNamedAndLeaveTheirValuesAlone)
{
    struct Case { const char* line; const char* problem; };
    const Case cases[] = {
        {"fullscreen = maybe", "line 2: fullscreen takes yes or no"},
        {"sound", "line 2: no \"key = value\""},
        {"frame_period = 4", "line 2: frame_period takes a number of milliseconds from 5 to 80"},
        {"frame_period = 81", "line 2: frame_period takes"}, {"frame_period = 99999999999999999999", "line 2: frame_period takes"},
        {"window_size = 319x240", "line 2: window_size takes"}, {"window_size = 1280*960", "line 2: window_size takes"},
        {"window_size = 20000x960", "line 2: window_size takes"},
        {"scale = stretch", "line 2: scale takes integer or fit"},
        {"colour = blue", "line 2: unknown setting \"colour\""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> problems;
        Settings s = parsed(std::string("sound = off\n") + c.line + "\nscale = fit\n", &problems);
        ASSERT_EQ(problems.size(), 1u) << c.line;
        EXPECT_EQ(problems[0].rfind(c.problem, 0), 0u) << c.line << ": " << problems[0];
        EXPECT_EQ(s, (Settings{.scale = SCALE_FIT, .sound = false})) << c.line;
    }
    for (const std::string& text : {std::string("sound = off\n") + std::string(SETTINGS_TEXT_MAX, '#'),
                                    std::string("sound = off\n\0\x89PNG", 16)}) {
        std::vector<std::string> problems;
        EXPECT_EQ(parsed(text, &problems), Settings{});
        EXPECT_EQ(problems.size(), 1u);
    }
}

}  // namespace
