#include "exchange/raw_layout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

#include "codec/byte_grid.h"
#include "codec/words.h"

// A frame goes through byte grids, two per plane: packing fills the grid by byte columns,
// the row orders transpose it into the grid by rows, and the layout's traversal then moves
// whole lines between a grid and the stream. Import runs the same way back.

int FrameBlockSize(const TDataFormat& format, int width, int height) {
  return (width / BitsPerByte(format.ByteMode)) * height * (format.Masked ? 2 : 1);
}

int RawDataSize(const TDataFormat& format, int width, int height, int frames) {
  return frames * FrameBlockSize(format, width, height);
}

// The longest import holds 128 frames of 240 rows in each plane: 30,720 lines of bytes,
// each as long as a 240-pixel row in the byte mode.
constexpr std::uint64_t ImportLinesPerPlane = std::uint64_t(MaxFrames) * MaxSide;

std::uint64_t ImportLengthLimit(TByteMode byteMode, bool masked) {
  const std::uint64_t bytesPerLine = std::uint64_t(MaxSide / BitsPerByte(byteMode));
  const std::uint64_t planes = masked ? 2 : 1;
  return bytesPerLine * planes * ImportLinesPerPlane;
}

bool ImportLengthAccepted(std::uint64_t length, TByteMode byteMode, bool masked) {
  constexpr std::uint64_t FourGiB = std::uint64_t(1) << 32;
  return length < FourGiB && length <= ImportLengthLimit(byteMode, masked);
}

bool LayoutValid(const TDataFormat& format, int width, int height) {
  const int b = BitsPerByte(format.ByteMode);
  const bool orderKnown = format.Order >= doByRows && format.Order <= doByColumnsZigZag;
  const bool arrangementKnown =
      !format.Masked || (format.Arrangement >= maMaskByteFirst && format.Arrangement <= maDataLineFirst);
  return orderKnown && arrangementKnown && width >= b && width <= MaxSide && width % b == 0 && height >= 1 &&
         height <= MaxSide;
}

