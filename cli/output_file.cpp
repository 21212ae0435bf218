#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "file_paths.h"

namespace {

bool SameFile(const struct stat& st, const TFileIdentity& input) {
  return input.Known && st.st_dev == input.Device && st.st_ino == input.Inode;
}

TWriteStatus WriteInPlace(const std::string& path, std::span<const std::uint8_t> bytes) {
  // A FIFO without a reader fails here at once instead of waiting.
  const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return TWriteStatus::CannotWrite;
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  const bool written = WriteAll(fd, bytes);
  return close(fd) == 0 && written ? TWriteStatus::Ok : TWriteStatus::CannotWrite;
}

TWriteStatus ReplaceAtomically(const std::string& target, std::span<const std::uint8_t> bytes, mode_t mode) {
  const std::string directory = DirectoryOf(target);
  const std::string base = NameOf(target);
  std::string temporary = directory + "/." + base + ".XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return TWriteStatus::CannotWrite;
  temporary = name.data();
  // The rename makes the new file appear whole or not at all whatever the program meets. The
  // file is not synced to the disk first: like a compiler's output, a build makes it again,
  // and a sync costs a build step several milliseconds.
  const bool written = fchmod(fd, mode) == 0 && WriteAll(fd, bytes);
  if (close(fd) != 0 || !written || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return TWriteStatus::CannotWrite;
  }
  return TWriteStatus::Ok;
}

}  // namespace

TWriteStatus WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes, const TFileIdentity& input) {
  if (path == "-") {
    struct stat st {};
    if (fstat(STDOUT_FILENO, &st) == 0 && SameFile(st, input)) return TWriteStatus::IsInput;
    return WriteAll(STDOUT_FILENO, bytes) ? TWriteStatus::Ok : TWriteStatus::CannotWrite;
  }
  if (path.empty()) return TWriteStatus::CannotWrite;
  std::string target;
  if (!ResolveTarget(path, target)) return TWriteStatus::CannotWrite;
  struct stat st {};
  if (stat(target.c_str(), &st) != 0) {
    if (errno != ENOENT) return TWriteStatus::CannotWrite;
    return ReplaceAtomically(target, bytes, NewFileMode());
  }
  if (SameFile(st, input)) return TWriteStatus::IsInput;
  if (S_ISDIR(st.st_mode)) return TWriteStatus::CannotWrite;
  if (!S_ISREG(st.st_mode)) return WriteInPlace(target, bytes);
  // The replaced file keeps its permissions.
  return ReplaceAtomically(target, bytes, st.st_mode & 07777);
}

const char* WriteStatusText(TWriteStatus status) {
  switch (status) {
    case TWriteStatus::Ok: return "";
    case TWriteStatus::CannotWrite: return "Can't open this file for writing!";
    case TWriteStatus::IsInput: return "The output is the input file; nothing was written!";
  }
  return "";
}
