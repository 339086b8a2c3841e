// Shared file operations: the game's only way to files (resource packs, the
// input recording, the high-score table).
//
// The sharing column is real between processes: a file held without sharing
// cannot be opened again, by this or another process, until it is closed, and
// that failure is reported as FILE_ERROR_SHARING_VIOLATION, never as "not
// found". On POSIX this is an advisory lock taken right after opening and
// before any truncation, so no second process can truncate a held file.
#pragma once

#include <cstdint>

enum FileMode {
    FILE_READ,      // read; others may read; the file must exist
    FILE_UPDATE,    // read and write; no sharing; the file must exist
    FILE_CREATE,    // read and write; no sharing; created or truncated
};

// System error codes, as the game tests them.
enum {
    FILE_ERROR_NONE = 0,
    FILE_ERROR_NOT_FOUND = 2,
    FILE_ERROR_PATH_NOT_FOUND = 3,
    FILE_ERROR_ACCESS_DENIED = 5,
    FILE_ERROR_SHARING_VIOLATION = 32,
    FILE_ERROR_OTHER = 31,
};

struct File {
    intptr_t handle;    // the platform handle, kept even when invalid (-1)
};

constexpr intptr_t FILE_INVALID = -1;

// Opens `name` in `mode`; stores the handle even when it is invalid and
// returns whether it is valid. On failure file_last_error() tells why.
bool file_open(File* file, const char* name, int mode);
// One read of up to `count` bytes; returns how many were read (0 on error).
uint32_t file_read(File* file, void* buffer, uint32_t count);
// One write; true when all `count` bytes were written.
bool file_write(File* file, const void* buffer, uint32_t count);
// Writes what the system holds for the file to the disk; true on success.
bool file_flush(File* file);
// Size in bytes, or -1 when it cannot be had.
int64_t file_size(File* file);
// Moves the position to the start of the file; true on success.
bool file_rewind(File* file);
void file_close(File* file);
bool file_is_open(const File* file);

// The error of the last failed file call on this thread.
int file_last_error();
// An error code in words, for messages: "not found", "access denied", ...
const char* file_error_text(int code);

// Makes `count` bytes from `bytes` the whole content of the file that
// `file` holds without sharing (opened for update or created under the name
// `name`), never letting go of it on the way: another program that tries
// the file meanwhile finds it held, and afterwards finds the new content,
// whole. A failure for want of room (a full disk) leaves the old content
// whole. `file` stays open (its position undefined); the caller closes it.
bool file_rewrite_held(File* file, const char* name, const void* bytes, uint32_t count);
