// The two registry values the game reads, read only: the installation
// directory of the collection (or of the game in it), and the name the
// system was registered to.
#include "platform/win32/internal.h"
#include "platform/win32/startup.h"

#include <string>

namespace {

// The room the game gives the directory: 261 bytes with the file name.
constexpr size_t INSTALL_DIR_BYTES = 261;
// A name longer than 31 characters does not count as read.
constexpr size_t OWNER_NAME_BYTES = 32;

bool read_text(HKEY key, const char* value_name, char* buffer, size_t size)
{
    DWORD type = 0;
    DWORD stored = (DWORD)size;
    if (RegQueryValueExA(key, value_name, nullptr, &type, (BYTE*)buffer, &stored) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    return win32_registry_text(buffer, stored, size);
}

}  // namespace

int win32_read_install_dir(int quick, char* buffer, size_t size)
{
    if (size > INSTALL_DIR_BYTES)
        size = INSTALL_DIR_BYTES;
    HKEY key;
    std::string name = win32_install_key(quick != 0);
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, name.c_str(), &key) != ERROR_SUCCESS)
        return 0;
    bool read = read_text(key, nullptr, buffer, size);
    RegCloseKey(key);
    return read ? 1 : 0;
}

// An existing but empty value is a name too: the row's name stays empty.
int win32_read_owner_name(char* buffer, size_t size)
{
    if (size > OWNER_NAME_BYTES)
        size = OWNER_NAME_BYTES;
    HKEY key;
    std::string name = win32_owner_key((uint32_t)GetVersion());
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    bool read = read_text(key, "RegisteredOwner", buffer, size);
    RegCloseKey(key);
    return read ? 1 : 0;
}
