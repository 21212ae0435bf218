// Source text and images through the window: the text of the raw export in an assembler, C or
// BASIC dialect, PNG sheets or frames and an animated GIF out, a PNG in as one step.

#include <QByteArray>
#include <QFileInfo>
#include <memory>
#include <span>

#include "exchange/project_document.h"
#include "files/file_io.h"
#include "history/replace_step.h"
#include "image/gif_export.h"
#include "image/png_export.h"
#include "image/png_import.h"
#include "window/sprite_editor.h"

namespace {

const QString SourceTitle = QStringLiteral("Export source...");
const QString ExportImageTitle = QStringLiteral("Export image...");
const QString ImportImageTitle = QStringLiteral("Import image...");
constexpr qint64 ImageFileLimit = qint64(256) << 20;  // far above any sheet of 128 frames

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// ship.png, ship_002.png, ... for one file per frame.
QString FramePath(const QString& path, std::size_t index, std::size_t count) {
  if (count == 1) return path;
  const QFileInfo info(path);
  const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
  return info.path() + QLatin1Char('/') + info.completeBaseName() +
         QStringLiteral("_%1").arg(index + 1, 3, 10, QLatin1Char('0')) + suffix;
}

}  // namespace

QString TSpriteEditor::SourcePreview(const TSourceOptions& options) const {
  const std::string text = ExportSourceText(FDocument, options);
  std::size_t end = 0;
  for (int line = 0; line < SourcePreviewLines && end != std::string::npos; ++line) {
    end = text.find('\n', end);
    if (end != std::string::npos) ++end;
  }
  return QString::fromStdString(end == std::string::npos ? text : text.substr(0, end));
}

bool TSpriteEditor::ExportSource(const QString& path, TSourceOptions options) {
  if (options.Label.empty()) options.Label = LabelFromFileName(path.toStdString());
  if (!WriteWholeFile(path, Bytes(ExportSourceText(FDocument, options)))) {
    FDialogs->ShowError(QStringLiteral("Can't open this file for writing!"), SourceTitle);
    return false;
  }
  return true;
}

bool TSpriteEditor::ExportImage(const QString& path, const TImageExportChoice& choice) {
  std::vector<std::vector<std::uint8_t>> files;
  std::string error;
  if (choice.Format == TImageFormat::Gif) {
    TGifExport gif = ExportGif(FDocument, choice.Gif);
    error = gif.Error;
    files.push_back(std::move(gif.File));
  } else {
    TPngExport png = ExportPng(FDocument, choice.Png);
    error = png.Error;
    files = std::move(png.Files);
  }
  if (!error.empty()) {
    FDialogs->ShowError(QString::fromStdString(error), ExportImageTitle);
    return false;
  }
  for (std::size_t i = 0; i < files.size(); ++i)
    if (!WriteWholeFile(FramePath(path, i, files.size()), files[i])) {
      FDialogs->ShowError(QStringLiteral("Can't open this file for writing!"), ExportImageTitle);
      return false;
    }
  return true;
}

// The image is read into a second document with this one's data format; only an image that
// is read whole replaces the document, as one step.
bool TSpriteEditor::ImportImage(const QString& path, const TPngImportOptions& options) {
  QByteArray bytes;
  switch (ReadWholeFile(path, ImageFileLimit, bytes)) {
    case TReadResult::CannotOpen:
      FDialogs->ShowError(QStringLiteral("Can't open this file!"), ImportImageTitle);
      return false;
    case TReadResult::TooLong:
      FDialogs->ShowError(QStringLiteral("File has unexpected length!"), ImportImageTitle);
      return false;
    case TReadResult::Ok:
      break;
  }
  auto image = std::make_unique<TSpriteDocument>();
  image->Settings = FDocument.Settings;
  const std::span png(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
  const TImageImport read = ImportPng(png, options, *image);
  if (!read.Ok) {
    FDialogs->ShowError(QString::fromStdString(read.Error), ImportImageTitle);
    return false;
  }
  Execute(MakeReplaceStep("Import image", BuildDocumentFile(*image)));
  return true;
}
