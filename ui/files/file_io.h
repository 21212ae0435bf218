#pragma once
// Whole files in and out, for every file command of the window (see posix_file.h for what
// each kind of file meets).

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <span>

#include "files/posix_file.h"

// Writes the file from what `produce` hands to its writer, piece by piece, with the rules of
// WriteRegularFile. `produce` returns false to give up (nothing is changed).
bool WriteFileFrom(const QString& path, const TProduceBytes& produce, TSync sync = TSync::ToDisk);

// Writes `bytes` as the whole content of the file at `path`, or nothing, with the rules of
// WriteRegularFile: a FIFO, a device or a folder is refused. False on any failure.
bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes, TSync sync = TSync::ToDisk);

// Reads the whole regular file when it has at most `limit` bytes; anything else is refused
// at once (CannotOpen). A longer file is refused by its size before it is read, or, when its
// size is wrong, after `limit` + 1 bytes.
TReadResult ReadWholeFile(const QString& path, qint64 limit, QByteArray& bytes);
