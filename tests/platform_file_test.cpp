// The file operations, including sharing between processes.
#include "platform/file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct TempDir {
    std::string path;
    TempDir()
    {
        char name[] = "/tmp/flickermoth-file-XXXXXX";
        path = mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const char* name) const { return path + "/" + name; }
};

void write_file(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

std::string read_file(const std::string& path)
{
    std::string text;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return "<missing>";
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    return text;
}

// Runs `open` in a child process with `mode` and reports (opened, error), so
// the lock is tested across processes as two copies of the game would meet.
std::pair<bool, int> open_in_other_process(const std::string& path, int mode)
{
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    pid_t child = fork();
    if (child == 0) {
        File file;
        int answer[2];
        answer[0] = file_open(&file, path.c_str(), mode);
        answer[1] = file_last_error();
        if (write(fds[1], answer, sizeof answer) != sizeof answer)
            _exit(2);
        _exit(0);
    }
    close(fds[1]);
    int answer[2] = {-1, -1};
    EXPECT_EQ(read(fds[0], answer, sizeof answer), (ssize_t)sizeof answer);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {answer[0] != 0, answer[1]};
}

}  // namespace

TEST(FileSharing, AFileHeldForUpdateCannotBeOpenedByAnotherProcess)
{
    TempDir dir;
    std::string path = dir.file("HIGH50");
    write_file(path, "table");
    File held;
    ASSERT_TRUE(file_open(&held, path.c_str(), FILE_UPDATE));

    for (int mode : {FILE_READ, FILE_UPDATE, FILE_CREATE}) {
        auto [opened, error] = open_in_other_process(path, mode);
        EXPECT_FALSE(opened) << "mode " << mode;
        EXPECT_EQ(error, FILE_ERROR_SHARING_VIOLATION) << "mode " << mode;
    }
    file_close(&held);
    auto [opened, error] = open_in_other_process(path, FILE_UPDATE);
    EXPECT_TRUE(opened) << "error " << error;
}

TEST(FileSharing, CreateNeverTruncatesAFileAnotherProcessHolds)
{
    TempDir dir;
    std::string path = dir.file("HIGH50");
    write_file(path, "fifteen best results");
    File held;
    ASSERT_TRUE(file_open(&held, path.c_str(), FILE_UPDATE));
    auto [opened, error] = open_in_other_process(path, FILE_CREATE);
    EXPECT_FALSE(opened);
    EXPECT_EQ(error, FILE_ERROR_SHARING_VIOLATION);
    file_close(&held);
    EXPECT_EQ(read_file(path), "fifteen best results");
}

TEST(FileSharing, ReadersShareButKeepWritersOut)
{
    TempDir dir;
    std::string path = dir.file("DATA52.RES");
    write_file(path, "recording");
    File reader;
    ASSERT_TRUE(file_open(&reader, path.c_str(), FILE_READ));
    EXPECT_TRUE(open_in_other_process(path, FILE_READ).first);
    auto [opened, error] = open_in_other_process(path, FILE_UPDATE);
    EXPECT_FALSE(opened);
    EXPECT_EQ(error, FILE_ERROR_SHARING_VIOLATION);
    file_close(&reader);
}

TEST(FileSharing, AHeldFileIsHeldWithinTheSameProcessToo)
{
    TempDir dir;
    std::string path = dir.file("HIGH50");
    write_file(path, "x");
    File first, second;
    ASSERT_TRUE(file_open(&first, path.c_str(), FILE_UPDATE));
    EXPECT_FALSE(file_open(&second, path.c_str(), FILE_UPDATE));
    EXPECT_EQ(file_last_error(), FILE_ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(file_is_open(&second));
    file_close(&first);
}

TEST(FileModes, ReadingOrUpdatingAMissingFileFailsAsNotFound)
{
    TempDir dir;
    std::string path = dir.file("missing");
    File file;
    EXPECT_FALSE(file_open(&file, path.c_str(), FILE_READ));
    EXPECT_EQ(file_last_error(), FILE_ERROR_NOT_FOUND);
    EXPECT_EQ(file.handle, FILE_INVALID);
    EXPECT_FALSE(file_open(&file, path.c_str(), FILE_UPDATE));
    EXPECT_EQ(file_last_error(), FILE_ERROR_NOT_FOUND);
    EXPECT_EQ(read_file(path), "<missing>");    // neither mode creates it
}

TEST(FileModes, CreateMakesOrTruncatesAndBothReadsAndWrites)
{
    TempDir dir;
    std::string path = dir.file("HIGH50");
    write_file(path, "old contents that must go");
    File file;
    ASSERT_TRUE(file_open(&file, path.c_str(), FILE_CREATE));
    EXPECT_EQ(file_size(&file), 0);
    EXPECT_TRUE(file_write(&file, "new", 3));
    EXPECT_TRUE(file_flush(&file));
    ASSERT_TRUE(file_rewind(&file));
    char back[8] = {};
    EXPECT_EQ(file_read(&file, back, sizeof back), 3u);
    EXPECT_STREQ(back, "new");
    file_close(&file);
    EXPECT_EQ(read_file(path), "new");

    ASSERT_TRUE(file_open(&file, dir.file("fresh").c_str(), FILE_CREATE));
    file_close(&file);
    EXPECT_EQ(read_file(dir.file("fresh")), "");
}

TEST(FileModes, ReadReportsShortReadsAndAClosedFileDoesNothing)
{
    TempDir dir;
    std::string path = dir.file("short");
    write_file(path, "abc");
    File file;
    ASSERT_TRUE(file_open(&file, path.c_str(), FILE_READ));
    char buffer[10];
    EXPECT_EQ(file_read(&file, buffer, 10), 3u);
    EXPECT_EQ(file_read(&file, buffer, 10), 0u);
    EXPECT_FALSE(file_write(&file, "x", 1));    // opened for reading only
    file_close(&file);
    EXPECT_EQ(file_read(&file, buffer, 10), 0u);
    EXPECT_FALSE(file_write(&file, "x", 1));
    EXPECT_EQ(file_size(&file), -1);
}
