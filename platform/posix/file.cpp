// File operations on POSIX: open(2) plus flock(2) for the sharing modes.
#include "platform/file.h"
#include "platform/posix/descriptor.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

bool file_open(File* file, const char* name, int mode)
{
    int flags = O_CLOEXEC;
    int lock = LOCK_EX;
    switch (mode) {
    case FILE_READ: flags |= O_RDONLY; lock = LOCK_SH; break;
    case FILE_UPDATE: flags |= O_RDWR; break;
    case FILE_CREATE: flags |= O_RDWR | O_CREAT; break;    // truncated once locked
    default: return descriptor_fail(file, FILE_ERROR_OTHER);
    }
    int fd = open(name, flags, 0644);
    if (fd < 0)
        return descriptor_fail(file, descriptor_error(errno));

    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        return descriptor_fail(file, FILE_ERROR_ACCESS_DENIED);
    }
    if (flock(fd, lock | LOCK_NB) != 0) {
        int e = errno;
        close(fd);
        return descriptor_fail(file, e == EWOULDBLOCK ? FILE_ERROR_SHARING_VIOLATION : descriptor_error(e));
    }
    // Locked, but perhaps a file that its holder replaced (file_rewrite_held)
    // and let go of between this open and its lock: it is no longer the file
    // of this name, and what it holds is out of date. Try again, as with a
    // held file.
    struct stat named;
    if (lock == LOCK_EX && fstat(fd, &info) == 0 &&
        (stat(name, &named) != 0 || named.st_dev != info.st_dev || named.st_ino != info.st_ino)) {
        close(fd);
        return descriptor_fail(file, FILE_ERROR_SHARING_VIOLATION);
    }
    if (mode == FILE_CREATE && ftruncate(fd, 0) != 0) {
        int e = errno;
        close(fd);
        return descriptor_fail(file, descriptor_error(e));
    }
    file->handle = fd;
    return descriptor_set_error(FILE_ERROR_NONE);
}

bool file_flush(File* file)
{
    if (file->handle < 0)
        return false;
    if (fsync((int)file->handle) != 0 && errno != EINVAL && errno != EROFS)
        return descriptor_set_error(descriptor_error(errno));
    return true;
}

void file_close(File* file)
{
    if (file->handle >= 0)
        close((int)file->handle);    // closing also drops the lock
    file->handle = FILE_INVALID;
}

// The new content goes into a file of its own first and then takes the
// held file's place in one step, so a write that fails half-way (a full
// disk) never leaves a half-written file behind. The held file keeps its
// lock until its holder closes it; a program that opened it just before it
// was replaced finds it gone when it takes the lock (file_open) and tries
// again, so nobody reads or writes the replaced file.
bool file_rewrite_held(File* file, const char* name, const void* bytes, uint32_t count)
{
    if (file->handle < 0)
        return descriptor_set_error(FILE_ERROR_OTHER);
    char fresh[PATH_MAX];    // on the stack: saving a table allocates nothing
    if (std::snprintf(fresh, sizeof fresh, "%s.new", name) >= (int)sizeof fresh)
        return descriptor_set_error(FILE_ERROR_OTHER);
    File out;
    if (!file_open(&out, fresh, FILE_CREATE))
        return false;
    bool written = file_write(&out, bytes, count) && file_flush(&out);
    file_close(&out);
    if (written && rename(fresh, name) != 0)
        written = descriptor_set_error(descriptor_error(errno));
    if (!written)
        unlink(fresh);
    return written;
}
