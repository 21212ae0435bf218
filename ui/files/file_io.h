#pragma once
// Whole files in and out, for the project file and raw sprite data.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <span>

// Writes `bytes` as the whole content of the file at `path`, or nothing: a regular file is
// written to a temporary file beside it that replaces the old one only when every byte is
// written, so a failure leaves an existing file as it was and no temporary file behind. A
// device or pipe is written directly (it cannot be replaced). False on any failure.
bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes);

enum class TReadResult { Ok, CannotOpen, TooLong };

// Reads the whole file when it has at most `limit` bytes. A longer file is refused by its
// size before it is read, or, when its size is unknown, after `limit` + 1 bytes.
TReadResult ReadWholeFile(const QString& path, qint64 limit, QByteArray& bytes);
