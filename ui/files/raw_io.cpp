// Raw sprite data in and out of the window, in the layout the settings panel shows now.

#include <span>

#include "files/file_io.h"
#include "exchange/raw_layout.h"
#include "window/sprite_editor.h"

void TSpriteEditor::ExportData(const QString& path) {
  const std::vector<std::uint8_t> data = ExportFrames(FStore, DataFormat(), FWidth, FHeight, FrameCount());
  if (!WriteWholeFile(path, data)) {
    FDialogs->ShowError(QStringLiteral("Can't open this file for writing!"), QStringLiteral("Export sprite data..."));
    return;
  }
  FDataFileName = path;
}

int TSpriteEditor::ImportData(const QString& path) {
  const QString title = QStringLiteral("Import sprite data...");
  const TDataFormat format = DataFormat();
  // The limit is below 4 GiB, so a file of 4 GiB or more is refused too.
  const std::uint64_t limit = ImportLengthLimit(format.ByteMode, format.Masked);
  QByteArray bytes;
  switch (ReadWholeFile(path, qint64(limit), bytes)) {
    case TReadResult::CannotOpen:
      FDialogs->ShowError(QStringLiteral("Can't open this file!"), title);
      return -1;
    case TReadResult::TooLong:
      FDialogs->ShowError(QStringLiteral("File has unexpected length!"), title);
      return -1;
    case TReadResult::Ok:
      break;
  }
  FDataFileName = path;
  return ImportFrames(FStore, format, FWidth, FHeight,
                      std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
}
