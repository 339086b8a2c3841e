// What the Windows program reads at start-up and from the registry, as
// plain text rules that need no Windows headers (the tests check them on
// any system).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The argument text of a whole command line: what follows the program's own
// name and the blanks after it. A quoted name is skipped up to its closing
// quote, an unquoted one up to the first blank. Bytes above 127 are text.
std::string win32_argument_text(const char* command_line);

// The key under HKEY_LOCAL_MACHINE whose default value is the installation
// directory: the collection's own with quick start, else the game's.
std::string win32_install_key(bool quick);

// The key that holds "RegisteredOwner", for the value GetVersion returned:
// its high bit is clear on Windows NT systems.
std::string win32_owner_key(uint32_t version);

// Registry text as read into `buffer` (`stored` bytes, the NUL included or
// not) made a NUL-terminated string within `capacity` bytes. False when
// it does not fit: the caller then treats the value as missing.
bool win32_registry_text(char* buffer, uint32_t stored, size_t capacity);
