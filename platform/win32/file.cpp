// File operations on Windows: CreateFileA with the sharing modes of each
// mode, so that a file held without sharing fails to open elsewhere with
// ERROR_SHARING_VIOLATION.
//
// A held file (FILE_UPDATE, FILE_CREATE) shares nobody reading or writing it,
// but it may be renamed: Windows never renames a file over one that is open,
// and the high-score table keeps its old file open, and so held, until the
// new one has taken its place. file_replace moves the held file aside
// instead, puts the new one in its place and deletes the old one, which
// goes when its holder closes it.
#include "platform/file.h"

#include <windows.h>

#include <string>

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

// `to` is open (held by this program), or read-only: it steps aside under a name of its
// own, `from` takes its place, and the old file is deleted. Should the name
// have been taken in the moment between, the old file goes back.
static bool replace_held(const char* from, const char* to)
{
    std::string aside = std::string(to) + ".old";
    if (!MoveFileExA(to, aside.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    if (!MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        MoveFileExA(aside.c_str(), to, 0);
        SetLastError(error);
        return false;
    }
    if (!DeleteFileA(aside.c_str())) {
        // A read-only old file is let go of like any other, as a rename
        // over it does on POSIX; nothing is left behind under the aside name.
        SetFileAttributesA(aside.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(aside.c_str());
    }
    return true;
}

bool file_replace(const char* from, const char* to)
{
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DWORD error = GetLastError();
    if ((error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) && replace_held(from, to))
        return true;
    last_error = error_from_system(GetLastError());
    return false;
}

bool file_remove(const char* name) { return DeleteFileA(name) != 0; }
