#include "platform/win32/startup.h"

static bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string win32_argument_text(const char* command_line)
{
    if (!command_line)
        return "";
    const char* at = command_line;
    if (*at == '"') {
        at++;
        while (*at && *at != '"')
            at++;
        if (*at == '"')
            at++;
    } else {
        while (*at && !is_blank(*at))
            at++;
    }
    while (is_blank(*at))
        at++;
    return at;
}

std::string win32_install_key(bool quick)
{
    std::string key = "SOFTWARE\\Brenmoor\\Tinhoard";
    if (!quick)
        key += "-FlickerMoth";
    return key;
}

std::string win32_owner_key(uint32_t version)
{
    std::string key = "SOFTWARE\\Microsoft\\Windows";
    if ((version & 0x80000000u) == 0)
        key += " NT";
    return key + "\\CurrentVersion";
}

bool win32_registry_text(char* buffer, uint32_t stored, size_t capacity)
{
    if (capacity == 0 || stored > capacity)
        return false;
    // A string value normally carries its NUL, but nothing makes the one who
    // wrote it store one.
    for (uint32_t i = 0; i < stored; i++)
        if (buffer[i] == 0)
            return true;
    if (stored == capacity)
        return false;
    buffer[stored] = 0;
    return true;
}
