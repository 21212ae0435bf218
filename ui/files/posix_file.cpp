#include "files/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <cstdlib>
#include <vector>

#include "file_paths.h"

namespace {

// One extended attribute's value read through `get` (a getxattr call with its buffer and
// size), or nothing when it is not there or cannot be read.
template <class TGet>
std::optional<std::vector<char>> ReadAttribute(const TGet& get) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const ssize_t size = get(nullptr, 0);
    if (size < 0) return std::nullopt;
    std::vector<char> value(std::size_t(size) + 1);  // one more: a value grown meanwhile shows
    const ssize_t got = get(value.data(), value.size());
    if (got >= 0 && std::size_t(got) < value.size()) {
      value.resize(std::size_t(got));
      return value;
    }
    if (got < 0 && errno != ERANGE) return std::nullopt;
  }
  return std::nullopt;
}

// The names in a list of extended attributes, each ended by a zero byte.
std::vector<std::string> AttributeNames(const std::vector<char>& list) {
  std::vector<std::string> names;
  for (const char* name = list.data(); name < list.data() + list.size(); name += std::strlen(name) + 1)
    names.emplace_back(name);
  return names;
}

// Gives the temporary file `to` the extended attributes of the file it replaces, its access
// control list and file system labels among them, and takes away those the old file did not
// have (a folder's default access control list, say). False when one cannot be read, given or
// taken away: the file is then written in place, which keeps them all as they are.
bool CopyAttributes(const std::string& from, int to) {
  const auto oldList = ReadAttribute([&](char* buffer, std::size_t size) { return listxattr(from.c_str(), buffer, size); });
  if (!oldList) return errno == ENOTSUP;  // a file system without them has none to keep
  const auto newList = ReadAttribute([&](char* buffer, std::size_t size) { return flistxattr(to, buffer, size); });
  if (!newList) return false;
  const std::vector<std::string> oldNames = AttributeNames(*oldList);
  for (const std::string& name : AttributeNames(*newList))
    if (std::find(oldNames.begin(), oldNames.end(), name) == oldNames.end() && fremovexattr(to, name.c_str()) != 0)
      return false;
  for (const std::string& name : oldNames) {
    const auto value =
        ReadAttribute([&](char* buffer, std::size_t size) { return getxattr(from.c_str(), name.c_str(), buffer, size); });
    if (!value) return false;
    const auto present =
        ReadAttribute([&](char* buffer, std::size_t size) { return fgetxattr(to, name.c_str(), buffer, size); });
    if (present == value) continue;
    if (fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0) return false;
  }
  return true;
}

bool WriteAllAt(int fd, std::span<const std::uint8_t> bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t put = pwrite(fd, bytes.data(), bytes.size(), offset);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) return false;
    bytes = bytes.subspan(std::size_t(put));
    offset += put;
  }
  return true;
}

enum class TOutcome { Written, Failed, WriteInPlace };

// The content goes to a temporary file beside the target, which takes the target's place
// whole or not at all. `old` is the file replaced, or null for a new file; when the temporary
// file cannot be made there or cannot be given the old file's owner, group and extended
// attributes, nothing is written and the answer is to write in place.
TOutcome ReplaceAtomically(const std::string& target, const struct stat* old, const TProduceBytes& produce,
                           TSync sync) {
  std::string temporary = DirectoryOf(target) + "/." + NameOf(target) + ".XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  TDescriptor file(mkostemp(name.data(), O_CLOEXEC));
  if (file.Fd < 0) return old ? TOutcome::WriteInPlace : TOutcome::Failed;
  temporary = name.data();
  const auto discard = [&](TOutcome outcome) {
    unlink(temporary.c_str());
    return outcome;
  };
  mode_t mode = NewFileMode();
  if (old) {
    struct stat made {};
    if (fstat(file.Fd, &made) != 0) return discard(TOutcome::Failed);
    // The owner first: a change of owner clears the set-user-ID bits the mode then gives.
    if ((made.st_uid != old->st_uid || made.st_gid != old->st_gid) && fchown(file.Fd, old->st_uid, old->st_gid) != 0)
      return discard(TOutcome::WriteInPlace);
    mode = old->st_mode & 07777;
  }
  if (fchmod(file.Fd, mode) != 0) return discard(TOutcome::Failed);
  // After the mode, which would change an access control list given before it.
  if (old && !CopyAttributes(target, file.Fd)) return discard(TOutcome::WriteInPlace);
  bool written = produce([&file](std::span<const std::uint8_t> bytes) { return WriteAll(file.Fd, bytes); });
  written = written && (sync == TSync::None || fsync(file.Fd) == 0);
  written = file.Close() && written;
  if (!written || rename(temporary.c_str(), target.c_str()) != 0) return discard(TOutcome::Failed);
  return TOutcome::Written;
}