namespace {

void ClearColumnsFrom(TPlane& plane, int x) {
  if (x < MaxSide) std::memset(plane.data() + x, 0, sizeof(plane[0]) * std::size_t(MaxSide - x));
}

// --- Lines between a grid and the stream ---------------------------------------------

// A line steps through its grid by +1 or by -1. The stream position travels by value and
// comes back as the result, so that byte stores cannot make the compiler reload it.
// Fixed-size chunks with a known step let the compiler vectorise interleaving.
constexpr int Chunk = 16;

// The four bytes of x's low half moved to the even bytes of a word (byte r to byte 2r).
constexpr std::uint64_t SpreadBytes(std::uint64_t x) {
  x = (x | (x << 16)) & 0x0000FFFF0000FFFF;
  return (x | (x << 8)) & 0x00FF00FF00FF00FF;
}

template <int Step>
void PutPairChunk(std::uint8_t* __restrict out, const std::uint8_t* __restrict p, const std::uint8_t* __restrict q) {
  if constexpr (std::endian::native == std::endian::little) {
    // Eight bytes of each plane at a time, interleaved in registers.
    for (int j = 0; j < Chunk; j += 8) {
      std::uint64_t a, b;
      if constexpr (Step == 1) {
        a = LoadWord(p + j);
        b = LoadWord(q + j);
      } else {
        a = ByteSwap(LoadWord(p - j - 7));
        b = ByteSwap(LoadWord(q - j - 7));
      }
      StoreWord(out + 2 * j, SpreadBytes(a & 0xFFFFFFFF) | SpreadBytes(b & 0xFFFFFFFF) << 8);
      StoreWord(out + 2 * j + 8, SpreadBytes(a >> 32) | SpreadBytes(b >> 32) << 8);
    }
  } else {
    for (int j = 0; j < Chunk; ++j) {
      out[2 * j] = p[j * Step];
      out[2 * j + 1] = q[j * Step];
    }
  }
}

// The even bytes of x gathered into the low half of a word (byte 2r to byte r).
constexpr std::uint64_t GatherBytes(std::uint64_t x) {
  x &= 0x00FF00FF00FF00FF;
  x = (x | (x >> 8)) & 0x0000FFFF0000FFFF;
  return (x | (x >> 16)) & 0x00000000FFFFFFFF;
}

template <int Step>
void GetPairChunk(const std::uint8_t* __restrict in, std::uint8_t* __restrict p, std::uint8_t* __restrict q) {
  if constexpr (std::endian::native == std::endian::little) {
    for (int j = 0; j < Chunk; j += 8) {
      const std::uint64_t lo = LoadWord(in + 2 * j), hi = LoadWord(in + 2 * j + 8);
      const std::uint64_t a = GatherBytes(lo) | GatherBytes(hi) << 32;
      const std::uint64_t b = GatherBytes(lo >> 8) | GatherBytes(hi >> 8) << 32;
      if constexpr (Step == 1) {
        StoreWord(p + j, a);
        StoreWord(q + j, b);
      } else {
        StoreWord(p - j - 7, ByteSwap(a));
        StoreWord(q - j - 7, ByteSwap(b));
      }
    }
  } else {
    for (int j = 0; j < Chunk; ++j) {
      p[j * Step] = in[2 * j];
      q[j * Step] = in[2 * j + 1];
    }
  }
}

template <int Step>
std::uint8_t* PutLine(std::uint8_t* out, const std::uint8_t* p, int length) {
  if constexpr (Step == 1)
    std::copy_n(p, length, out);
  else
    CopyReversed(p, length, out);
  return out + length;
}

template <int Step>
const std::uint8_t* GetLine(const std::uint8_t* in, std::uint8_t* p, int length) {
  if constexpr (Step == 1)
    std::copy_n(in, length, p);
  else
    CopyReversed(in + length - 1, length, p - (length - 1));
  return in + length;
}

template <int Step>
std::uint8_t* PutPair(std::uint8_t* out, const std::uint8_t* p, const std::uint8_t* q, int length) {
  int n = 0;
  for (; n + Chunk <= length; n += Chunk, p += Chunk * Step, q += Chunk * Step, out += 2 * Chunk)
    PutPairChunk<Step>(out, p, q);
  for (; n < length; ++n, p += Step, q += Step) {
    *out++ = *p;
    *out++ = *q;
  }
  return out;
}

template <int Step>
const std::uint8_t* GetPair(const std::uint8_t* in, std::uint8_t* p, std::uint8_t* q, int length) {
  int n = 0;
  for (; n + Chunk <= length; n += Chunk, p += Chunk * Step, q += Chunk * Step, in += 2 * Chunk)
    GetPairChunk<Step>(in, p, q);
  for (; n < length; ++n, p += Step, q += Step) {
    *p = *in++;
    *q = *in++;
  }
  return in;
}

// --- Traversal ------------------------------------------------------------------------

// One line of the traversal within its grid: index of its first byte, forward or backward.
struct TLine {
  int Start;
  bool Forward;
};

struct TTraversal {
  bool ByRows = true;
  std::array<TLine, MaxSide> Lines;
  int Count = 0;   // lines per plane
  int Length = 0;  // bytes per line
};

// Lines are rows or byte columns; in the zig-zag orders every odd line runs backward.
TTraversal MakeTraversal(TDataOrder order, int byteColumns, int height) {
  const bool zigZag = order == doByRowsZigZag || order == doByColumnsZigZag;
  TTraversal t;
  t.ByRows = order == doByRows || order == doByRowsZigZag;
  t.Count = t.ByRows ? height : byteColumns;
  t.Length = t.ByRows ? byteColumns : height;
  const int stride = t.ByRows ? ByteRowStride : ByteColumnStride;
  for (int j = 0; j < t.Count; ++j) {
    const bool forward = !zigZag || j % 2 == 0;
    t.Lines[j] = {j * stride + (forward ? 0 : t.Length - 1), forward};
  }
  return t;
}

// Visits one frame block in stream order. `run(grid, line)` moves one line of one plane;
// `pair(first, second, line)` moves one line of two planes, byte by byte alternately.
template <class TG, class TRun, class TPair>
void WalkBlock(const TTraversal& t, bool masked, TMaskArrangement arrangement, TG& sprite, TG& mask, TRun run,
               TPair pair) {
  const TLine* first = t.Lines.data();
  const TLine* last = first + t.Count;
  if (!masked) {
    for (const TLine* l = first; l != last; ++l) run(sprite, *l);
    return;
  }
  switch (arrangement) {
    case maMaskByteFirst:
      for (const TLine* l = first; l != last; ++l) pair(mask, sprite, *l);
      break;
    case maDataByteFirst:
      for (const TLine* l = first; l != last; ++l) pair(sprite, mask, *l);
      break;
    case maWholeMaskFirst:
      for (const TLine* l = first; l != last; ++l) run(mask, *l);
      for (const TLine* l = first; l != last; ++l) run(sprite, *l);
      break;
    case maWholeDataFirst:
      for (const TLine* l = first; l != last; ++l) run(sprite, *l);
      for (const TLine* l = first; l != last; ++l) run(mask, *l);
      break;
    case maMaskLineFirst:
      for (const TLine* l = first; l != last; ++l) {
        run(mask, *l);
        run(sprite, *l);
      }
      break;
    case maDataLineFirst:
      for (const TLine* l = first; l != last; ++l) {
        run(sprite, *l);
        run(mask, *l);
      }
      break;
  }
}

// --- Export and import ----------------------------------------------------------------

// The grid whose lines the traversal walks.
template <class TBytes>
auto& LineGrid(const TTraversal& t, TBytes& bytes) {
  return t.ByRows ? bytes.Rows : bytes.Columns;
}

}  // namespace

