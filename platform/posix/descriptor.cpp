// The file operations that read and write an open descriptor, shared by
// the POSIX and the browser's file operations.
#include "platform/posix/descriptor.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

static thread_local int last_error = FILE_ERROR_NONE;

int descriptor_error(int errno_value)
{
    switch (errno_value) {
    case ENOENT: return FILE_ERROR_NOT_FOUND;
    case ENOTDIR: return FILE_ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return FILE_ERROR_ACCESS_DENIED;
    case EWOULDBLOCK: return FILE_ERROR_SHARING_VIOLATION;
    default: return FILE_ERROR_OTHER;
    }
}

bool descriptor_set_error(int error)
{
    last_error = error;
    return error == FILE_ERROR_NONE;
}

bool descriptor_fail(File* file, int error)
{
    file->handle = FILE_INVALID;
    last_error = error;
    return false;
}

uint32_t file_read(File* file, void* buffer, uint32_t count)
{
    if (file->handle < 0)
        return 0;
    ssize_t got;
    do
        got = read((int)file->handle, buffer, count);
    while (got < 0 && errno == EINTR);
    if (got < 0) {
        last_error = descriptor_error(errno);
        return 0;
    }
    return (uint32_t)got;
}

bool file_write(File* file, const void* buffer, uint32_t count)
{
    if (file->handle < 0)
        return false;
    // One logical write: the system may take it in pieces, the caller sees
    // whether every byte went out.
    const char* bytes = (const char*)buffer;
    uint32_t done = 0;
    while (done < count) {
        ssize_t put = write((int)file->handle, bytes + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            last_error = put < 0 ? descriptor_error(errno) : FILE_ERROR_OTHER;
            return false;
        }
        done += (uint32_t)put;
    }
    return true;
}

int64_t file_size(File* file)
{
    struct stat info;
    if (file->handle < 0 || fstat((int)file->handle, &info) != 0)
        return -1;
    return (int64_t)info.st_size;
}

bool file_rewind(File* file) { return file->handle >= 0 && lseek((int)file->handle, 0, SEEK_SET) == 0; }

bool file_is_open(const File* file) { return file->handle >= 0; }

int file_last_error() { return last_error; }
