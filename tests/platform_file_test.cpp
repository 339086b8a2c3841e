// The file operations, including sharing between processes.
#include "hiscore_helpers.h"
#include "platform/file.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace {

// Runs `open` in a child process with `mode` and reports (opened, error), so
// the lock is tested across processes as two copies of the game would meet.
std::pair<bool, int> open_in_other_process(const std::string& path, int mode)
{
    int fds[2], answer[2] = {-1, -1};
    EXPECT_EQ(pipe(fds), 0);
    pid_t child = fork();
    if (child == 0) {
        File file;
        answer[0] = file_open(&file, path.c_str(), mode);
        answer[1] = file_last_error();
        _exit(write(fds[1], answer, sizeof answer) == sizeof answer ? 0 : 2);
    }
    close(fds[1]);
    EXPECT_EQ(read(fds[0], answer, sizeof answer), (ssize_t)sizeof answer);
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return {answer[0] != 0, answer[1]};
}

}  // namespace

// Only creating makes a file, and it truncates what was there; a file open
// for reading, or closed, takes no writes. Two copies of the game meeting
// over one file: a reader lets other readers in, an updater nobody; the file
// opened to be created is never truncated under the holder. Within one
// process the file is held just the same.
TEST(Files, OnlyCreateMakesAFileAReadOrClosedOneTakesNoWritesAndAHeldOneKeepsOthersOut)
{
    ScoreDir dir;
    const std::string path = dir.file();
    const std::vector<uint8_t> written = {'n', 'e', 'w'};
    File file;
    for (int mode : {FILE_READ, FILE_UPDATE}) {
        EXPECT_FALSE(file_open(&file, path.c_str(), mode));
        EXPECT_EQ(file_last_error(), FILE_ERROR_NOT_FOUND);
        EXPECT_EQ(file.handle, FILE_INVALID);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    write_bytes(path, std::vector<uint8_t>(25, 'o'));    // old contents that must go
    ASSERT_TRUE(file_open(&file, path.c_str(), FILE_CREATE));
    EXPECT_EQ(file_size(&file), 0);
    EXPECT_TRUE(file_write(&file, "new", 3));
    EXPECT_TRUE(file_flush(&file));
    ASSERT_TRUE(file_rewind(&file));
    char back[8] = {};
    EXPECT_EQ(file_read(&file, back, sizeof back), 3u);    // a short read says how short
    EXPECT_EQ(file_read(&file, back, sizeof back), 0u);
    EXPECT_STREQ(back, "new");
    file_close(&file);
    EXPECT_EQ(read_bytes(path), written);

    ASSERT_TRUE(file_open(&file, path.c_str(), FILE_READ));
    EXPECT_FALSE(file_write(&file, "x", 1));
    file_close(&file);
    EXPECT_EQ(file_read(&file, back, sizeof back), 0u);
    EXPECT_FALSE(file_write(&file, "x", 1));
    EXPECT_EQ(file_size(&file), -1);
    EXPECT_EQ(read_bytes(path), written);

    struct Case { int held, other; bool opened; };
    const Case cases[] = {
        {FILE_UPDATE, FILE_READ, false}, {FILE_UPDATE, FILE_UPDATE, false}, {FILE_UPDATE, FILE_CREATE, false},
        {FILE_READ, FILE_READ, true},    {FILE_READ, FILE_UPDATE, false},   {FILE_READ, FILE_CREATE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "held " << c.held << ", other " << c.other);
        File held;
        ASSERT_TRUE(file_open(&held, path.c_str(), c.held));
        auto [opened, error] = open_in_other_process(path, c.other);
        EXPECT_EQ(opened, c.opened);
        if (!c.opened) {
            EXPECT_EQ(error, FILE_ERROR_SHARING_VIOLATION);
        }
        if (c.held == FILE_UPDATE) {
            File second;
            EXPECT_FALSE(file_open(&second, path.c_str(), c.other));
            EXPECT_EQ(file_last_error(), FILE_ERROR_SHARING_VIOLATION);
            EXPECT_FALSE(file_is_open(&second));
        }
        file_close(&held);
        EXPECT_EQ(read_bytes(path), written);
    }
    EXPECT_TRUE(open_in_other_process(path, FILE_UPDATE).first) << "let go once closed";
}
