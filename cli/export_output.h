#pragma once
// What `export` writes: the output format chosen by name or by the output's extension, and the
// bytes of each format made by the same core and image functions the window's exports call.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/sprite_document.h"
#include "exchange/source_text.h"
#include "image/image_options.h"

enum class TOutputKind { Raw, Source, Png, Gif };

struct TOutputFormat {
  TOutputKind Kind = TOutputKind::Raw;
  TSourceDialect Dialect = TSourceDialect::Ca65;  // for Source
};

// "raw", "png", "gif" or a source dialect's name ("xa", "ca65", ..., "c", "basic").
std::optional<TOutputFormat> OutputFormatByName(std::string_view name);

// .bin and .dat raw, .c and .h C, .bas BASIC, .png and .gif, in any letter case; nothing for
// any other extension, which names no single format (an assembler's ".s" fits seven).
std::optional<TOutputFormat> OutputFormatByExtension(std::string_view path);

struct TExportOptions {
  TSourceOptions Source;  // an empty label is taken from the output's file name
  TPngExportOptions Png;  // always one sheet
  TGifOptions Gif;
};

struct TExportResult {
  std::vector<std::uint8_t> Bytes;
  std::string Error;  // empty on success
};

// Frames 0 .. FrameCount-1 of the document in the format.
TExportResult ExportDocument(const TSpriteDocument& document, const TOutputFormat& format,
                             const TExportOptions& options);
