#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "codec/byte_codec.h"
#include "codec/byte_grid.h"
#include "support/random_fill.h"

namespace {

TEST(ByteGridTest, PackedBytesEqualPackByteAndUnpackRestoresOnlyThoseColumns) {
  for (int bits : {6, 8}) {
    SCOPED_TRACE(bits);
    TSpriteStore s;
    FillRandom(s.Plane(0, true), 1);
    const int byteColumns = bits == 6 ? 39 : 29;  // stops short of column 239
    const std::uint8_t fill = bits == 6 ? 0x80 : 0;

    TByteGrid grid{};
    PackByteColumns(s.Plane(0, true), bits, byteColumns, fill, grid);
    for (int i = 0; i < byteColumns; ++i)
      for (int y = 0; y < MaxSide; ++y)
        ASSERT_EQ(grid[std::size_t(i * ByteColumnStride + y)], PackByte(s, true, bits, 0, i * bits, y, 2))
            << i << "," << y;

    TPlane& back = s.Plane(1, true);
    for (auto& column : back) column.fill(1);
    UnpackByteColumns(grid, bits, byteColumns, back);
    for (int x = 0; x < MaxSide; ++x)
      for (int y = 0; y < MaxSide; ++y)
        ASSERT_EQ(back[x][y], x < byteColumns * bits ? s.Pixel(0, true, x, y) : 1) << x << "," << y;
  }
}

TEST(ByteGridTest, TransposeSwapsLinesAndPositions) {
  TByteGrid columns{}, rows{}, again{};
  for (std::size_t k = 0; k < columns.size(); ++k) columns[k] = std::uint8_t(k * 7 + k / 240);
  TransposeByteGrid(columns, ByteColumnStride, 39, 17, rows, ByteRowStride);
  for (int i = 0; i < 39; ++i)
    for (int y = 0; y < 17; ++y)
      ASSERT_EQ(rows[std::size_t(y * ByteRowStride + i)], columns[std::size_t(i * ByteColumnStride + y)]);
  TransposeByteGrid(rows, ByteRowStride, 17, 39, again, ByteColumnStride);
  for (int i = 0; i < 39; ++i)
    for (int y = 0; y < 17; ++y)
      ASSERT_EQ(again[std::size_t(i * ByteColumnStride + y)], columns[std::size_t(i * ByteColumnStride + y)]);
}

TEST(ByteGridTest, CopyReversedHandlesEveryLengthAroundAWord) {
  std::vector<std::uint8_t> in(20);
  for (std::size_t k = 0; k < in.size(); ++k) in[k] = std::uint8_t(k + 1);
  for (int length = 1; length <= 20; ++length) {
    std::vector<std::uint8_t> out(21, 0);
    CopyReversed(in.data() + length - 1, length, out.data());
    for (int k = 0; k < length; ++k) ASSERT_EQ(out[std::size_t(k)], length - k) << length;
    EXPECT_EQ(out[std::size_t(length)], 0) << "nothing written past the end";
  }
}

}  // namespace
