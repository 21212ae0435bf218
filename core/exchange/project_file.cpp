#include "exchange/project_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>

#include "codec/byte_grid.h"
#include "codec/words.h"
#include "exchange/run_length.h"

namespace {

constexpr std::array<std::uint8_t, 4> Magic{'S', 'P', 'R', 'J'};
constexpr int ByteModeCount = 2;
constexpr int OrderCount = 4;
constexpr int ArrangementCount = 6;

constexpr int RowBytes = MaxSide / 8;           // 30
constexpr int PlaneBytes = MaxSide * RowBytes;  // 7,200
constexpr int RepeatChunk = 130;                // the longest repeat token
constexpr int LiteralChunk = 128;               // the longest literal token

// Whole planes go through byte grids, as the raw layouts do: packing by byte columns, then
// an 8 x 8 block transpose into rows. Lines and rows beyond a plane's size are never
// written and stay zero.

// One plane as 240 rows of 30 bytes, eight pixels to a byte, leftmost in bit 7.
void PackPlane(const TPlane& plane, TPlaneGrids& grids, std::uint8_t* out) {
  PackByteColumns(plane, 8, RowBytes, 0, grids.Columns);
  TransposeByteGrid(grids.Columns, ByteColumnStride, RowBytes, MaxSide, grids.Rows, ByteRowStride);
  for (int y = 0; y < MaxSide; ++y) std::memcpy(out + y * RowBytes, grids.Rows.data() + y * ByteRowStride, RowBytes);
}

// The reverse of PackPlane for a plane stored as `rows` rows of `rowBytes` bytes; every byte
// sets all eight pixels of its run, like UnpackByte. Rows from `rows` on are cleared in the
// columns written, which is where a smaller plane of an earlier version ends. One set of
// grids serves planes of one size only.
void UnpackPlane(TPlane& plane, TPlaneGrids& grids, const std::uint8_t* in, int rows, int rowBytes) {
  for (int y = 0; y < rows; ++y) std::memcpy(grids.Rows.data() + y * ByteRowStride, in + y * rowBytes, rowBytes);
  TransposeByteGrid(grids.Rows, ByteRowStride, rows, rowBytes, grids.Columns, ByteColumnStride);
  UnpackByteColumns(grids.Columns, 8, rowBytes, plane);
}

// The reader takes a packed length of 1 as a fill of the whole stream and one of
// PixelStreamSize as plain bytes. A stream cut to k bytes reads back only when it packs to
// neither of those forms, or when nothing was cut.
bool ReadsBack(int packed, std::size_t k) {
  return k == 0 || k == std::size_t(PixelStreamSize) || (packed != 1 && std::size_t(packed) != k);
}

// The cut grown by enough of the zero bytes after it that packing no longer ends in a fill
// or a plain copy: tokens of k bytes take at most k + ceil(k / 128) bytes, and every 130
// zeros after the last non-zero byte add only 2.
std::size_t GrownCut(std::size_t k) {
  const std::size_t literalControls = (k + LiteralChunk - 1) / LiteralChunk;
  const std::size_t zeros = RepeatChunk * (literalControls / LiteralChunk + 1);
  return std::min(std::size_t(PixelStreamSize), k + zeros);
}

// Every plane of every frame, sprite before mask, into PixelStreamSize bytes at `out`.
void WritePixelStream(const TSpriteStore& store, std::uint8_t* out) {
  TPlaneGrids grids;
  for (int f = 0; f < MaxFrames; ++f) {
    for (bool mask : {false, true}) {
      PackPlane(store.Plane(f, mask), grids, out);
      out += PlaneBytes;
    }
  }
}

// Length of the stream without its trailing zero bytes; a drawn document is mostly zeros
// at the end, so the scan steps back a word at a time.
std::size_t CutTrailingZeros(const std::uint8_t* stream, std::size_t n) {
  while (n >= 8 && LoadWord(stream + n - 8) == 0) n -= 8;
  while (n > 0 && stream[n - 1] == 0) --n;
  return n;
}

void PutLE32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = std::uint8_t(value >> (8 * i));
}

