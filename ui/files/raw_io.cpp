// Raw sprite data in and out of the window, in the layout the settings panel shows now.

#include <span>

#include "files/file_io.h"
#include "exchange/raw_layout.h"
#include "history/import_step.h"
#include "window/sprite_editor.h"

// The stream goes to the file one frame block at a time; no buffer holds the whole export.
void TSpriteEditor::ExportData(const QString& path) {
  const bool written = WriteFileFrom(path, [this](const TWriteBytes& write) {
    bool ok = true;
    ExportFramesTo(FStore, DataFormat(), FWidth, FHeight, FrameCount(),
                   [&](std::span<const std::uint8_t> block) { ok = ok && write(block); });
    return ok;
  });
  if (!written) {
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
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  Execute(std::make_unique<TImportStep>(std::vector<std::uint8_t>(data, data + bytes.size())));
  // Every byte belongs to a frame read, so only an empty file reads none (and leaves one frame).
  return bytes.isEmpty() ? 0 : FrameCount();
}
