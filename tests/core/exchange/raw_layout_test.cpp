#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "codec/byte_codec.h"
#include "exchange/raw_layout.h"
#include "support/random_fill.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

struct TPos {
  bool Mask;
  int X;
  int Y;
};

TDataFormat Format(int bits, TDataOrder order, bool masked, TMaskArrangement arrangement = maMaskByteFirst,
                   int attr = 0) {
  TDataFormat f;
  f.ByteMode = bits == 8 ? bmClassic8 : bm6BitReversed;
  f.Order = order;
  f.Masked = masked;
  f.Arrangement = arrangement;
  f.AttrChoice = attr;
  return f;
}

// "M0,0 S6,0 ..." -> positions.
std::vector<TPos> ParsePositions(const std::string& text) {
  std::vector<TPos> out;
  std::istringstream in(text);
  std::string token;
  while (in >> token) {
    const auto comma = token.find(',');
    out.push_back({token[0] == 'M', std::stoi(token.substr(1, comma - 1)), std::stoi(token.substr(comma + 1))});
  }
  return out;
}

// The bytes a frame block must hold when it visits `positions` in this order.
TBytes BytesAt(const TSpriteStore& s, int bits, int frame, const std::vector<TPos>& positions, int attr = 0) {
  TBytes out;
  for (const TPos& p : positions) out.push_back(PackByte(s, p.Mask, bits, frame, p.X, p.Y, attr));
  return out;
}

// Gives every byte position of frame 0 its own value, so that a byte out of place shows.
void FillDistinct(TSpriteStore& s, int bits, int width, int height) {
  int next = 1;
  for (bool m : {false, true})
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; x += bits) UnpackByte(s, m, bits, 0, x, y, std::uint8_t(next++));
  ASSERT_LT(next, 64) << "values must fit six bits";
}

// ---------------------------------------------------------------------------------------
// Byte order of one frame block, written out by hand for small sprites.

struct TOrderCase {
  const char* Name;
  int Bits;
  int Width;
  int Height;
  TDataOrder Order;
  bool Masked;
  TMaskArrangement Arrangement;
  const char* Expected;
};

void PrintTo(const TOrderCase& c, std::ostream* os) { *os << c.Name; }

class FrameBlockOrderTest : public ::testing::TestWithParam<TOrderCase> {};

TEST_P(FrameBlockOrderTest, VisitsPositionsInLayoutOrder) {
  const TOrderCase& c = GetParam();
  TSpriteStore s;
  FillDistinct(s, c.Bits, c.Width, c.Height);
  const TDataFormat format = Format(c.Bits, c.Order, c.Masked, c.Arrangement);
  const std::vector<TPos> positions = ParsePositions(c.Expected);
  ASSERT_EQ(int(positions.size()), FrameBlockSize(format, c.Width, c.Height));

  const TBytes data = ExportFrames(s, format, c.Width, c.Height, 1);
  EXPECT_EQ(data, BytesAt(s, c.Bits, 0, positions));

  // Reading the same bytes back puts every one where it came from.
  TSpriteStore back;
  EXPECT_EQ(ImportFrames(back, format, c.Width, c.Height, data), 1);
  EXPECT_EQ(BytesAt(back, c.Bits, 0, positions), data);
}

