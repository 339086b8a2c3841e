// Checks of the file operations on Windows, run under Wine by the smoke test
// (scripts/test.d/wine-smoke): the sharing modes, the error codes the game
// tests, and replacing a file that is held open, as the high-score table
// does when it saves. Run in an empty directory of its own; prints one line
// per failed check and "N passed, M failed" at the end.
#include "platform/file.h"

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

static void replacing_files()
{
    write_text("old", "old table");
    write_text("new", "new table");
    check(file_replace("new", "old"), "a file takes the place of another");
    check(read_text("old") == "new table" && read_text("new") == "<missing>", "... and only the new one is left");

    // The high-score table: the old file stays open, and so held, until the
    // new one is in place.
    write_text("HIGH50", "old rows");
    write_text("HIGH50.new", "new rows");
    File held;
    check(file_open(&held, "HIGH50", FILE_UPDATE), "the table is held for update");
    check(file_replace("HIGH50.new", "HIGH50"), "a held file is replaced by its holder");
    file_close(&held);
    check(read_text("HIGH50") == "new rows", "... and the new rows are in the file");
    check(GetFileAttributesA("HIGH50.old") == INVALID_FILE_ATTRIBUTES, "... and the old file is gone once let go");
    check(GetFileAttributesA("HIGH50.new") == INVALID_FILE_ATTRIBUTES, "... and so is the new file's own name");

    // A read-only table is replaced as a rename over it is on POSIX, and no
    // old file is left behind. (Windows refuses to move a file over a
    // read-only one, so there the old file goes aside first and must still
    // be deleted; Wine moves over it directly.)
    write_text("locked", "read-only rows");
    check(SetFileAttributesA("locked", FILE_ATTRIBUTE_READONLY) != 0, "a file is made read-only");
    write_text("locked.new", "fresh rows");
    check(file_replace("locked.new", "locked"), "a read-only file is replaced");
    check(read_text("locked") == "fresh rows", "... and the new rows are in the file");
    check(GetFileAttributesA("locked.old") == INVALID_FILE_ATTRIBUTES, "... and no old file is left aside");
    check(GetFileAttributesA("locked.new") == INVALID_FILE_ATTRIBUTES, "... nor the new file's own name");

    write_text("other", "someone else's");
    File reader;
    file_open(&reader, "other", FILE_READ);
    write_text("other.new", "ours");
    check(!file_replace("other.new", "other"), "a file held by a reader is not replaced");
    file_close(&reader);
    check(read_text("other") == "someone else's", "... and it is left as it was");
    check(file_remove("other.new") && read_text("other.new") == "<missing>", "a file is removed");
    check(!file_remove("other.new"), "a missing file is not removed");
}

int main()
{
    held_files_keep_others_out();
    readers_share_but_keep_writers_out();
    missing_files_and_folders();
    create_read_write_size_rewind();
    replacing_files();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
