#pragma once
// The `.sprite` project file as bytes: a 16-byte header ("SPRJ", plane side, frame capacity,
// settings, size, frame count, 1-based current frame, little-endian packed length) and the
// run-length packed pixel stream of all 128 frames, eight pixels to a byte.

#include <cstdint>
#include <span>
#include <vector>

#include "document/sprite_store.h"

constexpr int ProjectHeaderSize = 16;
constexpr int PixelStreamSize = 1'843'200;  // 128 frames x 2 planes x 240 rows x 30 bytes
constexpr int ProjectFileMaxSize = ProjectHeaderSize + PixelStreamSize;

// Header fields as stored. The settings are raw values; the parser checks their ranges.
struct TProjectHeader {
  int PlaneSide = MaxSide;        // byte 4
  int FrameCapacity = MaxFrames;  // byte 5
  int ByteMode = 0;               // byte 6, bits 0-3
  int Order = 0;                  // byte 6, bits 4-7
  int Arrangement = 0;            // byte 7, bits 0-4
  int AttrChoice = 0;             // byte 7, bits 5-6
  bool Masked = true;             // byte 7, bit 7
  int Width = 12;                 // byte 8
  int Height = 24;                // byte 9
  int FrameCount = 1;             // byte 10
  int CurrentFrame = 1;           // byte 11, 1-based
  std::uint32_t PackedLength = 0; // bytes 12-15
};

enum class TProjectResult { Ok, UnexpectedLength, UnknownHeader, NotCompatible };

// The message a refused file is reported with (title "Open sprite project...").
const char* ProjectResultText(TProjectResult result);

// The 1,843,200-byte pixel stream of the whole store.
std::vector<std::uint8_t> BuildPixelStream(const TSpriteStore& store);

// The complete file for the store and the header's settings (PlaneSide, FrameCapacity and
// PackedLength of `header` are ignored: the file is always written in the current format).
std::vector<std::uint8_t> BuildProjectFile(const TSpriteStore& store, const TProjectHeader& header);

// The same for a pixel stream of the current format.
std::vector<std::uint8_t> BuildProjectFile(std::span<const std::uint8_t, PixelStreamSize> stream,
                                           const TProjectHeader& header);

// What the checks of a file found; the header holds the file's values once the magic matched.
struct TProjectStatus {
  TProjectResult Result = TProjectResult::UnexpectedLength;
  TProjectHeader Header;
  bool PreviousVersion = false;  // plane side != 240 or frame capacity != 128
};

struct TProjectFile : TProjectStatus {
  std::vector<std::uint8_t> PixelStream;  // 1,843,200 bytes when Result is Ok
};

// Checks the file's bytes and decodes the payload. The checks run in this order:
// longer than ProjectFileMaxSize or shorter than the header -> UnexpectedLength;
// magic not "SPRJ" -> UnknownHeader; a size, frame value, byte mode, order or mask
// arrangement out of range -> NotCompatible; fewer payload bytes than the packed length
// -> UnexpectedLength.
TProjectFile ParseProjectFile(std::span<const std::uint8_t> bytes);

// ParseProjectFile in two steps, for a caller that keeps its own stream buffer: the checks
// alone, then (for a file they passed) the payload decoded into `stream`, every byte of which
// is written. The payload is read against the whole stream: a packed length of 0 or one
// longer than PixelStreamSize gives all zeros, 1 a fill with its byte, PixelStreamSize the
// bytes as they are; any other length gives the bytes of its tokens followed by zeros, cut
// after PixelStreamSize bytes.
// `streamClear`: the stream holds only zeros already (a new buffer), so that the zeros after
// the payload's bytes are not written.
TProjectStatus CheckProjectFile(std::span<const std::uint8_t> bytes);
void DecodePixelStream(std::span<const std::uint8_t> bytes, const TProjectHeader& header,
                       std::span<std::uint8_t, PixelStreamSize> stream, bool streamClear = false);

// Writes a decoded pixel stream into the store: planeSide x planeSide pixels of frames
// 0 .. frameCapacity-1. A previous-version stream (side < 240 or capacity < 128) is spread
// into a cleared store so that nothing of the former document remains.
// `storeClear`: the store holds only clear pixels already (a new store), so that the planes the
// stream leaves clear are not written at all.
void SpreadPixelStream(TSpriteStore& store, std::span<const std::uint8_t> stream, int planeSide,
                       int frameCapacity, bool storeClear = false);