INSTANTIATE_TEST_SUITE_P(
    AllOrdersAndArrangements, FrameBlockOrderTest,
    ::testing::Values(
        TOrderCase{"RowsOff", 8, 16, 2, doByRows, false, maMaskByteFirst, "S0,0 S8,0 S0,1 S8,1"},
        TOrderCase{"RowsOffIgnoresWholeMaskFirst", 8, 16, 2, doByRows, false, maWholeMaskFirst,
                   "S0,0 S8,0 S0,1 S8,1"},
        TOrderCase{"RowsMaskByte", 6, 12, 2, doByRows, true, maMaskByteFirst,
                   "M0,0 S0,0 M6,0 S6,0 M0,1 S0,1 M6,1 S6,1"},
        TOrderCase{"RowsDataByte", 6, 12, 2, doByRows, true, maDataByteFirst,
                   "S0,0 M0,0 S6,0 M6,0 S0,1 M0,1 S6,1 M6,1"},
        TOrderCase{"RowsWholeMask", 8, 16, 2, doByRows, true, maWholeMaskFirst,
                   "M0,0 M8,0 M0,1 M8,1 S0,0 S8,0 S0,1 S8,1"},
        TOrderCase{"RowsWholeData", 6, 12, 1, doByRows, true, maWholeDataFirst, "S0,0 S6,0 M0,0 M6,0"},
        TOrderCase{"RowsMaskLine", 6, 12, 2, doByRows, true, maMaskLineFirst,
                   "M0,0 M6,0 S0,0 S6,0 M0,1 M6,1 S0,1 S6,1"},
        TOrderCase{"RowsDataLine", 8, 16, 2, doByRows, true, maDataLineFirst,
                   "S0,0 S8,0 M0,0 M8,0 S0,1 S8,1 M0,1 M8,1"},

        TOrderCase{"ColumnsOff", 6, 12, 3, doByColumns, false, maDataLineFirst, "S0,0 S0,1 S0,2 S6,0 S6,1 S6,2"},
        TOrderCase{"ColumnsMaskByte", 8, 16, 2, doByColumns, true, maMaskByteFirst,
                   "M0,0 S0,0 M0,1 S0,1 M8,0 S8,0 M8,1 S8,1"},
        TOrderCase{"ColumnsDataByte", 6, 12, 2, doByColumns, true, maDataByteFirst,
                   "S0,0 M0,0 S0,1 M0,1 S6,0 M6,0 S6,1 M6,1"},
        TOrderCase{"ColumnsWholeMask", 6, 12, 2, doByColumns, true, maWholeMaskFirst,
                   "M0,0 M0,1 M6,0 M6,1 S0,0 S0,1 S6,0 S6,1"},
        TOrderCase{"ColumnsWholeData", 8, 16, 2, doByColumns, true, maWholeDataFirst,
                   "S0,0 S0,1 S8,0 S8,1 M0,0 M0,1 M8,0 M8,1"},
        TOrderCase{"ColumnsMaskLine", 6, 12, 2, doByColumns, true, maMaskLineFirst,
                   "M0,0 M0,1 S0,0 S0,1 M6,0 M6,1 S6,0 S6,1"},
        TOrderCase{"ColumnsDataLine", 8, 16, 2, doByColumns, true, maDataLineFirst,
                   "S0,0 S0,1 M0,0 M0,1 S8,0 S8,1 M8,0 M8,1"},

        // Three rows: the last one runs forward and has no partner.
        TOrderCase{"RowsZigZagOff", 6, 12, 3, doByRowsZigZag, false, maMaskByteFirst,
                   "S0,0 S6,0 S6,1 S0,1 S0,2 S6,2"},
        TOrderCase{"RowsZigZagMaskByte", 6, 12, 3, doByRowsZigZag, true, maMaskByteFirst,
                   "M0,0 S0,0 M6,0 S6,0 M6,1 S6,1 M0,1 S0,1 M0,2 S0,2 M6,2 S6,2"},
        TOrderCase{"RowsZigZagDataByte", 8, 16, 2, doByRowsZigZag, true, maDataByteFirst,
                   "S0,0 M0,0 S8,0 M8,0 S8,1 M8,1 S0,1 M0,1"},
        TOrderCase{"RowsZigZagWholeMask", 6, 12, 3, doByRowsZigZag, true, maWholeMaskFirst,
                   "M0,0 M6,0 M6,1 M0,1 M0,2 M6,2 S0,0 S6,0 S6,1 S0,1 S0,2 S6,2"},
        TOrderCase{"RowsZigZagWholeData", 8, 16, 2, doByRowsZigZag, true, maWholeDataFirst,
                   "S0,0 S8,0 S8,1 S0,1 M0,0 M8,0 M8,1 M0,1"},
        TOrderCase{"RowsZigZagMaskLine", 6, 12, 2, doByRowsZigZag, true, maMaskLineFirst,
                   "M0,0 M6,0 S0,0 S6,0 M6,1 M0,1 S6,1 S0,1"},
        TOrderCase{"RowsZigZagDataLine", 6, 12, 3, doByRowsZigZag, true, maDataLineFirst,
                   "S0,0 S6,0 M0,0 M6,0 S6,1 S0,1 M6,1 M0,1 S0,2 S6,2 M0,2 M6,2"},

        // Three byte columns: the last one runs forward and has no partner.
        TOrderCase{"ColumnsZigZagOff", 6, 18, 2, doByColumnsZigZag, false, maMaskByteFirst,
                   "S0,0 S0,1 S6,1 S6,0 S12,0 S12,1"},
        TOrderCase{"ColumnsZigZagMaskByte", 6, 18, 2, doByColumnsZigZag, true, maMaskByteFirst,
                   "M0,0 S0,0 M0,1 S0,1 M6,1 S6,1 M6,0 S6,0 M12,0 S12,0 M12,1 S12,1"},
        TOrderCase{"ColumnsZigZagDataByte", 8, 16, 3, doByColumnsZigZag, true, maDataByteFirst,
                   "S0,0 M0,0 S0,1 M0,1 S0,2 M0,2 S8,2 M8,2 S8,1 M8,1 S8,0 M8,0"},
        TOrderCase{"ColumnsZigZagWholeMask", 6, 18, 2, doByColumnsZigZag, true, maWholeMaskFirst,
                   "M0,0 M0,1 M6,1 M6,0 M12,0 M12,1 S0,0 S0,1 S6,1 S6,0 S12,0 S12,1"},
        TOrderCase{"ColumnsZigZagWholeData", 8, 16, 2, doByColumnsZigZag, true, maWholeDataFirst,
                   "S0,0 S0,1 S8,1 S8,0 M0,0 M0,1 M8,1 M8,0"},
        TOrderCase{"ColumnsZigZagMaskLine", 6, 12, 3, doByColumnsZigZag, true, maMaskLineFirst,
                   "M0,0 M0,1 M0,2 S0,0 S0,1 S0,2 M6,2 M6,1 M6,0 S6,2 S6,1 S6,0"},
        TOrderCase{"ColumnsZigZagDataLine", 6, 18, 2, doByColumnsZigZag, true, maDataLineFirst,
                   "S0,0 S0,1 M0,0 M0,1 S6,1 S6,0 M6,1 M6,0 S12,0 S12,1 M12,0 M12,1"}),
    [](const ::testing::TestParamInfo<TOrderCase>& info) { return std::string(info.param.Name); });

