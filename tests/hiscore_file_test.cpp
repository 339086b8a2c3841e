// The high-score table and its file "HIGH50".
#include "testkit/hiscore_hammer.h"
#include "hiscore_helpers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

TEST(HighScoreFile, AMissingFileGivesAnEmptyTableAndCanBeCreated)
{
    ScoreDir dir;
    hiscore_table.count = 3;
    EXPECT_EQ(hiscore_load(), HISCORE_RESET);
    EXPECT_EQ(hiscore_table.count, 0);
    EXPECT_EQ(hiscore_table.entries[0].name[0], 0);
    EXPECT_EQ(hiscore_table.entries[14].score, -1);
    EXPECT_TRUE(hiscore_create());
    hiscore_close();
    EXPECT_TRUE(read_bytes(dir.file()).empty());
    struct stat info;
    EXPECT_EQ(stat(dir.file().c_str(), &info), 0);
}

TEST(HighScoreFile, AnEmptyFileIsAValidEmptyTable)
{
    ScoreDir dir;
    write_bytes(dir.file(), {});
    EXPECT_EQ(hiscore_load(), HISCORE_LOADED);
    EXPECT_EQ(hiscore_table.count, 0);
    hiscore_close();
}

TEST(HighScoreFile, FifteenRowsLoadButSixteenOrAPartRowResetTheTable)
{
    ScoreDir dir;
    std::vector<std::pair<const char*, int32_t>> rows;
    for (int i = 0; i < 15; i++)
        rows.push_back({"Moth", 1000 - i});
    write_table(dir.file(), rows);
    ASSERT_EQ(read_bytes(dir.file()).size(), 600u);
    EXPECT_EQ(hiscore_load(), HISCORE_LOADED);
    EXPECT_EQ(hiscore_table.count, 15);
    EXPECT_EQ(hiscore_table.entries[14].score, 986);
    hiscore_close();

    rows.push_back({"Sixteenth", 1});
    write_table(dir.file(), rows);    // 640 bytes
    EXPECT_EQ(hiscore_load(), HISCORE_RESET);
    EXPECT_EQ(hiscore_table.count, 0);

    write_bytes(dir.file(), std::vector<uint8_t>(41, 'a'));
    EXPECT_EQ(hiscore_load(), HISCORE_RESET);
    EXPECT_EQ(hiscore_table.count, 0);
    EXPECT_EQ(read_bytes(dir.file()).size(), 41u);    // left alone until the caller creates it anew
}

TEST(HighScoreFile, AnUnsortedFileIsSortedOnLoadAndTiesMayTradePlaces)
{
    ScoreDir dir;
    write_table(dir.file(), {{"x", 5}, {"y", 5}, {"z", 7}});
    ASSERT_EQ(hiscore_load(), HISCORE_LOADED);
    EXPECT_STREQ(hiscore_table.entries[0].name, "z");
    EXPECT_STREQ(hiscore_table.entries[1].name, "y");
    EXPECT_STREQ(hiscore_table.entries[2].name, "x");
    hiscore_close();
}

TEST(HighScoreFile, ATableInOrderKeepsItsTiesInOrder)
{
    ScoreDir dir;
    write_table(dir.file(), {{"first", 9}, {"a", 5}, {"b", 5}, {"c", 5}, {"last", -4}});
    ASSERT_EQ(hiscore_load(), HISCORE_LOADED);
    const char* order[] = {"first", "a", "b", "c", "last"};
    for (int row = 0; row < 5; row++)
        EXPECT_STREQ(hiscore_table.entries[row].name, order[row]);
    hiscore_close();
}

TEST(HighScoreFile, ANameWithoutItsTerminatorEndsInsideItsField)
{
    ScoreDir dir;
    std::vector<uint8_t> bytes = entry_bytes("", 12);
    std::memset(bytes.data(), 'N', 36);
    write_bytes(dir.file(), bytes);
    ASSERT_EQ(hiscore_load(), HISCORE_LOADED);
    EXPECT_EQ(std::strlen(hiscore_table.entries[0].name), 35u);
    EXPECT_EQ(hiscore_table.entries[0].score, 12);
    hiscore_close();
}

TEST(HighScoreFile, QualifyingNeedsAFreeRowOrMoreThanTheLowestOfAFullTable)
{
    hiscore_reset();
    hiscore_table.count = 14;
    EXPECT_TRUE(hiscore_qualifies(0));
    hiscore_table.count = 15;
    for (int row = 0; row < 15; row++)
        hiscore_table.entries[row].score = 1000 - row * 10 - (row == 14 ? 360 : 0);
    ASSERT_EQ(hiscore_table.entries[14].score, 500);
    EXPECT_FALSE(hiscore_qualifies(500));
    EXPECT_TRUE(hiscore_qualifies(501));
}

TEST(HighScoreFile, SavingWritesTheSameBytesTheFileHeld)
{
    ScoreDir dir;
    write_table(dir.file(), {{"Ada", 300}, {"Bo", 20}});
    std::vector<uint8_t> before = read_bytes(dir.file());
    ASSERT_EQ(hiscore_load(), HISCORE_LOADED);
    EXPECT_TRUE(hiscore_save());
    EXPECT_EQ(read_bytes(dir.file()), before);
    EXPECT_FALSE(file_is_open(&hiscore_table.file));
}

TEST(HighScoreFile, AFailedSaveLeavesThePreviousTableWhole)
{
    ScoreDir dir;
    write_table(dir.file(), {{"Ada", 300}});
    std::vector<uint8_t> before = read_bytes(dir.file());
    ASSERT_EQ(hiscore_load(), HISCORE_LOADED);
    hiscore_table.count = 2;
    std::strcpy(hiscore_table.entries[1].name, "Cy");
    hiscore_table.entries[1].score = 10;
    // Something in the way of the new file: it cannot be written.
    ASSERT_EQ(mkdir((dir.file() + ".new").c_str(), 0755), 0);
    EXPECT_FALSE(hiscore_save());
    EXPECT_EQ(read_bytes(dir.file()), before);
    EXPECT_FALSE(file_is_open(&hiscore_table.file));
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

TEST(HighScoreFile, ADirectoryTooLongForTheBufferCountsAsNone)
{
    headless_devices().install_dir = "/" + std::string(300, 'd') + "/";
    char dir[HISCORE_DIR_BYTES];
    hiscore_find_dir(dir);
    EXPECT_STREQ(dir, "./");
    headless_devices().install_dir = "";
    hiscore_find_dir(dir);
    EXPECT_STREQ(dir, "./");
    headless_devices().install_dir = "/games/moths/";
    hiscore_find_dir(dir);
    EXPECT_STREQ(dir, "/games/moths/");
}

TEST(HighScoreFile, WhileAnotherCopyHoldsTheFileLoadingReportsBusy)
{
    ScoreDir dir;
    write_table(dir.file(), {{"Ada", 300}});
    int go[2], ready[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(ready), 0);
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
