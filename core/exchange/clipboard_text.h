#pragma once
// One plane as clipboard text: "SPRJ;W;H;B;v,v,...,v$", the values being the data bytes of
// the W x H block, rows from the top, bytes from the left, in the B-bit byte mode.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/sprite_store.h"

// The text for the W x H sprite area of one plane of `frame`.
std::string PlaneToClipboardText(const TSpriteStore& store, int frame, bool mask, int width, int height,
                                 int bitsPerByte, int attrChoice);

// A number field read as a signed 32-bit integer: leading spaces, one sign, then hex
// ("$", "x", "X", "0x", "0X" and up to FFFFFFFF as a two's-complement pattern) or decimal
// that fits; nothing after the digits. Anything else reads as nothing.
std::optional<std::int32_t> ParseNumberField(std::string_view field);

struct TClipboardPlane {
  int Width = 0;
  int Height = 0;
  int Bits = 0;
  std::vector<std::uint8_t> Values;  // (Width / Bits) * Height bytes in reading order
};

// Every check of the paste, in order; nothing when the text is rejected. Linear in the
// text's length. `bitsPerByte` is that of the current byte mode.
std::optional<TClipboardPlane> ParseClipboardText(std::string_view text, int bitsPerByte);

// Writes an accepted block at the top-left corner of the plane of `frame`.
void WriteClipboardPlane(TSpriteStore& store, int frame, bool mask, const TClipboardPlane& plane);

// Parses the text and, only when it is accepted, writes its block at the top-left corner of
// the plane. Returns whether it was accepted.
bool PasteClipboardText(TSpriteStore& store, int frame, bool mask, std::string_view text, int bitsPerByte);