TEST(RawLayoutTest, StartUpSettingsGoRowByRowMaskByteFirst) {
  TSpriteStore s;
  FillRandom(s, 7, 1);
  const TDataFormat format;  // 6 bits, by rows, masked, mask byte first, attribute "00"
  std::vector<TPos> positions;
  for (int y = 0; y < 24; ++y)
    for (TPos p : {TPos{true, 0, y}, TPos{false, 0, y}, TPos{true, 6, y}, TPos{false, 6, y}}) positions.push_back(p);

  const TBytes data = ExportFrames(s, format, 12, 24, 1);
  EXPECT_EQ(data.size(), 96u);
  EXPECT_EQ(RawDataSize(format, 12, 24, 1), 96);
  EXPECT_EQ(data, BytesAt(s, 6, 0, positions));
}

// ---------------------------------------------------------------------------------------
// Every layout at sizes that reach the long lines, odd line counts and the full 240 x 240,
// against the traversal spelled out position by position.

// The frame block of frame f, straight from the layout's definition.
TBytes ReferenceBlock(const TSpriteStore& s, const TDataFormat& format, int width, int height, int f) {
  const int b = BitsPerByte(format.ByteMode);
  const bool byRows = format.Order == doByRows || format.Order == doByRowsZigZag;
  const bool zigZag = format.Order == doByRowsZigZag || format.Order == doByColumnsZigZag;
  const int lineCount = byRows ? height : width / b;
  const int lineLength = byRows ? width / b : height;
  auto at = [&](bool mask, int line, int k) {
    const bool forward = !zigZag || line % 2 == 0;
    const int along = forward ? k : lineLength - 1 - k;
    const int x = byRows ? along * b : line * b;
    const int y = byRows ? line : along;
    return PackByte(s, mask, b, f, x, y, format.AttrChoice);
  };
  TBytes out;
  auto plane = [&](bool mask) {
    for (int line = 0; line < lineCount; ++line)
      for (int k = 0; k < lineLength; ++k) out.push_back(at(mask, line, k));
  };
  auto bothByBytes = [&](bool firstMask) {
    for (int line = 0; line < lineCount; ++line)
      for (int k = 0; k < lineLength; ++k) {
        out.push_back(at(firstMask, line, k));
        out.push_back(at(!firstMask, line, k));
      }
  };
  auto bothByLines = [&](bool firstMask) {
    for (int line = 0; line < lineCount; ++line)
      for (bool mask : {firstMask, !firstMask})
        for (int k = 0; k < lineLength; ++k) out.push_back(at(mask, line, k));
  };
  if (!format.Masked) {
    plane(false);
    return out;
  }
  switch (format.Arrangement) {
    case maMaskByteFirst: bothByBytes(true); break;
    case maDataByteFirst: bothByBytes(false); break;
    case maWholeMaskFirst: plane(true); plane(false); break;
    case maWholeDataFirst: plane(false); plane(true); break;
    case maMaskLineFirst: bothByLines(true); break;
    case maDataLineFirst: bothByLines(false); break;
  }
  return out;
}

