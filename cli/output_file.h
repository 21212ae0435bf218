#pragma once
// Writing the program's output: standard output, or a file replaced atomically. The bytes go
// to a temporary file in the output's directory, which is synced and renamed over the output
// only when every byte is written; on any failure it is removed and an existing output stays
// as it was.

#include <cstdint>
#include <span>
#include <string>

#include "input_file.h"

enum class TWriteStatus { Ok, CannotWrite, IsInput };

// "-" writes to standard output. An output that is the input (the same path, a link to it, or
// standard output redirected to it) is refused before anything is written. A symbolic link is
// followed, so that the link stays and its target gets the bytes; an existing device or FIFO
// is written in place, as it cannot be replaced.
TWriteStatus WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes, const TFileIdentity& input);

const char* WriteStatusText(TWriteStatus status);