bool WriteInPlace(const std::string& target, const struct stat& old, const TProduceBytes& produce, TSync sync) {
  std::vector<std::uint8_t> content;
  if (!produce([&content](std::span<const std::uint8_t> bytes) {
        content.insert(content.end(), bytes.begin(), bytes.end());
        return true;
      }))
    return false;
  // O_NONBLOCK: should something other than the file checked be there now, opening it does
  // not wait; it is refused by its type below.
  TDescriptor file(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Fd < 0) return false;
  struct stat now {};
  if (fstat(file.Fd, &now) != 0 || !S_ISREG(now.st_mode) || now.st_dev != old.st_dev || now.st_ino != old.st_ino)
    return false;
  const off_t size = off_t(content.size());
  // Room for the longer content first: no space left or a file size limit shows here, before
  // a byte of the old content is overwritten. A file system without the call is written
  // without the reservation.
  if (size > now.st_size) {
    const int error = posix_fallocate(file.Fd, now.st_size, size - now.st_size);
    if (error != 0 && (ftruncate(file.Fd, now.st_size) != 0 || (error != EOPNOTSUPP && error != ENOSYS && error != EINVAL)))
      return false;
  }
  struct stat after {};
  const bool written = WriteAllAt(file.Fd, content, 0) && ftruncate(file.Fd, size) == 0 &&
                       (sync == TSync::None || fsync(file.Fd) == 0) && fstat(file.Fd, &after) == 0 &&
                       after.st_size == size;
  return file.Close() && written;
}

}  // namespace

TReadResult ReadRegularFile(const std::string& path, qint64 limit, QByteArray& bytes) {
  // Opening a device can act on it (a tape rewinds), so only a regular file is opened; the
  // descriptor is checked again, as the path may name something else by then.
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return TReadResult::CannotOpen;
  TDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Fd < 0 || fstat(file.Fd, &st) != 0 || !S_ISREG(st.st_mode)) return TReadResult::CannotOpen;
  if (st.st_size > limit) return TReadResult::TooLong;
  QByteArray read;
  switch (ReadToEnd(file.Fd, std::uint64_t(limit), std::uint64_t(st.st_size), read)) {
    case TReadEnd::Ok: break;
    case TReadEnd::Failed: return TReadResult::CannotOpen;
    case TReadEnd::TooLong: return TReadResult::TooLong;
  }
  bytes = std::move(read);
  return TReadResult::Ok;
}

bool WriteRegularFile(const std::string& path, const TProduceBytes& produce, TSync sync) {
  std::string target;
  if (path.empty() || !ResolveTarget(path, target)) return false;
  struct stat old {};
  if (stat(target.c_str(), &old) != 0) {
    if (errno != ENOENT) return false;
    return ReplaceAtomically(target, nullptr, produce, sync) == TOutcome::Written;
  }
  // A FIFO, a device or a folder: nothing is opened. A file the user may not write is not
  // replaced either, though its folder would allow it.
  if (!S_ISREG(old.st_mode) || faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
  // A second link would keep the old content if the file were replaced.
  if (old.st_nlink == 1) {
    const TOutcome outcome = ReplaceAtomically(target, &old, produce, sync);
    if (outcome != TOutcome::WriteInPlace) return outcome == TOutcome::Written;
  }
  return WriteInPlace(target, old, produce, sync);
}
