#pragma once
// Raw sprite data: headerless frame blocks in the chosen byte mode, order sequence and
// mask arrangement. Export writes frames 0 .. N-1; import reads them back.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "document/data_format.h"
#include "document/sprite_store.h"

// True when the export can lay out this format and size: a known order and arrangement, a
// width of whole bytes and both sides within 1 .. 240.
bool LayoutValid(const TDataFormat& format, int width, int height);

// Bytes of one frame block: (W / B) * H * (2 if masked, else 1).
int FrameBlockSize(const TDataFormat& format, int width, int height);

// Bytes of an export of `frames` frames; what "Binary data size:" shows.
int RawDataSize(const TDataFormat& format, int width, int height, int frames);

// The longest raw file an import accepts: 128 frames of 240 x 240 in this byte mode.
std::uint64_t ImportLengthLimit(TByteMode byteMode, bool masked);
bool ImportLengthAccepted(std::uint64_t length, TByteMode byteMode, bool masked);

// Frames 0 .. frames-1 as a raw stream of exactly RawDataSize bytes. Empty when the width
// is no multiple of B within B..240, the height is outside 1..240, an order or arrangement
// is unknown or frames < 1; more than 128 frames export 128.
std::vector<std::uint8_t> ExportFrames(const TSpriteStore& store, const TDataFormat& format, int width, int height,
                                       int frames);

// The largest frame block: 240 x 240 pixels of both planes in 6-pixel bytes.
constexpr int MaxFrameBlockSize = 2 * (MaxSide / 6) * MaxSide;  // 19,200

// The same stream handed to `write` one frame block at a time, so that an export can go to
// its file without a buffer for the whole stream. False (and nothing written) where
// ExportFrames would return nothing.
bool ExportFramesTo(const TSpriteStore& store, const TDataFormat& format, int width, int height, int frames,
                    const std::function<void(std::span<const std::uint8_t>)>& write);

// Clears the store (not the copy buffer) and reads frame blocks from `data`; returns the
// number of frames read: ceil(size / block), at most 128. Bytes after frame 128 are ignored;
// positions of a partial last frame beyond the end of the data stay clear. The caller has
// checked the length with ImportLengthAccepted. A size out of range reads nothing.
int ImportFrames(TSpriteStore& store, const TDataFormat& format, int width, int height,
                 std::span<const std::uint8_t> data);
