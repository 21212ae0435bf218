#pragma once
// Where one pixel of the store lands in a frame's block of raw sprite data: the byte that
// holds it and its bit there, worked out from the layout rules (byte mode, order sequence,
// mask arrangement) without packing anything.

#include <cstdint>
#include <optional>

#include "document/data_format.h"
#include "document/sprite_store.h"

struct TPixelLocation {
  int Offset = 0;     // byte within the frame's block, 0 .. BlockSize - 1
  int BlockSize = 0;  // bytes of one frame block, FrameBlockSize of the layout
  int Bit = 0;        // 7 is the byte's top bit ($80), 0 its bottom bit ($01)
};

// Nothing when the cell lies outside the width x height area, the mask plane is asked for
// while masking is off, or the layout is one the raw export refuses (width no multiple of B
// within B .. 240, height outside 1 .. 240, unknown order or arrangement). Every other pixel
// lands in exactly one bit; the only bits no pixel reaches are bits 7-6 of 6-bit bytes,
// which hold the attribute choice in mask bytes and zeros in sprite bytes.
std::optional<TPixelLocation> LocatePixel(const TDataFormat& format, int width, int height, bool mask, int x, int y);

// The value of the byte that holds pixel (x, y) of a plane of frame `frame`: what the raw
// export writes at that pixel's location, attribute bits included. Callers keep to a pixel
// that LocatePixel finds and 0 <= frame <= 127.
std::uint8_t PixelByte(const TSpriteStore& store, const TDataFormat& format, int frame, bool mask, int x, int y);
