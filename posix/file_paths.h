#pragma once
// The small POSIX pieces that the window's file commands and deduzu-sprite both write files
// with: the path a write really goes to, the folder its temporary file goes in, the mode of a
// new file, and a write that hands over every byte.

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>

// Writes all of `bytes` to the descriptor, again after an interrupted or short write; false on
// an error or a write that takes nothing.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes);

// The path the bytes go to: a symbolic link's target, else the path itself. A dangling or
// looping link has none (false).
bool ResolveTarget(const std::string& path, std::string& target);

// The folder part of a path ("." for a bare name, "/" for a file in the root) and the name part.
std::string DirectoryOf(const std::string& path);
std::string NameOf(const std::string& path);

// The permissions a new file gets: 0666 less the umask, as open(O_CREAT) would give.
mode_t NewFileMode();