std::uint32_t GetLE32(const std::uint8_t* at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= std::uint32_t(at[i]) << (8 * i);
  return value;
}

TProjectHeader ReadHeader(const std::uint8_t* b) {
  TProjectHeader h;
  h.PlaneSide = b[4];
  h.FrameCapacity = b[5];
  h.ByteMode = b[6] & 0x0F;
  h.Order = b[6] >> 4;
  h.Arrangement = b[7] & 0x1F;
  h.AttrChoice = (b[7] >> 5) & 3;
  h.Masked = (b[7] & 0x80) != 0;
  h.Width = b[8];
  h.Height = b[9];
  h.FrameCount = b[10];
  h.CurrentFrame = b[11];
  h.PackedLength = GetLE32(b + 12);
  return h;
}

bool WithinLimits(const TProjectHeader& h) {
  const bool sizes = h.PlaneSide <= MaxSide && h.FrameCapacity <= MaxFrames && h.Width <= h.PlaneSide &&
                     h.Height <= h.PlaneSide && h.FrameCount <= MaxFrames && h.CurrentFrame <= h.FrameCount;
  // A setting the panel has no item for would leave its list without a valid choice.
  const bool settings = h.ByteMode < ByteModeCount && h.Order < OrderCount && h.Arrangement < ArrangementCount;
  return sizes && settings;
}

}  // namespace

const char* ProjectResultText(TProjectResult result) {
  switch (result) {
    case TProjectResult::Ok:
      return "";
    case TProjectResult::UnexpectedLength:
      return "File has unexpected length!";
    case TProjectResult::UnknownHeader:
      return "Unknown file header!\nThis is not an `Deduzu Sprite Project` file!";
    case TProjectResult::NotCompatible:
      return "This `Deduzu Sprite Project` file is not compatible with this version!\n"
             "Some of parameters exceed limits...";
  }
  return "";
}

std::vector<std::uint8_t> BuildPixelStream(const TSpriteStore& store) {
  std::vector<std::uint8_t> stream(PixelStreamSize);
  WritePixelStream(store, stream.data());
  return stream;
}

// Saving builds the stream in a buffer that no one clears first (every byte is written) and
// packs it straight behind the header of the file, so the payload is never copied again.
std::vector<std::uint8_t> BuildProjectFile(const TSpriteStore& store, const TProjectHeader& header) {
  const auto stream = std::make_unique_for_overwrite<std::uint8_t[]>(PixelStreamSize);
  WritePixelStream(store, stream.get());
  return BuildProjectFile(std::span<const std::uint8_t, PixelStreamSize>(stream.get(), PixelStreamSize), header);
}

std::vector<std::uint8_t> BuildProjectFile(std::span<const std::uint8_t, PixelStreamSize> stream,
                                           const TProjectHeader& header) {
  std::size_t k = CutTrailingZeros(stream.data(), PixelStreamSize);

  std::vector<std::uint8_t> file;
  int packed = 0;
  for (;;) {
    file.resize(ProjectHeaderSize + k);
    packed = PackRuns(std::span(file).subspan(ProjectHeaderSize), stream.first(k));
    if (ReadsBack(packed, k)) break;
    k = GrownCut(k);
  }
  file.resize(ProjectHeaderSize + std::size_t(packed));

  std::uint8_t* h = file.data();
  std::copy(Magic.begin(), Magic.end(), h);
  h[4] = MaxSide;
  h[5] = MaxFrames;
  h[6] = std::uint8_t((header.ByteMode & 0x0F) | (header.Order & 0x0F) << 4);
  h[7] = std::uint8_t((header.Arrangement & 0x1F) | (header.AttrChoice & 3) << 5 | (header.Masked ? 0x80 : 0));
  h[8] = std::uint8_t(header.Width);
  h[9] = std::uint8_t(header.Height);
  h[10] = std::uint8_t(header.FrameCount);
  h[11] = std::uint8_t(header.CurrentFrame);
  PutLE32(h + 12, std::uint32_t(packed));
  return file;
}