struct TSizeCase {
  int Bits;
  int Width;
  int Height;
  int Frames;
};

void PrintTo(const TSizeCase& c, std::ostream* os) {
  *os << c.Bits << " bits " << c.Width << "x" << c.Height << " frames " << c.Frames;
}

class AllLayoutsTest : public ::testing::TestWithParam<TSizeCase> {};

TEST_P(AllLayoutsTest, ExportMatchesTraversalAndImportRestoresSpriteArea) {
  const TSizeCase& c = GetParam();
  TSpriteStore s;
  FillRandom(s, std::uint32_t(c.Width * 1000 + c.Height), c.Frames + 1);
  TSpriteStore back;
  for (int order = doByRows; order <= doByColumnsZigZag; ++order) {
    for (int arrangement = -1; arrangement <= maDataLineFirst; ++arrangement) {
      const bool masked = arrangement >= 0;
      const TDataFormat format = Format(c.Bits, TDataOrder(order), masked,
                                        TMaskArrangement(masked ? arrangement : maWholeMaskFirst), 2);
      SCOPED_TRACE(::testing::Message() << "order " << order << " arrangement " << arrangement);

      const TBytes data = ExportFrames(s, format, c.Width, c.Height, c.Frames);
      ASSERT_EQ(int(data.size()), RawDataSize(format, c.Width, c.Height, c.Frames));
      const std::size_t block = std::size_t(FrameBlockSize(format, c.Width, c.Height));
      for (int f = 0; f < c.Frames; ++f) {
        const TBytes expected = ReferenceBlock(s, format, c.Width, c.Height, f);
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), data.begin() + std::ptrdiff_t(f * block)))
            << "frame " << f;
      }

      // Frame by frame, the same bytes in blocks of one frame each.
      TBytes blocks;
      int blockCount = 0;
      ASSERT_TRUE(ExportFramesTo(s, format, c.Width, c.Height, c.Frames, [&](std::span<const std::uint8_t> b) {
        EXPECT_EQ(b.size(), block);
        blocks.insert(blocks.end(), b.begin(), b.end());
        ++blockCount;
      }));
      EXPECT_EQ(blockCount, c.Frames);
      ASSERT_EQ(blocks, data);

      FillRandom(back, 99, c.Frames + 1);  // leftovers that the import must clear
      ASSERT_EQ(ImportFrames(back, format, c.Width, c.Height, data), c.Frames);
      for (int f = 0; f <= c.Frames && f < MaxFrames; ++f)
        for (bool m : {false, true})
          for (int x = 0; x < MaxSide; ++x)
            for (int y = 0; y < MaxSide; ++y) {
              const bool kept = f < c.Frames && (!m || masked) && x < c.Width && y < c.Height;
              const int expected = kept ? s.Pixel(f, m, x, y) : 0;
              if (back.Pixel(f, m, x, y) != expected) {
                FAIL() << "frame " << f << (m ? " mask" : " sprite") << " pixel " << x << "," << y;
              }
            }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, AllLayoutsTest,
                         ::testing::Values(TSizeCase{6, 240, 240, 2},  // 40 byte columns, even rows
                                           TSizeCase{6, 234, 17, 3},   // 39 byte columns, 17 rows: both odd
                                           TSizeCase{6, 6, 1, 2},      // one byte per plane
                                           TSizeCase{8, 240, 239, 2},  // 30 byte columns, 239 rows
                                           TSizeCase{8, 24, 9, 3},     // 3 byte columns, 9 rows
                                           TSizeCase{8, 8, 240, 2}));  // one byte column

// ---------------------------------------------------------------------------------------
// Import edge cases.

