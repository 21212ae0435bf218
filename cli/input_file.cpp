#include "input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_paths.h"

namespace {

// The whole input, as the command reports it.
TReadStatus ReadAll(int fd, std::uint64_t limit, std::uint64_t expected, std::vector<std::uint8_t>& bytes) {
  switch (ReadToEnd(fd, limit, expected, bytes)) {
    case TReadEnd::Ok: return TReadStatus::Ok;
    case TReadEnd::Failed: return TReadStatus::CannotOpen;
    case TReadEnd::TooLong: return TReadStatus::TooLong;
  }
  return TReadStatus::CannotOpen;
}

TFileIdentity IdentityOf(const struct stat& st) { return {true, st.st_dev, st.st_ino}; }

}  // namespace

TInputFile ReadInputFile(const std::string& path, std::uint64_t limit) {
  TInputFile input;
  if (path == "-") {
    struct stat st {};
    if (fstat(STDIN_FILENO, &st) == 0 && S_ISREG(st.st_mode)) input.Identity = IdentityOf(st);
    input.Status = ReadAll(STDIN_FILENO, limit, 0, input.Bytes);
    if (input.Status != TReadStatus::Ok) input.Bytes.clear();
    return input;
  }
  // O_NONBLOCK: opening a FIFO must not wait for a writer; the type is checked before reading.
  TDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Fd < 0) return input;
  struct stat st {};
  if (fstat(file.Fd, &st) != 0) return input;
  if (!S_ISREG(st.st_mode)) {
    input.Status = TReadStatus::NotRegular;
    return input;
  }
  input.Identity = IdentityOf(st);
  if (std::uint64_t(st.st_size) > limit) {
    input.Status = TReadStatus::TooLong;
    return input;
  }
  input.Status = ReadAll(file.Fd, limit, std::uint64_t(st.st_size), input.Bytes);
  if (input.Status != TReadStatus::Ok) input.Bytes.clear();
  return input;
}

const char* ReadStatusText(TReadStatus status) {
  switch (status) {
    case TReadStatus::Ok: return "";
    case TReadStatus::CannotOpen: return "Can't open this file!";
    case TReadStatus::NotRegular: return "Can't open this file! It is not a regular file.";
    case TReadStatus::TooLong: return "File has unexpected length!";
  }
  return "";
}

std::string DisplayName(const std::string& path) { return path == "-" ? "standard input" : path; }
