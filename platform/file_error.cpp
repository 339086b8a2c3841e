// File errors in words, the same on every system.
#include "platform/file.h"

const char* file_error_text(int code)
{
    switch (code) {
    case FILE_ERROR_NOT_FOUND: return "not found";
    case FILE_ERROR_PATH_NOT_FOUND: return "path not found";
    case FILE_ERROR_ACCESS_DENIED: return "access denied";
    case FILE_ERROR_SHARING_VIOLATION: return "in use by another program";
    default: return "system error";
    }
}