TEST(ImportLengthTest, AcceptsExactlyHundredTwentyEightFullFrames) {
  struct TCase {
    TByteMode Mode;
    bool Masked;
    std::uint64_t Limit;
  };
  for (const TCase& c : {TCase{bmClassic8, false, 921'600}, TCase{bmClassic8, true, 1'843'200},
                         TCase{bm6BitReversed, false, 1'228'800}, TCase{bm6BitReversed, true, 2'457'600}}) {
    EXPECT_EQ(ImportLengthLimit(c.Mode, c.Masked), c.Limit);
    EXPECT_TRUE(ImportLengthAccepted(0, c.Mode, c.Masked));
    EXPECT_TRUE(ImportLengthAccepted(c.Limit, c.Mode, c.Masked));
    EXPECT_FALSE(ImportLengthAccepted(c.Limit + 1, c.Mode, c.Masked));
    EXPECT_FALSE(ImportLengthAccepted(std::uint64_t(1) << 32, c.Mode, c.Masked));
    // A length that would wrap to a small 32-bit value is still too long.
    EXPECT_FALSE(ImportLengthAccepted((std::uint64_t(1) << 32) + 10, c.Mode, c.Masked));
  }
}

TEST(ImportFramesTest, PartialLastFrameCountsAndLeavesTheRestClear) {
  TSpriteStore s;
  FillRandom(s, 3, 3);
  const TDataFormat format;  // 96 bytes a frame at 12 x 24
  TBytes data = ExportFrames(s, format, 12, 24, 3);
  data.resize(200);

  TSpriteStore back;
  FillRandom(back, 4, 3);
  EXPECT_EQ(ImportFrames(back, format, 12, 24, data), 3);
  for (int f = 0; f < 2; ++f)
    for (bool m : {false, true})
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_EQ(back.Pixel(f, m, x, y), s.Pixel(f, m, x, y));
  // Bytes 192 .. 199 are M(0,0) S(0,0) M(6,0) S(6,0) M(0,1) S(0,1) M(6,1) S(6,1) of frame 2.
  for (bool m : {false, true})
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 12; ++x)
        ASSERT_EQ(back.Pixel(2, m, x, y), y < 2 ? s.Pixel(2, m, x, y) : 0) << m << " " << x << "," << y;
}

TEST(ImportFramesTest, ReadsAtMostHundredTwentyEightFrames) {
  const TDataFormat format = Format(8, doByColumns, false);
  const int block = FrameBlockSize(format, 8, 2);  // 2 bytes
  TBytes data(std::size_t(200 * block));
  for (int f = 0; f < 200; ++f) {
    data[std::size_t(f * block)] = std::uint8_t(f);
    data[std::size_t(f * block + 1)] = std::uint8_t(~f);
  }
  ASSERT_TRUE(ImportLengthAccepted(data.size(), format.ByteMode, format.Masked));

  TSpriteStore back;
  EXPECT_EQ(ImportFrames(back, format, 8, 2, data), 128);
  EXPECT_EQ(PackByte(back, false, 8, 0, 0, 0), 0);
  EXPECT_EQ(PackByte(back, false, 8, 127, 0, 0), 127);
  EXPECT_EQ(PackByte(back, false, 8, 127, 0, 1), std::uint8_t(~127));
}

TEST(ImportFramesTest, EmptyDataClearsTheStoreButNotTheCopyBuffer) {
  TSpriteStore back;
  FillRandom(back, 5, 2);
  back.SetPixel(127, true, 239, 239, 1);
  back.FCopyBuffer[3][4] = 1;
  EXPECT_EQ(ImportFrames(back, TDataFormat{}, 12, 24, {}), 0);
  for (int f : {0, 1, 127})
    for (bool m : {false, true})
      for (int x = 0; x < MaxSide; ++x)
        for (int y = 0; y < MaxSide; ++y) ASSERT_EQ(back.Pixel(f, m, x, y), 0);
  EXPECT_EQ(back.FCopyBuffer[3][4], 1);
}

TEST(ImportFramesTest, KeepsTheCopyBuffer) {
  TSpriteStore back;
  back.FCopyBuffer[239][239] = 1;
  const TBytes data(96, 0xFF);
  EXPECT_EQ(ImportFrames(back, TDataFormat{}, 12, 24, data), 1);
  EXPECT_EQ(back.FCopyBuffer[239][239], 1);
}

