#pragma once
// Whole files in and out, for the project file and raw sprite data.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <span>

#include <functional>

// Hands bytes on to the file being written; false once a write has failed.
using TWriteBytes = std::function<bool(std::span<const std::uint8_t>)>;

// Writes the file from what `produce` hands to its writer, piece by piece, with the same
// all-or-nothing rule as WriteWholeFile. `produce` returns false to give up (nothing is left).
bool WriteFileFrom(const QString& path, const std::function<bool(const TWriteBytes&)>& produce);

// Writes `bytes` as the whole content of the file at `path`, or nothing: a regular file is
// written to a temporary file beside it that replaces the old one only when every byte is
// written, so a failure leaves an existing file as it was and no temporary file behind. A
// device or pipe is written directly (it cannot be replaced). False on any failure.
bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes);

enum class TReadResult { Ok, CannotOpen, TooLong };

// Reads the whole file when it has at most `limit` bytes. A longer file is refused by its
// size before it is read, or, when its size is unknown, after `limit` + 1 bytes.
TReadResult ReadWholeFile(const QString& path, qint64 limit, QByteArray& bytes);
