// What the file operations over a file descriptor share, on POSIX systems
// and in the browser's file system: reading, writing, the size, rewinding
// and the last error. Each defines its own opening, flushing, closing and
// rewriting of a held file, where the sharing rule differs.
#pragma once

#include "platform/file.h"

// The file-error code for an errno value.
int descriptor_error(int errno_value);

// Records `error` as the last error and returns whether it is none.
bool descriptor_set_error(int error);

// Leaves `file` closed with `error` as the last error; returns false.
bool descriptor_fail(File* file, int error);
