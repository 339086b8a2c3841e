// The command line of the desktop program: options out first, the rest the
// game's argument text in Windows-1251.
#include "platform/posix/posix.h"
#include "shell/app.h"
#include "shell/options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

Options parse(std::vector<std::string> arguments) { return parse_options(arguments); }

// (argument text, recording file, --window, --headless, error) of a command line.
using Seen = std::tuple<std::string, std::string, bool, bool, std::string>;
Seen seen(std::vector<std::string> arguments)
{
    Options o = parse_options(arguments);
    return {o.argument_text, o.input_file, o.window, o.headless, o.error};
}

// The arguments left once the options are out are the argument text, in the
// game's code page; the friendly options stand for their argument texts.
TEST(CommandLineOptions, TheArgumentTextIsInTheGamesCodePageAndFriendlyOptionsStandForTheirs)
{
    EXPECT_EQ(seen({"--window", "Q", "x", "--headless"}), (Seen{"Q x", "DATA52.RES", true, true, ""}));
    // Cyrillic typed in a UTF-8 terminal arrives as Windows-1251 bytes; bytes
    // that are not UTF-8 are taken as they are: already the code page.
    EXPECT_EQ(seen({"\xD0\x9C\xD0\xBE\xD1\x82"}), (Seen{"\xCC\xEE\xF2", "DATA52.RES", false, false, ""}));
    EXPECT_EQ(seen({"\xCC\xEE\xF2"}), (Seen{"\xCC\xEE\xF2", "DATA52.RES", false, false, ""}));
    EXPECT_EQ(seen({"--quick", "ignored"}), (Seen{"Q", "DATA52.RES", false, false, ""}));
    EXPECT_EQ(seen({"--play"}), (Seen{"5", "DATA52.RES", false, false, ""}));
    EXPECT_EQ(seen({"--play", "mine.rec", "--window"}), (Seen{"5", "mine.rec", true, false, ""}));
    // An option right after --play is not taken for its file.
    EXPECT_EQ(seen({"--play", "--headless"}), (Seen{"5", "DATA52.RES", false, true, ""}));
    EXPECT_EQ(seen({"--record", "game.rec"}), (Seen{RECORDING_WORD, "game.rec", false, false, ""}));
    // A NUL written in two bytes is not a character: it never ends the text early.
    std::string sneaky = parse({std::string("5\xC0\x80" "Q")}).argument_text;
    EXPECT_EQ(sneaky.size(), 4u);
    EXPECT_EQ(sneaky.find('\0'), std::string::npos);
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
    EXPECT_EQ(std::tuple(good.error, good.frames, good.shot_every, good.trace_path, good.demo),
              std::tuple("", 600LL, 25LL, "t.jsonl", true));
}

// The argument texts go on quietly without a usable recording, as they always have.
TEST(CommandLineOptions, ARecordingNamedByAnOptionMustBeUsable)
{
    const std::string dir = std::filesystem::path(posix_make_temp_dir("flickermoth-options")).parent_path();
    ASSERT_FALSE(dir.empty());
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
