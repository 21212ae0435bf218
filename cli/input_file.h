#pragma once
// Reading the program's input: a regular file or standard input, whole, up to a length limit.
// Anything else (a directory, a FIFO, a device) is refused before a byte is read, so that the
// program never waits on it.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// Where a file lives, to tell that an output would replace the input.
struct TFileIdentity {
  bool Known = false;
  dev_t Device = 0;
  ino_t Inode = 0;
};

enum class TReadStatus { Ok, CannotOpen, NotRegular, TooLong };

struct TInputFile {
  TReadStatus Status = TReadStatus::CannotOpen;
  std::vector<std::uint8_t> Bytes;
  TFileIdentity Identity;  // known for a regular file, standard input included
};

// "-" reads standard input to its end, whatever it is.
TInputFile ReadInputFile(const std::string& path, std::uint64_t limit);

// The reason a read failed, as the window words it where it has a text for it.
const char* ReadStatusText(TReadStatus status);

// The name an error line gives the file: "standard input" for "-".
std::string DisplayName(const std::string& path);