namespace {

// Writes frame blocks 0 .. frames-1; `blockOut(f)` gives where frame f's block goes, and
// `done(f)` runs once it is complete.
template <class TBlockOut, class TDone>
void ExportBlocks(const TSpriteStore& store, const TDataFormat& format, int width, int height, int frames,
                  TBlockOut blockOut, TDone done) {
  const int bits = BitsPerByte(format.ByteMode);
  const int byteColumns = width / bits;
  const std::uint8_t attr = bits == 6 ? std::uint8_t((format.AttrChoice & 3) << 6) : 0;
  const TTraversal t = MakeTraversal(format.Order, byteColumns, height);
  const int length = t.Length;
  std::uint8_t* out = nullptr;
  TPlaneGrids sprite, mask;

  auto pack = [&](const TPlane& plane, std::uint8_t fill, TPlaneGrids& bytes) {
    PackByteColumns(plane, bits, byteColumns, fill, bytes.Columns);
    if (t.ByRows) TransposeByteGrid(bytes.Columns, ByteColumnStride, byteColumns, height, bytes.Rows, ByteRowStride);
  };
  auto run = [&](const TPlaneGrids& g, TLine l) {
    const std::uint8_t* p = LineGrid(t, g).data() + l.Start;
    out = l.Forward ? PutLine<1>(out, p, length) : PutLine<-1>(out, p, length);
  };
  auto pair = [&](const TPlaneGrids& a, const TPlaneGrids& b, TLine l) {
    const std::uint8_t* p = LineGrid(t, a).data() + l.Start;
    const std::uint8_t* q = LineGrid(t, b).data() + l.Start;
    out = l.Forward ? PutPair<1>(out, p, q, length) : PutPair<-1>(out, p, q, length);
  };

  for (int f = 0; f < frames; ++f) {
    out = blockOut(f);
    pack(store.Plane(f, false), 0, sprite);
    if (format.Masked) pack(store.Plane(f, true), attr, mask);
    WalkBlock<const TPlaneGrids>(t, format.Masked, format.Arrangement, sprite, mask, run, pair);
    done(f);
  }
}

}  // namespace

