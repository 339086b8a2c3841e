// Checks of the file operations on Windows, run under Wine by the smoke test
// (scripts/test.d/wine-smoke): the sharing modes, the error codes the game
// tests, new content written into a file that is held open, as the
// high-score table does when it saves, and two copies saving the table at
// once. Run in an empty directory of its own; prints one line per failed
// check and "N passed, M failed" at the end.
#include "platform/file.h"
#include "testkit/hiscore_hammer.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

static int passed = 0, failed = 0;

static void check(bool ok, const char* what)
{
    if (ok) {
        passed++;
    } else {
        failed++;
        std::printf("FAILED: %s\n", what);
    }
}

static void write_text(const char* name, const char* text)
{
    File file;
    file_open(&file, name, FILE_CREATE);
    file_write(&file, text, (uint32_t)std::strlen(text));
    file_close(&file);
}

static std::string read_text(const char* name)
{
    File file;
    if (!file_open(&file, name, FILE_READ))
        return "<missing>";
    char buffer[256] = {};
    uint32_t got = file_read(&file, buffer, sizeof buffer - 1);
    file_close(&file);
    return std::string(buffer, got);
}

static void held_files_keep_others_out()
{
    write_text("table", "fifteen best results");
    File held, other;
    check(file_open(&held, "table", FILE_UPDATE), "a file opens for update");
    check(!file_open(&other, "table", FILE_UPDATE), "a held file does not open for update again");
    check(file_last_error() == FILE_ERROR_SHARING_VIOLATION, "... and the error is the sharing violation");
    check(other.handle == FILE_INVALID, "... and the invalid handle is kept");
    check(!file_open(&other, "table", FILE_READ), "a held file does not open for reading");
    check(!file_open(&other, "table", FILE_CREATE), "a held file is not created anew");
    check(file_last_error() == FILE_ERROR_SHARING_VIOLATION, "... and the error is the sharing violation");
    file_close(&held);
    check(read_text("table") == "fifteen best results", "a held file is never truncated by another open");
    check(file_open(&other, "table", FILE_UPDATE), "a file let go opens for update");
    file_close(&other);
}

static void readers_share_but_keep_writers_out()
{
    write_text("recording", "moves");
    File reader, second;
    check(file_open(&reader, "recording", FILE_READ), "a file opens for reading");
    check(file_open(&second, "recording", FILE_READ), "two readers share a file");
    file_close(&second);
    check(!file_open(&second, "recording", FILE_UPDATE), "a file being read does not open for update");
    check(file_last_error() == FILE_ERROR_SHARING_VIOLATION, "... and the error is the sharing violation");
    check(!file_write(&reader, "x", 1), "a file opened for reading takes no writes");
    file_close(&reader);
}

static void missing_files_and_folders()
{
    File file;
    check(!file_open(&file, "missing", FILE_READ), "a missing file does not open for reading");
    check(file_last_error() == FILE_ERROR_NOT_FOUND, "... and the error is not found");
    check(!file_open(&file, "missing", FILE_UPDATE), "a missing file does not open for update");
    check(read_text("missing") == "<missing>", "... and neither mode creates it");
    check(!file_open(&file, "no-such-folder\\file", FILE_CREATE), "a file in a missing folder is not created");
    check(file_last_error() == FILE_ERROR_PATH_NOT_FOUND, "... and the error is path not found");
    CreateDirectoryA("folder", nullptr);
    check(!file_open(&file, "folder", FILE_READ), "a folder does not open as a file");
    check(file_last_error() == FILE_ERROR_ACCESS_DENIED, "... and the error is access denied");
}

static void create_read_write_size_rewind()
{
    File file;
    check(file_open(&file, "fresh", FILE_CREATE), "a file is created");
    check(file_size(&file) == 0, "a new file is empty");
    check(file_write(&file, "new moths", 9), "all bytes are written");
    check(file_flush(&file), "the file is flushed to the disk");
    check(file_size(&file) == 9, "the size counts the written bytes");
    check(file_rewind(&file), "the position goes back to the start");
    char back[16] = {};
    check(file_read(&file, back, sizeof back) == 9 && std::strcmp(back, "new moths") == 0, "the bytes read back");
    check(file_read(&file, back, sizeof back) == 0, "nothing is read at the end");
    file_close(&file);
    check(!file_is_open(&file) && file_read(&file, back, 4) == 0 && file_size(&file) == -1, "a closed file does nothing");
    check(file_open(&file, "fresh", FILE_CREATE) && file_size(&file) == 0, "create truncates an existing file");
    file_close(&file);
}

static void rewriting_held_files()
{
    // The high-score table: new rows go in while the file stays held.
    write_text("HIGH50", "the old rows, longer than the new");
    File held, other;
    check(file_open(&held, "HIGH50", FILE_UPDATE), "the table is held for update");
    check(file_rewrite_held(&held, "HIGH50", "new rows", 8), "a held file takes new content");
    check(!file_open(&other, "HIGH50", FILE_READ), "... and stays held meanwhile");
    check(file_last_error() == FILE_ERROR_SHARING_VIOLATION, "... and the error is the sharing violation");
    file_close(&held);
    check(read_text("HIGH50") == "new rows", "... and holds exactly the new content once let go");
    file_open(&held, "HIGH50", FILE_UPDATE);
    check(file_rewrite_held(&held, "HIGH50", "more rows than before", 21), "a held file grows");
    file_close(&held);
    check(read_text("HIGH50") == "more rows than before", "... and holds the longer content");
    check(GetFileAttributesA("HIGH50.new") == INVALID_FILE_ATTRIBUTES &&
              GetFileAttributesA("HIGH50.old") == INVALID_FILE_ATTRIBUTES,
          "... and no other file is left beside it");
    File closed = {FILE_INVALID};
    check(!file_rewrite_held(&closed, "HIGH50", "x", 1), "a file not held takes no content");
}

// Two copies of the game (this program started again with "hammer") load
// and save one table as fast as they can, through the game's own table code.
static const int HAMMER_ROUNDS = 200;

static int hammer_copy()
{
    std::string fault = hammer_table(HAMMER_ROUNDS);
    if (!fault.empty())
        std::printf("the other copy: %s\n", fault.c_str());
    return fault.empty() ? 0 : 1;
}

static void two_copies_saving_at_once()
{
    CreateDirectoryA("hammer", nullptr);
    SetCurrentDirectoryA("hammer");
    check(hammer_start(), "a fresh table is saved");
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self + "\" hammer";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION other = {};
    bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &other);
    check(started, "a second copy starts");
    std::string fault = hammer_table(HAMMER_ROUNDS);
    if (!fault.empty())
        std::printf("this copy: %s\n", fault.c_str());
    check(fault.empty(), "two copies saving at once: this one finds a whole table every time");
    DWORD code = 1;
    if (started) {
        WaitForSingleObject(other.hProcess, INFINITE);
        GetExitCodeProcess(other.hProcess, &code);
        CloseHandle(other.hProcess);
        CloseHandle(other.hThread);
    }
    check(code == 0, "... and so does the other");
    int32_t rounds = -1;
    check(hiscore_load() == HISCORE_LOADED && hammer_whole(&rounds) && rounds == 2 * HAMMER_ROUNDS,
          "... and no round of either is lost");
    hiscore_close();
    SetCurrentDirectoryA("..");
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "hammer") == 0)
        return hammer_copy();
    held_files_keep_others_out();
    readers_share_but_keep_writers_out();
    missing_files_and_folders();
    create_read_write_size_rewind();
    rewriting_held_files();
    two_copies_saving_at_once();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
