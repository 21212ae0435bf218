#pragma once
// PNG export of frames 0 .. FrameCount-1 of a document, the sprite area only: one sheet, or
// one file per frame.

#include <cstdint>
#include <string>
#include <vector>

#include "document/sprite_document.h"
#include "image/image_options.h"

struct TPngExport {
  std::vector<std::vector<std::uint8_t>> Files;  // one sheet, or one file per frame
  std::string Error;                             // empty on success
};

// Planes: a 1-bit grey image, each cell the sprite plane then the mask plane (2W x H); the
// spacing between cells is black. Alpha: a 2-bit palette image with transparency: ink where
// the sprite is set, transparent where the mask lets the background through (and everywhere
// clear in an unmasked document), opaque black where the mask covers it; the spacing is
// transparent. A sheet carries its frame count in a tEXt chunk "Frames", so that an import
// ignores the empty cells that fill its last row.
TPngExport ExportPng(const TSpriteDocument& document, const TPngExportOptions& options);
