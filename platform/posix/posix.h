// What POSIX systems give the real backends and the program's entry point:
// where the game keeps its table, who the player is, starting another
// program, and where the program itself lies.
#pragma once

#include <string>

// The installation directory, ending in '/': $FLICKERMOTH_DIR if set, else
// $XDG_DATA_HOME/flickermoth/ (~/.local/share/flickermoth/ by default). With
// quick start the collection's own: $TINHOARD_DIR, else tinhoard/ beside it.
// Created when missing; empty when it cannot be had.
std::string posix_install_dir(bool quick);
// The player's pictures directory, ending in '/', as the desktop names it
// in user-dirs.dirs (XDG_PICTURES_DIR="$HOME/Pictures"), else ~/Pictures;
// empty when there is none.
std::string posix_pictures_dir();
// Whether `path` names a directory; an ordinary file.
bool posix_is_directory(const std::string& path);
bool posix_is_file(const std::string& path);
// The account's full name, else its login name, in Windows-1251; empty when
// there is none.
std::string posix_owner_name();
// The collection's installation folder, as quick start finds it
// ($TINHOARD_DIR, else tinhoard/ beside the game's own folder), ending in
// '/', when it is a whole path to a folder that is there; else empty.
// Nothing is made.
std::string posix_collection_dir();
// Starts `command` (a program name and its arguments, split at spaces) in
// the background, only if a program of that name lies in the collection's
// folder; the search path and the current directory are never looked in.
// 1 when it was started.
int posix_start_program(const char* command);
// A new, empty directory of our own under $TMPDIR (else /tmp), named
// `prefix` and a unique ending; its path ending in '/', or empty.
std::string posix_make_temp_dir(const char* prefix);
// The directory the running program lies in, ending in '/', or empty.
std::string posix_program_dir();
// The directory the game keeps its settings in, ending in '/':
// $XDG_CONFIG_HOME/flickermoth/ (an absolute path only), else
// ~/.config/flickermoth/. Not created here; empty without a home.
std::string posix_config_dir();
// Reads a small text file whole: 1 read, 0 there is no such file, -1 it
// could not be read or is longer than `limit` bytes (`error` says which).
int posix_read_text(const std::string& path, size_t limit, std::string* text, std::string* error);
// Writes a file so that it is always either the old one or the new one
// whole: a temporary file beside it, flushed to the disk, then renamed over
// it. Missing directories are made. False, with `error`, when it could not.
bool posix_write_atomically(const std::string& path, const std::string& text, std::string* error);
