// File operations in the browser: the POSIX calls over the browser's file
// system, with the sharing rule kept across tabs.
//
// The table's folder (WEB_STORE_DIR) is kept in IndexedDB and every tab of
// the game has its own copy of it in memory. A file there is held through
// the page's Web Locks (navigator.locks), named by its path: while one tab
// holds a file without sharing, another tab's open fails with the sharing
// violation, as another process's would. A tab that takes a file first reads
// the folder back from IndexedDB (another tab may have changed it), and a
// file opened for writing is written back before it is let go, so the next
// tab to hold it sees every row.
#include "platform/file.h"
#include "platform/posix/descriptor.h"
#include "platform/web/web_backend.h"

#include <emscripten.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

EM_ASYNC_JS(int, web_lock_take, (const char* name, int exclusive), {
    return await Module.flickermoth.lockTake(UTF8ToString(name), exclusive);
});
EM_JS(void, web_lock_release, (int lock), { Module.flickermoth.lockRelease(lock); });
EM_ASYNC_JS(void, web_store_load, (), { await Module.flickermoth.storeLoad(); });
EM_ASYNC_JS(void, web_store_save, (), { await Module.flickermoth.storeSave(); });

namespace {

// What a tab holds in the kept folder, by descriptor.
struct Held {
    int lock;
    bool written;
};
std::map<int, Held> held;

bool in_store(const char* name) { return std::strncmp(name, WEB_STORE_DIR, std::strlen(WEB_STORE_DIR)) == 0; }

void let_go(int fd)
{
    auto h = held.find(fd);
    if (h == held.end())
        return;
    if (h->second.written)
        web_store_save();
    web_lock_release(h->second.lock);
    held.erase(h);
}

}  // namespace

bool file_open(File* file, const char* name, int mode)
{
    int flags = O_CLOEXEC;
    switch (mode) {
    case FILE_READ: flags |= O_RDONLY; break;
    case FILE_UPDATE: flags |= O_RDWR; break;
    case FILE_CREATE: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    default: return descriptor_fail(file, FILE_ERROR_OTHER);
    }
    int lock = 0;
    bool store = in_store(name);
    if (store) {
        // Held first, before anything could be truncated.
        lock = web_lock_take((std::string("flickermoth ") + name).c_str(), mode != FILE_READ);
        if (!lock)
            return descriptor_fail(file, FILE_ERROR_SHARING_VIOLATION);
        if (held.empty())
            web_store_load();
    }
    int fd = open(name, flags, 0644);
    int e = errno;
    struct stat info;
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        fd = -1;
        e = EISDIR;
    }
    if (fd < 0) {
        if (store)
            web_lock_release(lock);
        return descriptor_fail(file, descriptor_error(e));
    }
    if (store)
        held[fd] = Held{lock, mode != FILE_READ};
    file->handle = fd;
    return descriptor_set_error(FILE_ERROR_NONE);
}

// The folder is written back to IndexedDB when the file is let go.
bool file_flush(File* file) { return file->handle >= 0; }

void file_close(File* file)
{
    if (file->handle >= 0) {
        close((int)file->handle);
        let_go((int)file->handle);
    }
    file->handle = FILE_INVALID;
}

// A tab's copy of the folder lives in memory, so the held file is simply
// written over in place; the folder goes back to IndexedDB when it is let go.
bool file_rewrite_held(File* file, const char*, const void* bytes, uint32_t count)
{
    if (file->handle < 0)
        return descriptor_set_error(FILE_ERROR_OTHER);
    int fd = (int)file->handle;
    if (lseek(fd, 0, SEEK_SET) != 0 || ftruncate(fd, 0) != 0)
        return descriptor_set_error(descriptor_error(errno));
    return file_write(file, bytes, count);
}
