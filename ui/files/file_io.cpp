#include "files/file_io.h"

#include <QFile>

bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes, TSync sync) {
  return WriteFileFrom(path, [bytes](const TWriteBytes& write) { return write(bytes); }, sync);
}

bool WriteFileFrom(const QString& path, const TProduceBytes& produce, TSync sync) {
  return WriteRegularFile(QFile::encodeName(path).toStdString(), produce, sync);
}

TReadResult ReadWholeFile(const QString& path, qint64 limit, QByteArray& bytes) {
  return ReadRegularFile(QFile::encodeName(path).toStdString(), limit, bytes);
}
