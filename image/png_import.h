#pragma once
// PNG import: any PNG image, read as one frame or as a sheet of cells, into the document.

#include <cstdint>
#include <span>
#include <string>

#include "document/sprite_document.h"
#include "image/image_options.h"

struct TImageImport {
  bool Ok = false;
  std::string Error;  // a sentence naming the reason; empty when Ok
  int Width = 0, Height = 0, Frames = 0;  // the frame size as read (before rounding) and frames read
};

// Reads the PNG into `document`. The image is decoded to 8-bit RGBA (palette transparency
// applied) and sliced into cells of CellWidth x CellHeight with Spacing pixels between them,
// left to right, then top to bottom; a "Frames" text chunk, when it names fewer frames than
// there are cells, limits the frames read. A pixel counts as light when its luma
// (0.299 R + 0.587 G + 0.114 B) is above 127.5.
//   Planes: a cell is 2W x H, the sprite then the mask; a pixel is set when it is opaque (alpha
//   128 or more) and light.
//   Alpha: a transparent pixel (alpha below 128) sets the mask and clears the sprite; an opaque
//   one clears the mask and sets the sprite when it is light (dark with DarkInk).
// On success every frame is replaced (both planes of all 128 frames cleared first, the copy
// buffer kept), Settings.Width is W rounded up to a multiple of the byte mode's pixels per byte
// (the added columns clear), Height H, FrameCount the frames read and CurrentFrame 0; the
// format is kept. On any error nothing in the document changes.
TImageImport ImportPng(std::span<const std::uint8_t> png, const TPngImportOptions& options,
                       TSpriteDocument& document);

// The largest image an import decodes: a side, and all pixels (4 bytes each once decoded).
constexpr std::uint32_t MaxPngSide = 1u << 17;
constexpr std::uint64_t MaxPngPixels = 1u << 25;
