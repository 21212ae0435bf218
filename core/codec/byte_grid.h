#pragma once
// Data bytes of one plane of one frame held in a small grid, so that exchange formats can
// move whole lines instead of packing byte by byte. Each byte equals PackByte of its
// position, and unpacking a grid gives what UnpackByte would.

#include <array>
#include <cstddef>
#include <cstdint>

#include "document/sprite_store.h"

constexpr int MaxByteColumns = MaxSide / 6;

// By byte columns, the byte at (i * B, y) lies at i * ByteColumnStride + y; by rows, at
// y * ByteRowStride + i. Either way a line of the grid is contiguous.
using TByteGrid = std::array<std::uint8_t, MaxByteColumns * MaxSide>;
constexpr int ByteColumnStride = MaxSide;
constexpr int ByteRowStride = MaxByteColumns;

// One plane's data bytes both ways: packing fills Columns, and TransposeByteGrid turns them
// into Rows or back. Both start cleared, so lines a plane of a smaller size leaves unwritten
// read as zero.
struct TPlaneGrids {
  TByteGrid Columns{};
  TByteGrid Rows{};
};

// Callers keep byteColumns * bitsPerByte <= 240, as every sprite width does.

// Packs all 240 rows of byte columns 0 .. byteColumns-1 into a grid by byte columns.
// `fill` is ORed into every byte: the attribute bits of 6-bit mask bytes, 0 otherwise.
void PackByteColumns(const TPlane& plane, int bitsPerByte, int byteColumns, std::uint8_t fill, TByteGrid& columns);

// Writes all 240 rows of pixel columns 0 .. byteColumns * B - 1 from a grid by byte
// columns. Bits 7-6 of 6-bit bytes are never read.
void UnpackByteColumns(const TByteGrid& columns, int bitsPerByte, int byteColumns, TPlane& plane);

// Line a, position b of `from` becomes line b, position a of `to`, for a < lines and
// b < positions. Works in blocks of 8 x 8, so both counts are rounded up to a multiple of
// 8 and the extra bytes are carried along too. Callers keep the rounded counts within the
// grid's shape: at most 40 byte columns and 240 rows, which every sprite size does.
void TransposeByteGrid(const TByteGrid& from, int fromStride, int lines, int positions, TByteGrid& to, int toStride);

// Byte j of the 8 bytes at from + i * fromStride becomes byte i of the 8 bytes at
// to + j * toStride, for i, j < 8.
void TransposeBlock8(const std::uint8_t* from, std::ptrdiff_t fromStride, std::uint8_t* to, std::ptrdiff_t toStride);

// out[0] = *last, out[1] = last[-1], ... for `length` bytes, eight at a time.
void CopyReversed(const std::uint8_t* last, int length, std::uint8_t* out);
