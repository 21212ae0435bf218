#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "codec/byte_codec.h"

namespace {

// Writes a run of pixels starting at column x of row y.
void SetRun(TSpriteStore& s, bool mask, int x, int y, const std::vector<int>& run) {
  for (std::size_t k = 0; k < run.size(); ++k) s.SetPixel(0, mask, x + int(k), y, std::uint8_t(run[k]));
}

struct TPackCase {
  bool Mask;
  int Bits;
  int Attr;
  std::vector<int> Run;
  int Expected;
};

void PrintTo(const TPackCase& c, std::ostream* os) {
  *os << (c.Mask ? "mask" : "sprite") << " bits=" << c.Bits << " attr=" << c.Attr << " -> " << c.Expected;
}

class PackByteTest : public ::testing::TestWithParam<TPackCase> {};

TEST_P(PackByteTest, PacksRunIntoByte) {
  const TPackCase& c = GetParam();
  TSpriteStore s;
  SetRun(s, c.Mask, 8, 5, c.Run);
  EXPECT_EQ(PackByte(s, c.Mask, c.Bits, 0, 8, 5, c.Attr), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    BitTables, PackByteTest,
    ::testing::Values(
        TPackCase{false, 8, 0, {1, 0, 0, 0, 0, 0, 0, 1}, 0x81}, TPackCase{false, 8, 0, {1, 1, 0, 0, 0, 0, 0, 0}, 0xC0},
        TPackCase{false, 6, 0, {1, 0, 0, 0, 0, 0}, 0x01}, TPackCase{false, 6, 0, {0, 0, 0, 0, 0, 1}, 0x20},
        TPackCase{false, 6, 3, {1, 1, 1, 1, 1, 1}, 0x3F},  // attribute bits never enter sprite bytes
        TPackCase{true, 6, 0, {1, 1, 1, 1, 1, 1}, 0x3F}, TPackCase{true, 6, 1, {1, 1, 1, 1, 1, 1}, 0x7F},
        TPackCase{true, 6, 2, {1, 1, 1, 1, 1, 1}, 0xBF}, TPackCase{true, 6, 3, {1, 1, 1, 1, 1, 1}, 0xFF},
        TPackCase{true, 6, 2, {0, 0, 0, 0, 0, 0}, 0x80},
        TPackCase{true, 8, 3, {0, 0, 0, 0, 0, 0, 0, 0}, 0x00},  // 8-bit mask bytes ignore the attribute
        TPackCase{true, 8, 3, {0, 0, 0, 0, 0, 0, 0, 1}, 0x01}));

TEST(UnpackByteTest, EightBitLowBitIsRightmostPixel) {
  TSpriteStore s;
  UnpackByte(s, false, 8, 0, 0, 0, 0x01);
  for (int k = 0; k < 7; ++k) EXPECT_EQ(s.Pixel(0, false, k, 0), 0) << k;
  EXPECT_EQ(s.Pixel(0, false, 7, 0), 1);
}

TEST(UnpackByteTest, SixBitIgnoresTopBitsInBothPlanes) {
  for (bool mask : {false, true}) {
    TSpriteStore s;
    SetRun(s, mask, 0, 0, {1, 1, 1, 1, 1, 1});
    UnpackByte(s, mask, 6, 0, 0, 0, 0xC0);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(s.Pixel(0, mask, k, 0), 0);
    UnpackByte(s, mask, 6, 0, 0, 0, 0xFF);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(s.Pixel(0, mask, k, 0), 1);
  }
}

TEST(UnpackByteTest, ClearsRunAndLeavesNeighbourAlone) {
  for (int bits : {6, 8}) {
    TSpriteStore s;
    SetRun(s, false, 0, 3, std::vector<int>(bits + 1, 1));
    UnpackByte(s, false, bits, 0, 0, 3, 0x00);
    for (int k = 0; k < bits; ++k) EXPECT_EQ(s.Pixel(0, false, k, 3), 0);
    EXPECT_EQ(s.Pixel(0, false, bits, 3), 1) << "pixel x + B keeps its value";
  }
}

TEST(ByteCodecTest, RoundTripsEveryByte) {
  TSpriteStore s;
  for (int v = 0; v < 256; ++v) {
    UnpackByte(s, true, 8, 127, 232, 239, std::uint8_t(v));
    EXPECT_EQ(PackByte(s, true, 8, 127, 232, 239), v);
    UnpackByte(s, false, 6, 127, 234, 239, std::uint8_t(v));
    EXPECT_EQ(PackByte(s, false, 6, 127, 234, 239), v & 0x3F);
    UnpackByte(s, true, 6, 127, 234, 239, std::uint8_t(v));
    EXPECT_EQ(PackByte(s, true, 6, 127, 234, 239, 2), (v & 0x3F) | 0x80);
  }
}

}  // namespace
