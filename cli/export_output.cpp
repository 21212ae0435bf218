#include "export_output.h"

#include <cctype>

#include "exchange/raw_layout.h"
#include "image/gif_export.h"
#include "image/png_export.h"

std::optional<TOutputFormat> OutputFormatByName(std::string_view name) {
  if (name == "raw") return TOutputFormat{TOutputKind::Raw};
  if (name == "png") return TOutputFormat{TOutputKind::Png};
  if (name == "gif") return TOutputFormat{TOutputKind::Gif};
  if (const auto dialect = DialectByName(name)) return TOutputFormat{TOutputKind::Source, *dialect};
  return std::nullopt;
}

std::optional<TOutputFormat> OutputFormatByExtension(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::nullopt;
  std::string extension;
  for (char c : name.substr(dot + 1)) extension += char(std::tolower(static_cast<unsigned char>(c)));
  if (extension == "bin" || extension == "dat") return TOutputFormat{TOutputKind::Raw};
  if (extension == "c" || extension == "h") return TOutputFormat{TOutputKind::Source, TSourceDialect::C};
  if (extension == "bas") return TOutputFormat{TOutputKind::Source, TSourceDialect::Basic};
  if (extension == "png") return TOutputFormat{TOutputKind::Png};
  if (extension == "gif") return TOutputFormat{TOutputKind::Gif};
  return std::nullopt;
}

TExportResult ExportDocument(const TSpriteDocument& document, const TOutputFormat& format,
                             const TExportOptions& options) {
  TExportResult result;
  const TDocumentSettings& s = document.Settings;
  switch (format.Kind) {
    case TOutputKind::Raw:
      result.Bytes = ExportFrames(document.Store, s.Format, s.Width, s.Height, s.FrameCount);
      if (result.Bytes.empty()) result.Error = "The sprite settings give no data to export!";
      break;
    case TOutputKind::Source: {
      TSourceOptions source = options.Source;
      source.Dialect = format.Dialect;
      const std::string text = ExportSourceText(document, source);
      result.Bytes.assign(text.begin(), text.end());
      break;
    }
    case TOutputKind::Png: {
      TPngExportOptions png = options.Png;
      png.OneFilePerFrame = false;
      TPngExport sheet = ExportPng(document, png);
      result.Error = sheet.Error;
      if (result.Error.empty() && !sheet.Files.empty()) result.Bytes = std::move(sheet.Files.front());
      break;
    }
    case TOutputKind::Gif: {
      TGifExport gif = ExportGif(document, options.Gif);
      result.Error = gif.Error;
      result.Bytes = std::move(gif.File);
      break;
    }
  }
  return result;
}
