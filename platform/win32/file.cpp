// File operations on Windows: CreateFileA with the sharing modes of each
// mode, so that a file held without sharing fails to open elsewhere with
// ERROR_SHARING_VIOLATION.
#include "platform/file.h"

#include <windows.h>

static_assert(FILE_ERROR_NOT_FOUND == ERROR_FILE_NOT_FOUND && FILE_ERROR_PATH_NOT_FOUND == ERROR_PATH_NOT_FOUND &&
              FILE_ERROR_ACCESS_DENIED == ERROR_ACCESS_DENIED &&
              FILE_ERROR_SHARING_VIOLATION == ERROR_SHARING_VIOLATION,
              "the game tests the system's own error numbers");
// FILE_INVALID (-1) is INVALID_HANDLE_VALUE as a number.

static thread_local int last_error = FILE_ERROR_NONE;

static int error_from_system(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return (int)error;
    default:
        return FILE_ERROR_OTHER;
    }
}

static HANDLE handle_of(const File* file) { return (HANDLE)file->handle; }

bool file_open(File* file, const char* name, int mode)
{
    DWORD access, sharing, disposition;
    switch (mode) {
    case FILE_READ: access = GENERIC_READ; sharing = FILE_SHARE_READ; disposition = OPEN_EXISTING; break;
    case FILE_UPDATE: access = GENERIC_READ | GENERIC_WRITE; sharing = FILE_SHARE_DELETE; disposition = OPEN_EXISTING; break;
    case FILE_CREATE: access = GENERIC_READ | GENERIC_WRITE; sharing = FILE_SHARE_DELETE; disposition = CREATE_ALWAYS; break;
    default:
        file->handle = FILE_INVALID;
        last_error = FILE_ERROR_OTHER;
        return false;
    }
    HANDLE handle = CreateFileA(name, access, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    // The handle is kept even when it is invalid.
    file->handle = (intptr_t)handle;
    if (handle == INVALID_HANDLE_VALUE) {
        last_error = error_from_system(GetLastError());
        return false;
    }
    last_error = FILE_ERROR_NONE;
    return true;
}

uint32_t file_read(File* file, void* buffer, uint32_t count)
{
    if (!file_is_open(file))
        return 0;
    DWORD got = 0;
    if (!ReadFile(handle_of(file), buffer, count, &got, nullptr)) {
        last_error = error_from_system(GetLastError());
        return 0;
    }
    return (uint32_t)got;
}

bool file_write(File* file, const void* buffer, uint32_t count)
{
    if (!file_is_open(file))
        return false;
    DWORD put = 0;
    if (!WriteFile(handle_of(file), buffer, count, &put, nullptr)) {
        last_error = error_from_system(GetLastError());
        return false;
    }
    if (put != count) {
        last_error = FILE_ERROR_OTHER;
        return false;
    }
    return true;
}

bool file_flush(File* file)
{
    if (!file_is_open(file))
        return false;
    if (!FlushFileBuffers(handle_of(file))) {
        last_error = error_from_system(GetLastError());
        return false;
    }
    return true;
}

int64_t file_size(File* file)
{
    if (!file_is_open(file))
        return -1;
    DWORD high = 0;
    DWORD low = GetFileSize(handle_of(file), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return -1;
    return (int64_t)((uint64_t)high << 32 | low);
}

bool file_rewind(File* file)
{
    if (!file_is_open(file))
        return false;
    LONG high = 0;
    DWORD at = SetFilePointer(handle_of(file), 0, &high, FILE_BEGIN);
    return !(at == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

void file_close(File* file)
{
    if (file_is_open(file))
        CloseHandle(handle_of(file));
    file->handle = FILE_INVALID;
}

bool file_is_open(const File* file) { return file->handle != FILE_INVALID && file->handle != 0; }

int file_last_error() { return last_error; }

static bool set_length(HANDLE handle, uint32_t length)
{
    LARGE_INTEGER at;
    at.QuadPart = length;
    if (SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) && SetEndOfFile(handle))
        return true;
    last_error = error_from_system(GetLastError());
    return false;
}

// Windows never renames a file over one that is open, and a file moved
// aside for a moment is a moment in which another program finds no file at
// all (and makes an empty one in its place). So the new content goes in
// through the handle that holds the file, which no other program can open
// until it is closed. The file is first made long enough for the new
// content, so that a full disk fails before a byte of the old is touched.
bool file_rewrite_held(File* file, const char* name, const void* bytes, uint32_t count)
{
    (void)name;
    int64_t size = file_size(file);
    if (size < 0) {
        last_error = FILE_ERROR_OTHER;
        return false;
    }
    if (size < count && !set_length(handle_of(file), count))
        return false;
    if (!file_rewind(file)) {
        last_error = FILE_ERROR_OTHER;
        return false;
    }
    return file_write(file, bytes, count) && set_length(handle_of(file), count) && file_flush(file);
}
