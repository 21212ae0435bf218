#include "files/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool WriteAll(QFileDevice& file, std::span<const std::uint8_t> bytes) {
  // QSaveFile takes a short write for success; only the count tells.
  return file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size()) &&
         file.flush();
}

}  // namespace

bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes) {
  return WriteFileFrom(path, [bytes](const TWriteBytes& write) { return write(bytes); });
}

bool WriteFileFrom(const QString& path, const std::function<bool(const TWriteBytes&)>& produce) {
  const QFileInfo info(path);
  if (info.exists() && !info.isFile()) {
    if (info.isDir()) return false;
    // A device node would be replaced by a regular file (as root), so it is written in place.
    QFile device(path);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const bool written = produce([&device](std::span<const std::uint8_t> bytes) { return WriteAll(device, bytes); });
    device.close();
    return written && device.error() == QFileDevice::NoError;
  }
  QSaveFile file(path);
  // Without a temporary file beside it the old file could be left half written.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!produce([&file](std::span<const std::uint8_t> bytes) { return WriteAll(file, bytes); })) {
    file.cancelWriting();
    file.commit();  // removes the temporary file
    return false;
  }
  return file.commit();
}

TReadResult ReadWholeFile(const QString& path, qint64 limit, QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return TReadResult::CannotOpen;
  if (file.size() > limit) return TReadResult::TooLong;
  bytes = file.read(limit + 1);
  if (file.error() != QFileDevice::NoError) return TReadResult::CannotOpen;
  if (bytes.size() > limit) return TReadResult::TooLong;
  return TReadResult::Ok;
}