std::vector<std::uint8_t> ExportFrames(const TSpriteStore& store, const TDataFormat& format, int width, int height,
                                       int frames) {
  if (!LayoutValid(format, width, height) || frames <= 0) return {};
  frames = std::min(frames, MaxFrames);
  const std::size_t block = std::size_t(FrameBlockSize(format, width, height));
  std::vector<std::uint8_t> data(block * std::size_t(frames));
  ExportBlocks(
      store, format, width, height, frames, [&](int f) { return data.data() + std::size_t(f) * block; }, [](int) {});
  return data;
}

bool ExportFramesTo(const TSpriteStore& store, const TDataFormat& format, int width, int height, int frames,
                    const std::function<void(std::span<const std::uint8_t>)>& write) {
  if (!LayoutValid(format, width, height) || frames <= 0) return false;
  frames = std::min(frames, MaxFrames);
  const std::size_t block = std::size_t(FrameBlockSize(format, width, height));
  std::array<std::uint8_t, MaxFrameBlockSize> buffer;
  ExportBlocks(
      store, format, width, height, frames, [&](int) { return buffer.data(); },
      [&](int) { write(std::span(buffer.data(), block)); });
  return true;
}

// Every pixel of both planes of all 128 frames is written exactly once: the W x H area of
// the frames read from the data, zeros everywhere else. That is the same as clearing the
// store first, without writing the 14 MB twice.
int ImportFrames(TSpriteStore& store, const TDataFormat& format, int width, int height,
                 std::span<const std::uint8_t> data) {
  if (!LayoutValid(format, width, height) || data.empty()) {
    store.ClearAll();
    return 0;
  }
  const int bits = BitsPerByte(format.ByteMode);
  const int byteColumns = width / bits;
  const std::size_t block = std::size_t(FrameBlockSize(format, width, height));
  const int frames = int(std::min<std::size_t>(data.size() / block + (data.size() % block != 0), MaxFrames));
  const TTraversal t = MakeTraversal(format.Order, byteColumns, height);
  const int length = t.Length;
  TPlaneGrids sprite, mask;
  // A last frame that the data fill only in part reads zeros past the end: those pixels stay clear.
  std::array<std::uint8_t, 2 * sizeof(TByteGrid)> tail{};

  const std::uint8_t* in = nullptr;
  auto run = [&](TPlaneGrids& g, TLine l) {
    std::uint8_t* p = LineGrid(t, g).data() + l.Start;
    in = l.Forward ? GetLine<1>(in, p, length) : GetLine<-1>(in, p, length);
  };
  auto pair = [&](TPlaneGrids& a, TPlaneGrids& b, TLine l) {
    std::uint8_t* p = LineGrid(t, a).data() + l.Start;
    std::uint8_t* q = LineGrid(t, b).data() + l.Start;
    in = l.Forward ? GetPair<1>(in, p, q, length) : GetPair<-1>(in, p, q, length);
  };
  // Grid rows from the height on stay zero, so the unpacked columns are clear below the sprite.
  auto unpack = [&](TPlaneGrids& bytes, TPlane& plane) {
    if (t.ByRows) TransposeByteGrid(bytes.Rows, ByteRowStride, height, byteColumns, bytes.Columns, ByteColumnStride);
    UnpackByteColumns(bytes.Columns, bits, byteColumns, plane);
    ClearColumnsFrom(plane, width);
  };

  for (int f = 0; f < frames; ++f) {
    const std::size_t offset = std::size_t(f) * block;
    if (data.size() - offset >= block) {
      in = data.data() + offset;
    } else {
      std::copy(data.begin() + std::ptrdiff_t(offset), data.end(), tail.begin());
      in = tail.data();
    }
    WalkBlock<TPlaneGrids>(t, format.Masked, format.Arrangement, sprite, mask, run, pair);
    unpack(sprite, store.Plane(f, false));
    if (format.Masked)
      unpack(mask, store.Plane(f, true));
    else
      ClearColumnsFrom(store.Plane(f, true), 0);
  }
  for (int f = frames; f < MaxFrames; ++f) {
    ClearColumnsFrom(store.Plane(f, false), 0);
    ClearColumnsFrom(store.Plane(f, true), 0);
  }
  return frames;
}
