#pragma once
// The small POSIX pieces that the window's file commands and deduzu-sprite both write files
// with: the path a write really goes to, the folder its temporary file goes in, the mode of a
// new file, and a write that hands over every byte.

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <span>
#include <string>

// A file descriptor closed when it goes; -1 for none.
struct TDescriptor {
  int Fd = -1;
  explicit TDescriptor(int fd) : Fd(fd) {}
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  ~TDescriptor() {
    if (Fd >= 0) close(Fd);
  }
  // Closes now; false when the close reports an error (a delayed write failure).
  bool Close() {
    const int fd = Fd;
    Fd = -1;
    return close(fd) == 0;
  }
};

enum class TReadEnd { Ok, Failed, TooLong };

// Reads the descriptor to its end into `bytes` (a std::vector<std::uint8_t> or a QByteArray),
// at most limit + 1 bytes, so that a longer file is seen as TooLong. `expected` is the size the
// file had when it was opened, the first guess of the buffer; it may still grow or shrink (a
// file being written, a file of /proc). On Ok `bytes` holds exactly what was read.
template <class TBytes>
TReadEnd ReadToEnd(int fd, std::uint64_t limit, std::uint64_t expected, TBytes& bytes) {
  const std::uint64_t most = limit + 1;
  bytes.resize(std::min<std::uint64_t>(most, std::max<std::uint64_t>(expected + 1, 65536)));
  std::uint64_t used = 0;
  for (;;) {
    if (used == std::uint64_t(bytes.size())) {
      if (used >= most) break;
      bytes.resize(std::min<std::uint64_t>(most, used * 2));
    }
    const ssize_t got = read(fd, bytes.data() + used, std::size_t(std::uint64_t(bytes.size()) - used));
    if (got < 0) {
      if (errno == EINTR) continue;
      return TReadEnd::Failed;
    }
    if (got == 0) break;
    used += std::uint64_t(got);
  }
  bytes.resize(used);
  return used > limit ? TReadEnd::TooLong : TReadEnd::Ok;
}

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
