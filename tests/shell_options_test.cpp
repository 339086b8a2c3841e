// The command line of the desktop program: options out first, the rest the
// game's argument text in Windows-1251.
#include "shell/app.h"
#include "shell/options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

Options parse(std::vector<std::string> arguments) { return parse_options(arguments); }

TEST(CommandLineOptions, TheArgumentsLeftAreJoinedIntoTheArgumentTextInTheGamesCodePage)
{
    Options o = parse({"--window", "Q", "x", "--headless"});
    EXPECT_TRUE(o.window);
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.argument_text, "Q x");
    EXPECT_EQ(o.error, "");
    // Cyrillic typed in a UTF-8 terminal arrives as Windows-1251 bytes.
    EXPECT_EQ(parse({"\xD0\x9C\xD0\xBE\xD1\x82"}).argument_text, "\xCC\xEE\xF2");
    // Bytes that are not UTF-8 are taken as they are: already the code page.
    EXPECT_EQ(parse({"\xCC\xEE\xF2"}).argument_text, "\xCC\xEE\xF2");
    // A NUL written in two bytes is not a character: it never ends the text early.
    std::string sneaky = parse({std::string("5\xC0\x80" "Q")}).argument_text;
    EXPECT_EQ(sneaky.size(), 4u);
    EXPECT_EQ(sneaky.find('\0'), std::string::npos);
}

TEST(CommandLineOptions, TheFriendlyOptionsStandForTheirArgumentTexts)
{
    EXPECT_EQ(parse({"--quick", "ignored"}).argument_text, "Q");
    Options play = parse({"--play"});
    EXPECT_EQ(play.argument_text, "5");
    EXPECT_EQ(play.input_file, "DATA52.RES");
    Options named = parse({"--play", "mine.rec", "--window"});
    EXPECT_EQ(named.input_file, "mine.rec");
    EXPECT_TRUE(named.window);
    // An option right after --play is not taken for its file.
    Options followed = parse({"--play", "--headless"});
    EXPECT_EQ(followed.input_file, "DATA52.RES");
    EXPECT_TRUE(followed.headless);
    Options record = parse({"--record", "game.rec"});
    EXPECT_EQ(record.argument_text, RECORDING_WORD);
    EXPECT_EQ(record.input_file, "game.rec");
}

TEST(CommandLineOptions, MistakesAreNamedAndNumbersMustBeNumbers)
{
    EXPECT_EQ(parse({"--record"}).error, "--record needs a file name");
    EXPECT_EQ(parse({"--shots"}).error, "--shots needs a directory");
    EXPECT_EQ(parse({"--frames", "12x"}).error, "--frames needs a number");
    EXPECT_EQ(parse({"--frames", "-5"}).error, "--frames needs a number");
    EXPECT_EQ(parse({"--shot-every", "0"}).error, "--shot-every needs a number above 0");
    EXPECT_EQ(parse({"--colour"}).error, "unknown option --colour");
    Options good = parse({"--frames", "600", "--shot-every", "25", "--trace", "t.jsonl", "--demo"});
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.frames, 600);
    EXPECT_EQ(good.shot_every, 25);
    EXPECT_EQ(good.trace_path, "t.jsonl");
    EXPECT_TRUE(good.demo);
}

// A recording asked for by option must be usable before anything opens;
// the argument texts go on quietly without one, as they always have.
TEST(CommandLineOptions, ARecordingNamedByAnOptionMustBeUsable)
{
    char made[] = "/tmp/flickermoth-options-XXXXXX";
    ASSERT_NE(mkdtemp(made), nullptr);
    std::string dir = made;
    std::ofstream(dir + "/game.rec") << "moves";

    EXPECT_EQ(input_file_problem(parse({"--play", dir + "/game.rec"})), "");
    EXPECT_EQ(input_file_problem(parse({"--play", dir + "/gone.rec"})), "cannot play back " + dir + "/gone.rec: not found");
    EXPECT_EQ(input_file_problem(parse({"--record", dir + "/new.rec"})), "");
    EXPECT_FALSE(std::filesystem::exists(dir + "/new.rec")) << "nothing is left behind by the check";
    EXPECT_EQ(input_file_problem(parse({"--record", dir + "/game.rec"})), "");
    EXPECT_EQ(std::filesystem::file_size(dir + "/game.rec"), 5u) << "an old recording stays until recording starts";
    EXPECT_EQ(input_file_problem(parse({"--record", dir + "/missing/new.rec"})),
              "cannot record into " + dir + "/missing/new.rec: no such folder");
    EXPECT_EQ(input_file_problem(parse({"--record", dir})), "cannot record into " + dir + ": access denied");

    std::string saved_cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir);    // no DATA52.RES here
    EXPECT_EQ(input_file_problem(parse({"5"})), "");
    EXPECT_EQ(input_file_problem(parse({RECORDING_WORD})), "");
    std::filesystem::current_path(saved_cwd);
    std::filesystem::remove_all(dir);
}

}  // namespace
