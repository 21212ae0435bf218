#include "codec/byte_grid.h"

#include <cstddef>
#include <utility>

#include "codec/words.h"

namespace {

// Bit of pixel k of a run: the leftmost pixel is bit 7 with 8 bits, bit 0 with 6 bits.
template <int B>
constexpr int PixelBit(int k) {
  return B == 8 ? 7 - k : k;
}

using TColumn = TPlane::value_type;

// Packing and unpacking run over whole 240-row columns with the pixel loop unrolled: a
// fixed count of contiguous bytes lets the compiler vectorise them.

template <int B, std::size_t... K>
void PackColumn(const TColumn* __restrict px, std::uint8_t fill, std::uint8_t* __restrict col,
                std::index_sequence<K...>) {
  for (int y = 0; y < MaxSide; ++y) col[y] = std::uint8_t(fill | (... | (px[K][y] << PixelBit<B>(int(K)))));
}

template <int B, std::size_t... K>
void UnpackColumn(const std::uint8_t* __restrict col, TColumn* __restrict px, std::index_sequence<K...>) {
  for (int y = 0; y < MaxSide; ++y) {
    const unsigned v = col[y];
    ((px[K][y] = std::uint8_t((v >> PixelBit<B>(int(K))) & 1)), ...);
  }
}

template <int B>
void PackWith(const TPlane& plane, int byteColumns, std::uint8_t fill, TByteGrid& columns) {
  for (int i = 0; i < byteColumns; ++i)
    PackColumn<B>(&plane[i * B], fill, columns.data() + i * ByteColumnStride, std::make_index_sequence<B>());
}

template <int B>
void UnpackWith(const TByteGrid& columns, int byteColumns, TPlane& plane) {
  for (int i = 0; i < byteColumns; ++i)
    UnpackColumn<B>(columns.data() + i * ByteColumnStride, &plane[i * B], std::make_index_sequence<B>());
}

using TWord = std::uint64_t;

// Of the byte matrix whose rows are the words, swaps the N x N blocks off the diagonal of
// the 2N x 2N block that rows a and b (N rows below a) pass through.
template <int N>
void SwapBlocks(TWord& a, TWord& b) {
  constexpr TWord keep = N == 4 ? 0x00000000FFFFFFFF : N == 2 ? 0x0000FFFF0000FFFF : 0x00FF00FF00FF00FF;
  const TWord top = (a & keep) | ((b & keep) << (8 * N));
  b = ((a >> (8 * N)) & keep) | (b & ~keep);
  a = top;
}

// Afterwards byte j of word r is what byte r of word j was.
void Transpose8x8(TWord& w0, TWord& w1, TWord& w2, TWord& w3, TWord& w4, TWord& w5, TWord& w6, TWord& w7) {
  SwapBlocks<4>(w0, w4);
  SwapBlocks<4>(w1, w5);
  SwapBlocks<4>(w2, w6);
  SwapBlocks<4>(w3, w7);
  SwapBlocks<2>(w0, w2);
  SwapBlocks<2>(w1, w3);
  SwapBlocks<2>(w4, w6);
  SwapBlocks<2>(w5, w7);
  SwapBlocks<1>(w0, w1);
  SwapBlocks<1>(w2, w3);
  SwapBlocks<1>(w4, w5);
  SwapBlocks<1>(w6, w7);
}

}  // namespace

void PackByteColumns(const TPlane& plane, int bitsPerByte, int byteColumns, std::uint8_t fill, TByteGrid& columns) {
  if (bitsPerByte == 8)
    PackWith<8>(plane, byteColumns, fill, columns);
  else
    PackWith<6>(plane, byteColumns, fill, columns);
}

void UnpackByteColumns(const TByteGrid& columns, int bitsPerByte, int byteColumns, TPlane& plane) {
  if (bitsPerByte == 8)
    UnpackWith<8>(columns, byteColumns, plane);
  else
    UnpackWith<6>(columns, byteColumns, plane);
}

void TransposeBlock8(const std::uint8_t* from, std::ptrdiff_t fromStride, std::uint8_t* to, std::ptrdiff_t toStride) {
  TWord w0 = LoadLittle(from), w1 = LoadLittle(from + fromStride), w2 = LoadLittle(from + 2 * fromStride),
        w3 = LoadLittle(from + 3 * fromStride), w4 = LoadLittle(from + 4 * fromStride),
        w5 = LoadLittle(from + 5 * fromStride), w6 = LoadLittle(from + 6 * fromStride),
        w7 = LoadLittle(from + 7 * fromStride);
  Transpose8x8(w0, w1, w2, w3, w4, w5, w6, w7);
  StoreLittle(to, w0);
  StoreLittle(to + toStride, w1);
  StoreLittle(to + 2 * toStride, w2);
  StoreLittle(to + 3 * toStride, w3);
  StoreLittle(to + 4 * toStride, w4);
  StoreLittle(to + 5 * toStride, w5);
  StoreLittle(to + 6 * toStride, w6);
  StoreLittle(to + 7 * toStride, w7);
}

void TransposeByteGrid(const TByteGrid& from, int fromStride, int lines, int positions, TByteGrid& to, int toStride) {
  for (int a = 0; a < lines; a += 8)
    for (int b = 0; b < positions; b += 8)
      TransposeBlock8(from.data() + a * fromStride + b, fromStride, to.data() + b * toStride + a, toStride);
}

void CopyReversed(const std::uint8_t* last, int length, std::uint8_t* out) {
  int n = 0;
  for (; n + 8 <= length; n += 8, last -= 8, out += 8) StoreWord(out, ByteSwap(LoadWord(last - 7)));
  for (; n < length; ++n) *out++ = *last--;
}