TEST(RawLayoutTest, MaskingOffCarriesSpriteBytesAloneWhateverTheArrangement) {
  TSpriteStore s;
  FillRandom(s, 11, 2);
  const TDataFormat off = Format(6, doByRows, false, maWholeMaskFirst);
  const TBytes data = ExportFrames(s, off, 12, 2, 2);
  std::vector<TPos> sprite = ParsePositions("S0,0 S6,0 S0,1 S6,1");
  TBytes expected = BytesAt(s, 6, 0, sprite);
  const TBytes second = BytesAt(s, 6, 1, sprite);
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(data, expected);

  TSpriteStore back;
  FillRandom(back, 12, 2);
  EXPECT_EQ(ImportFrames(back, off, 12, 2, data), 2);
  for (int f = 0; f < 2; ++f)
    for (int x = 0; x < 12; ++x)
      for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(back.Pixel(f, false, x, y), s.Pixel(f, false, x, y));
        EXPECT_EQ(back.Pixel(f, true, x, y), 0) << "mask planes are clear after an unmasked import";
      }
}

TEST(RawLayoutTest, AttributeBitsGoIntoSixBitMaskBytesOnlyAndAreDroppedOnImport) {
  TSpriteStore s;
  for (int x = 0; x < 6; ++x) {
    s.SetPixel(0, false, x, 0, 1);
    s.SetPixel(0, true, x, 0, 1);
  }
  const TBytes six = ExportFrames(s, Format(6, doByRows, true, maMaskByteFirst, 2), 6, 2, 1);
  EXPECT_EQ(six, (TBytes{0xBF, 0x3F, 0x80, 0x00}));  // M(0,0) S(0,0) M(0,1) S(0,1)

  // Eight bits: the attribute choice changes nothing.
  for (int x = 0; x < 8; ++x) s.SetPixel(0, true, x, 1, x == 7);
  const TBytes eight = ExportFrames(s, Format(8, doByRows, true, maWholeMaskFirst, 3), 8, 2, 1);
  EXPECT_EQ(eight, (TBytes{0xFC, 0x01, 0xFC, 0x00}));

  // Bits 7-6 never become pixels; the next export puts the current choice in.
  TSpriteStore back;
  const TDataFormat now = Format(6, doByRows, true, maMaskByteFirst, 1);
  ASSERT_EQ(ImportFrames(back, now, 6, 2, TBytes{0xC1, 0xC2, 0x80, 0x40}), 1);
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(back.Pixel(0, true, x, 0), x == 0);
    EXPECT_EQ(back.Pixel(0, false, x, 0), x == 1);
    EXPECT_EQ(back.Pixel(0, true, x, 1), 0);
    EXPECT_EQ(back.Pixel(0, false, x, 1), 0);
  }
  EXPECT_EQ(back.Pixel(0, false, 6, 0), 0) << "nothing beyond the sprite width";
  EXPECT_EQ(ExportFrames(back, now, 6, 2, 1), (TBytes{0x41, 0x02, 0x40, 0x00}));
}

TEST(RawLayoutTest, SizesOutsideTheStoreProduceAndReadNothing) {
  TSpriteStore s;
  s.SetPixel(0, false, 0, 0, 1);
  const TDataFormat f6 = Format(6, doByRows, true);
  const std::pair<int, int> sizes[] = {{0, 1}, {8, 1}, {246, 1}, {12, 0}, {12, 241}};
  for (auto [w, h] : sizes)
    EXPECT_TRUE(ExportFrames(s, f6, w, h, 1).empty()) << w << "x" << h;
  EXPECT_TRUE(ExportFrames(s, f6, 12, 1, 0).empty());
  int writes = 0;
  auto count = [&](std::span<const std::uint8_t>) { ++writes; };
  EXPECT_FALSE(ExportFramesTo(s, f6, 246, 1, 1, count));
  EXPECT_FALSE(ExportFramesTo(s, f6, 12, 1, 0, count));
  EXPECT_EQ(writes, 0);
  EXPECT_TRUE(ExportFramesTo(s, f6, 12, 1, 500, count));
  EXPECT_EQ(writes, 128);
  EXPECT_EQ(ExportFrames(s, f6, 12, 1, 500).size(), std::size_t(128 * 4)) << "the store holds 128 frames";
  EXPECT_EQ(ImportFrames(s, f6, 246, 1, TBytes(80, 0xFF)), 0);
}

}  // namespace