TProjectStatus CheckProjectFile(std::span<const std::uint8_t> bytes) {
  TProjectStatus result;
  if (bytes.size() > std::size_t(ProjectFileMaxSize) || bytes.size() < std::size_t(ProjectHeaderSize)) {
    result.Result = TProjectResult::UnexpectedLength;
    return result;
  }
  if (!std::equal(Magic.begin(), Magic.end(), bytes.begin())) {
    result.Result = TProjectResult::UnknownHeader;
    return result;
  }
  result.Header = ReadHeader(bytes.data());
  if (!WithinLimits(result.Header)) {
    result.Result = TProjectResult::NotCompatible;
    return result;
  }
  // A payload that ends before its packed length is a damaged file, never a blank document.
  if (result.Header.PackedLength > bytes.size() - ProjectHeaderSize) {
    result.Result = TProjectResult::UnexpectedLength;
    return result;
  }
  result.PreviousVersion = result.Header.PlaneSide != MaxSide || result.Header.FrameCapacity != MaxFrames;
  result.Result = TProjectResult::Ok;
  return result;
}

// UnpackRuns decodes the payload against the whole stream length and writes only what it
// decodes; the rest of the stream is cleared here, so every byte of `stream` is written.
void DecodePixelStream(std::span<const std::uint8_t> bytes, const TProjectHeader& header,
                       std::span<std::uint8_t, PixelStreamSize> stream, bool streamClear) {
  std::size_t decoded = 0;
  // A packed length past the end of the bytes has no payload to read (CheckProjectFile
  // refuses such a file): the stream is all zero, as for an empty payload.
  if (bytes.size() >= std::size_t(ProjectHeaderSize) && header.PackedLength <= bytes.size() - ProjectHeaderSize) {
    const int result = UnpackRuns(stream, bytes.subspan(ProjectHeaderSize, header.PackedLength));
    if (result == -1) {
      decoded = 0;  // no payload, or one longer than the stream: nothing was written
    } else if (result == -2) {
      decoded = stream.size();  // tokens for more than the stream: it is full, the rest is cut
    } else {
      decoded = std::size_t(result);  // a fill, a plain copy or the tokens' bytes; zeros after
    }
  }
  if (!streamClear) std::memset(stream.data() + decoded, 0, stream.size() - decoded);
}

TProjectFile ParseProjectFile(std::span<const std::uint8_t> bytes) {
  TProjectFile result{CheckProjectFile(bytes), {}};
  if (result.Result == TProjectResult::Ok) {
    result.PixelStream.resize(PixelStreamSize);
    DecodePixelStream(bytes, result.Header, std::span<std::uint8_t, PixelStreamSize>(result.PixelStream));
  }
  return result;
}

void SpreadPixelStream(TSpriteStore& store, std::span<const std::uint8_t> stream, int planeSide,
                       int frameCapacity, bool storeClear) {
  if (planeSide < 0 || planeSide > MaxSide || frameCapacity < 0 || frameCapacity > MaxFrames) return;
  const int rowBytes = (planeSide + 7) / 8;
  const std::size_t planeBytes = std::size_t(planeSide) * std::size_t(rowBytes);
  if (stream.size() < planeBytes * 2 * std::size_t(frameCapacity)) return;
  const bool cleared = storeClear || planeSide != MaxSide || frameCapacity != MaxFrames;
  if (cleared && !storeClear) store.ClearAll();
  // Planes after the stream's last set byte hold only clear pixels: clearing them costs far
  // less than unpacking zeros, and most of a drawn document is such planes.
  const std::size_t used = CutTrailingZeros(stream.data(), planeBytes * 2 * std::size_t(frameCapacity));
  TPlaneGrids grids;
  std::size_t at = 0;
  for (int f = 0; f < frameCapacity; ++f) {
    for (bool mask : {false, true}) {
      TPlane& plane = store.Plane(f, mask);
      if (at < used)
        UnpackPlane(plane, grids, stream.data() + at, planeSide, rowBytes);
      else if (!cleared)
        std::memset(plane.data(), 0, sizeof plane);
      at += planeBytes;
    }
  }
}
