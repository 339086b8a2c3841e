// File operations on POSIX: open(2) plus flock(2) for the sharing modes.
#include "platform/file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

static thread_local int last_error = FILE_ERROR_NONE;

static int error_from_errno(int e)
{
    switch (e) {
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

static bool fail(File* file, int error)
{
    file->handle = FILE_INVALID;
    last_error = error;
    return false;
}

bool file_open(File* file, const char* name, int mode)
{
    int flags = O_CLOEXEC;
    int lock = LOCK_EX;
    switch (mode) {
    case FILE_READ: flags |= O_RDONLY; lock = LOCK_SH; break;
    case FILE_UPDATE: flags |= O_RDWR; break;
    case FILE_CREATE: flags |= O_RDWR | O_CREAT; break;    // truncated once locked
    default: return fail(file, FILE_ERROR_OTHER);
    }
    int fd = open(name, flags, 0644);
    if (fd < 0)
        return fail(file, error_from_errno(errno));

    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        return fail(file, FILE_ERROR_ACCESS_DENIED);
    }
    if (flock(fd, lock | LOCK_NB) != 0) {
        int e = errno;
        close(fd);
        return fail(file, e == EWOULDBLOCK ? FILE_ERROR_SHARING_VIOLATION : error_from_errno(e));
    }
    // Locked, but perhaps a file that its holder replaced (file_rewrite_held)
    // and let go of between this open and its lock: it is no longer the file
    // of this name, and what it holds is out of date. Try again, as with a
    // held file.
    struct stat named;
    if (lock == LOCK_EX && fstat(fd, &info) == 0 &&
        (stat(name, &named) != 0 || named.st_dev != info.st_dev || named.st_ino != info.st_ino)) {
        close(fd);
        return fail(file, FILE_ERROR_SHARING_VIOLATION);
    }
    if (mode == FILE_CREATE && ftruncate(fd, 0) != 0) {
        int e = errno;
        close(fd);
        return fail(file, error_from_errno(e));
    }
    file->handle = fd;
    last_error = FILE_ERROR_NONE;
    return true;
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
        last_error = error_from_errno(errno);
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
            last_error = put < 0 ? error_from_errno(errno) : FILE_ERROR_OTHER;
            return false;
        }
        done += (uint32_t)put;
    }
    return true;
}

bool file_flush(File* file)
{
    if (file->handle < 0)
        return false;
    if (fsync((int)file->handle) != 0 && errno != EINVAL && errno != EROFS) {
        last_error = error_from_errno(errno);
        return false;
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

bool file_rewind(File* file)
{
    return file->handle >= 0 && lseek((int)file->handle, 0, SEEK_SET) == 0;
}

void file_close(File* file)
{
    if (file->handle >= 0)
        close((int)file->handle);    // closing also drops the lock
    file->handle = FILE_INVALID;
}

bool file_is_open(const File* file) { return file->handle >= 0; }

int file_last_error() { return last_error; }

// The new content goes into a file of its own first and then takes the
// held file's place in one step, so a write that fails half-way (a full
// disk) never leaves a half-written file behind. The held file keeps its
// lock until its holder closes it; a program that opened it just before it
// was replaced finds it gone when it takes the lock (file_open) and tries
// again, so nobody reads or writes the replaced file.
bool file_rewrite_held(File* file, const char* name, const void* bytes, uint32_t count)
{
    if (file->handle < 0) {
        last_error = FILE_ERROR_OTHER;
        return false;
    }
    char fresh[PATH_MAX];    // on the stack: saving a table allocates nothing
    if (std::snprintf(fresh, sizeof fresh, "%s.new", name) >= (int)sizeof fresh) {
        last_error = FILE_ERROR_OTHER;
        return false;
    }
    File out;
    if (!file_open(&out, fresh, FILE_CREATE))
        return false;
    bool written = file_write(&out, bytes, count) && file_flush(&out);
    file_close(&out);
    if (written && rename(fresh, name) != 0) {
        last_error = error_from_errno(errno);
        written = false;
    }
    if (!written)
        unlink(fresh);
    return written;
}
