// The high-score table and its file "HIGH50".
#include "testkit/hiscore_hammer.h"
#include "hiscore_helpers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

// What each shape of file loads as: the result, then the names in table
// order (a sorted load; ties keep the file's order when it was in order).
TEST(HighScoreFile, EachShapeOfFileLoadsAsItsTable)
{
    struct Shape {
        const char* what;
        bool present;
        std::vector<uint8_t> bytes;
        int result;
        std::vector<std::string> names;
        int32_t last_score;
    };
    std::vector<std::string> fifteen(15, "Moth");
    auto moths = [](int count) {
        std::vector<std::pair<const char*, int32_t>> rows;
        for (int i = 0; i < count; i++)
            rows.push_back({"Moth", 1000 - i});
        return rows;
    };
    const std::string no_terminator(36, 'N');
    const Shape shapes[] = {
        {"missing", false, {}, HISCORE_RESET, {}, 0},
        {"empty", true, {}, HISCORE_LOADED, {}, 0},
        {"fifteen rows", true, rows_bytes(moths(15)), HISCORE_LOADED, fifteen, 986},
        {"sixteen rows", true, rows_bytes(moths(16)), HISCORE_RESET, {}, 0},
        {"part of a row", true, std::vector<uint8_t>(41, 'a'), HISCORE_RESET, {}, 0},
        {"unsorted", true, rows_bytes({{"x", 5}, {"y", 5}, {"z", 7}}), HISCORE_LOADED, {"z", "y", "x"}, 5},
        {"ties in order", true, rows_bytes({{"first", 9}, {"a", 5}, {"b", 5}, {"c", 5}, {"last", -4}}), HISCORE_LOADED,
         {"first", "a", "b", "c", "last"}, -4},
        {"name without terminator", true, rows_bytes({{no_terminator.c_str(), 12}}), HISCORE_LOADED, {std::string(35, 'N')}, 12},
    };
    for (const Shape& shape : shapes) {
        ScoreDir dir;
        if (shape.present)
            write_bytes(dir.file(), shape.bytes);
        hiscore_table.count = 3;
        EXPECT_EQ(hiscore_load(), shape.result) << shape.what;
        ASSERT_EQ(hiscore_table.count, (int)shape.names.size()) << shape.what;
        for (size_t row = 0; row < shape.names.size(); row++)
            EXPECT_EQ(hiscore_table.entries[row].name, shape.names[row]) << shape.what << " row " << row;
        if (!shape.names.empty())
            EXPECT_EQ(hiscore_table.entries[shape.names.size() - 1].score, shape.last_score) << shape.what;
        else
            EXPECT_EQ(hiscore_table.entries[14].score, -1) << shape.what;
        hiscore_close();
        // a file that resets the table is left alone until the caller creates it anew
        EXPECT_EQ(read_bytes(dir.file()), shape.bytes) << shape.what;
    }
    ScoreDir dir;
    hiscore_load();
    EXPECT_TRUE(hiscore_create());
    hiscore_close();
    EXPECT_TRUE(std::filesystem::exists(dir.file()));
    EXPECT_TRUE(read_bytes(dir.file()).empty());
}

TEST(HighScoreFile, SavingWritesTheSameBytesAndAFailedSaveLeavesThePreviousTable)
{
    for (bool blocked : {false, true}) {
        ScoreDir dir;
        write_table(dir.file(), {{"Ada", 300}, {"Bo", 20}});
        std::vector<uint8_t> before = read_bytes(dir.file());
        ASSERT_EQ(hiscore_load(), HISCORE_LOADED);
        if (blocked) {
            hiscore_table.entries[1].score = 10;
            ASSERT_EQ(mkdir((dir.file() + ".new").c_str(), 0755), 0);
        }
        EXPECT_EQ(hiscore_save(), !blocked);
        EXPECT_EQ(read_bytes(dir.file()), before) << blocked;
        EXPECT_FALSE(file_is_open(&hiscore_table.file));
    }
}

TEST(HighScoreFile, TwoCopiesSavingAtOnceFindAWholeTableEveryTimeAndLoseNoResult)
{
    constexpr int ROUNDS = 200;
    ScoreDir dir;
    ASSERT_TRUE(hammer_start());
    pid_t child = fork();
    if (child == 0) {
        std::string fault = hammer_table(ROUNDS);
        if (!fault.empty())
            std::fprintf(stderr, "the other copy: %s\n", fault.c_str());
        _exit(fault.empty() ? 0 : 1);
    }
    EXPECT_EQ(hammer_table(ROUNDS), "");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(hiscore_load(), HISCORE_LOADED);
    int32_t rounds = -1;
    EXPECT_TRUE(hammer_whole(&rounds));
    EXPECT_EQ(rounds, 2 * ROUNDS);
    hiscore_close();
}

TEST(HighScoreFile, TheTableLivesInTheInstallDirectoryOrHereWhenThereIsNoneOrItIsTooLong)
{
    const std::pair<std::string, const char*> cases[] = {
        {"/" + std::string(300, 'd') + "/", "./"}, {"", "./"}, {"/games/moths/", "/games/moths/"}};
    for (const auto& [install, found] : cases) {
        headless_devices().install_dir = install;
        char dir[HISCORE_DIR_BYTES];
        hiscore_find_dir(dir);
        EXPECT_STREQ(dir, found) << install;
    }
}

TEST(HighScoreFile, WhileAnotherCopyHoldsTheFileLoadingReportsBusy)
{
    ScoreDir dir;
    write_table(dir.file(), {{"Ada", 300}});
    int go[2], ready[2];
    ASSERT_TRUE(pipe(go) == 0 && pipe(ready) == 0);
    pid_t child = fork();
    if (child == 0) {
        File held;
        char c = file_open(&held, dir.file().c_str(), FILE_UPDATE) ? 'y' : 'n';
        if (write(ready[1], &c, 1) != 1 || read(go[0], &c, 1) != 1)
            _exit(1);
        file_close(&held);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    hiscore_reset();
    std::strcpy(hiscore_table.entries[0].name, "mine");
    hiscore_table.count = 1;
    EXPECT_EQ(hiscore_load(), HISCORE_BUSY);
    EXPECT_STREQ(hiscore_table.entries[0].name, "mine");    // unchanged
    ASSERT_EQ(write(go[1], "x", 1), 1);
    int status;
    waitpid(child, &status, 0);
    EXPECT_EQ(hiscore_load(), HISCORE_LOADED);
    EXPECT_STREQ(hiscore_table.entries[0].name, "Ada");
    hiscore_close();
}
