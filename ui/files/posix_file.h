#pragma once
// Whole files through POSIX descriptors, for the window's file commands: only regular files
// are read or written, nothing ever waits for the other end of a pipe or a device, and a file
// written over keeps its links, owner, group, permissions and extended attributes.

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

enum class TReadResult { Ok, CannotOpen, TooLong };

// Hands bytes on to the file being written; false once a write has failed.
using TWriteBytes = std::function<bool(std::span<const std::uint8_t>)>;
// Produces a file's content piece by piece through its writer; false to give up.
using TProduceBytes = std::function<bool(const TWriteBytes&)>;

// Whether a written file is synced to the disk before it takes the place of the old one.
enum class TSync { ToDisk, None };

// Reads a regular file of at most `limit` bytes. Anything else (a FIFO, a device, a folder)
// is refused without being opened in a way that could wait; a longer file is refused by its
// size before it is read.
TReadResult ReadRegularFile(const std::string& path, qint64 limit, QByteArray& bytes);

// Writes the whole content of the file at `path`, or reports false. A symbolic link is
// followed: its target is written and the link stays. Anything that exists and is not a
// regular file, and a file the user may not write, is refused before it is opened.
//   A new file, or a file with one link whose owner, group and extended attributes the new
//   file can be given, in a folder that takes a temporary file: the content goes to a
//   temporary file beside it, which gets the old file's owner, group, permissions and
//   extended attributes (and loses any the old file did not have) and replaces it only when
//   every byte is written. A failure leaves the old file as it was and no temporary file behind.
//   Otherwise (more links, an owner, group or attribute the writer cannot give, a folder that
//   takes no new file) the file is written in place, so that it stays the same file: the content is
//   made whole in memory first, the space beyond the old end is reserved, then every write
//   and the final size are checked. A failure before the first byte is overwritten (no
//   room, a size limit, no write permission) leaves the old file as it was; a failure after
//   it (an I/O error, a kill during the write) can leave it damaged.
bool WriteRegularFile(const std::string& path, const TProduceBytes& produce, TSync sync);
