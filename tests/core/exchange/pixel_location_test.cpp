#include "exchange/pixel_location.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "exchange/raw_layout.h"
#include "support/random_fill.h"

namespace {

// Every raw layout: both byte modes, four orders, masking off or one of the six arrangements.
struct TLayout {
  TDataFormat Format;
  std::string Name;
};

// Attribute choice `attr` throughout.
std::vector<TLayout> AllLayouts(int attr) {
  std::vector<TLayout> out;
  for (TByteMode mode : {bm6BitReversed, bmClassic8})
    for (int order = doByRows; order <= doByColumnsZigZag; ++order)
      for (int arrangement = -1; arrangement <= maDataLineFirst; ++arrangement) {
        TDataFormat f;
        f.ByteMode = mode;
        f.Order = TDataOrder(order);
        f.Masked = arrangement >= 0;
        // Unmasked layouts keep a stale arrangement, which the export ignores.
        f.Arrangement = TMaskArrangement(arrangement >= 0 ? arrangement : maWholeMaskFirst);
        f.AttrChoice = attr;
        out.push_back({f, std::string(ByteModeItems[mode]) + " / " + DataOrderItems[order] + " / " +
                              (f.Masked ? MaskArrangementItems[arrangement] : "unmasked")});
      }
  return out;
}

// Widths in byte columns: one, odd counts, counts that are no multiple of the 8- and 16-byte
// chunks the export moves at once, and the widest sprite.
std::vector<int> Widths(int bits) { return {bits, 3 * bits, 5 * bits, 17 * bits, MaxSide}; }

constexpr int Heights[] = {1, 2, 7, 24, 33, MaxSide};

// The cells to try in one plane: the four corners, the ends of the first and last byte's
// run, and random cells.
std::vector<std::pair<int, int>> Cells(int bits, int width, int height, std::mt19937& rng) {
  std::vector<std::pair<int, int>> cells = {
      {0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}, {bits - 1, 0}, {width - bits, height - 1}};
  std::uniform_int_distribution<int> x(0, width - 1), y(0, height - 1);
  for (int i = 0; i < 6; ++i) cells.emplace_back(x(rng), y(rng));
  return cells;
}

// The property the byte inspector rests on: toggling one pixel changes exactly the bit
// LocatePixel names in the real export, in the frame's own block and nowhere else, and the
// byte there is the one PixelByte reads.
TEST(PixelLocation, TogglingThePixelChangesExactlyItsBitOfTheExport) {
  constexpr int Frames = 3;
  constexpr int Frame = 1;  // a middle frame: its block starts after one block and has one after it
  TSpriteStore store;
  FillRandom(store, 20261210u, Frames);
  std::mt19937 rng(7);
  int checked = 0;
  for (TLayout layout : AllLayouts(0)) {
    const int bits = BitsPerByte(layout.Format.ByteMode);
    int size = 0;
    for (int width : Widths(bits))
      for (int height : Heights) {
        // Each layout meets every attribute choice over its sizes.
        layout.Format.AttrChoice = size++ % 4;
        const std::vector<std::uint8_t> before = ExportFrames(store, layout.Format, width, height, Frames);
        const int block = FrameBlockSize(layout.Format, width, height);
        ASSERT_EQ(int(before.size()), Frames * block) << layout.Name;
        for (bool mask : {false, true}) {
          if (mask && !layout.Format.Masked) continue;
          for (auto [x, y] : Cells(bits, width, height, rng)) {
            SCOPED_TRACE(layout.Name + " " + std::to_string(layout.Format.AttrChoice) + " " + std::to_string(width) +
                         "x" + std::to_string(height) + (mask ? " mask " : " sprite ") + std::to_string(x) + "," +
                         std::to_string(y));
            const std::optional<TPixelLocation> loc = LocatePixel(layout.Format, width, height, mask, x, y);
            ASSERT_TRUE(loc.has_value());
            ASSERT_EQ(loc->BlockSize, block);
            ASSERT_GE(loc->Offset, 0);
            ASSERT_LT(loc->Offset, block);
            const std::size_t at = std::size_t(Frame * block + loc->Offset);
            EXPECT_EQ(PixelByte(store, layout.Format, Frame, mask, x, y), before[at]);

            store.SetPixel(Frame, mask, x, y, store.Pixel(Frame, mask, x, y) ^ 1);
            const std::vector<std::uint8_t> after = ExportFrames(store, layout.Format, width, height, Frames);
            EXPECT_EQ(PixelByte(store, layout.Format, Frame, mask, x, y), after[at]);
            store.SetPixel(Frame, mask, x, y, store.Pixel(Frame, mask, x, y) ^ 1);

            ASSERT_EQ(after.size(), before.size());
            for (std::size_t i = 0; i < before.size(); ++i) {
              const int expected = i == at ? 1 << loc->Bit : 0;
              ASSERT_EQ(before[i] ^ after[i], expected) << "byte " << i << " of the export";
            }
            ++checked;
          }
        }
      }
  }
  EXPECT_GT(checked, 10000);
}

// Over whole frames: the pixels of the sprite area of both planes fill every pixel bit of the
// block exactly once, and leave bits 7-6 of 6-bit bytes, the attribute bits, to nobody.
TEST(PixelLocation, PixelsAndBitsOfABlockCorrespondOneToOne) {
  for (const TLayout& layout : AllLayouts(3)) {
    const int bits = BitsPerByte(layout.Format.ByteMode);
    for (int width : {bits, 5 * bits, MaxSide})
      for (int height : {1, 3, 24}) {
        SCOPED_TRACE(layout.Name + " " + std::to_string(width) + "x" + std::to_string(height));
        const int block = FrameBlockSize(layout.Format, width, height);
        std::vector<int> hits(std::size_t(block) * 8, 0);
        for (bool mask : {false, true}) {
          if (mask && !layout.Format.Masked) continue;
          for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y) {
              const std::optional<TPixelLocation> loc = LocatePixel(layout.Format, width, height, mask, x, y);
              ASSERT_TRUE(loc.has_value());
              ASSERT_LT(loc->Offset, block);
              ASSERT_GE(loc->Bit, 0);
              ASSERT_LT(loc->Bit, bits);  // never an attribute bit
              ++hits[std::size_t(loc->Offset) * 8 + std::size_t(loc->Bit)];
            }
        }
        for (int offset = 0; offset < block; ++offset)
          for (int bit = 0; bit < 8; ++bit)
            ASSERT_EQ(hits[std::size_t(offset) * 8 + std::size_t(bit)], bit < bits ? 1 : 0)
                << "byte " << offset << " bit " << bit;
      }
  }
}

// A few locations written out by hand from the documented byte orders.
struct TKnownCase {
  const char* Name;
  TByteMode Mode;
  TDataOrder Order;
  bool Masked;
  TMaskArrangement Arrangement;
  int Width, Height;
  bool Mask;
  int X, Y;
  int Offset, BlockSize, Bit;
};

TEST(PixelLocation, KnownLocations) {
  const TKnownCase cases[] = {
      // Start-up settings: M(0, y), S(0, y), M(6, y), S(6, y) row by row; leftmost pixel bit 0.
      {"StartupFirstSprite", bm6BitReversed, doByRows, true, maMaskByteFirst, 12, 24, false, 0, 0, 1, 96, 0},
      {"StartupMaskSecondByte", bm6BitReversed, doByRows, true, maMaskByteFirst, 12, 24, true, 7, 0, 2, 96, 1},
      {"StartupLastSprite", bm6BitReversed, doByRows, true, maMaskByteFirst, 12, 24, false, 11, 23, 95, 96, 5},
      {"StartupRow9", bm6BitReversed, doByRows, true, maMaskByteFirst, 12, 24, false, 3, 9, 37, 96, 3},
      // (0, 0), (6, 0), (6, 1), (0, 1), (0, 2), (6, 2).
      {"RowsZigZagBackward", bm6BitReversed, doByRowsZigZag, false, maMaskByteFirst, 12, 3, false, 0, 1, 3, 6, 0},
      {"RowsZigZagOddLast", bm6BitReversed, doByRowsZigZag, false, maMaskByteFirst, 12, 3, false, 6, 2, 5, 6, 0},
      // (0, 0), (0, 1), (6, 1), (6, 0), (12, 0), (12, 1).
      {"ColumnsZigZagUp", bm6BitReversed, doByColumnsZigZag, false, maMaskByteFirst, 18, 2, false, 6, 0, 3, 6, 0},
      // M(0,0) M(6,0) S(0,0) S(6,0) M(6,1) M(0,1) S(6,1) S(0,1).
      {"RowsZigZagMaskLine", bm6BitReversed, doByRowsZigZag, true, maMaskLineFirst, 12, 2, false, 0, 1, 7, 8, 0},
      {"RowsZigZagMaskLineM", bm6BitReversed, doByRowsZigZag, true, maMaskLineFirst, 12, 2, true, 6, 1, 4, 8, 0},
      // S(0,0) S(0,1) M(0,0) M(0,1) S(8,0) S(8,1) M(8,0) M(8,1); leftmost pixel bit 7.
      {"ColumnsDataLine", bmClassic8, doByColumns, true, maDataLineFirst, 16, 2, true, 8, 1, 7, 8, 7},
      {"ColumnsDataLineLast", bmClassic8, doByColumns, true, maDataLineFirst, 16, 2, false, 15, 0, 4, 8, 0},
      {"WholeDataMask", bmClassic8, doByRows, true, maWholeDataFirst, 16, 2, true, 0, 0, 4, 8, 7},
  };
  for (const TKnownCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TDataFormat f;
    f.ByteMode = c.Mode;
    f.Order = c.Order;
    f.Masked = c.Masked;
    f.Arrangement = c.Arrangement;
    const std::optional<TPixelLocation> loc = LocatePixel(f, c.Width, c.Height, c.Mask, c.X, c.Y);
    ASSERT_TRUE(loc.has_value());
    EXPECT_EQ(loc->Offset, c.Offset);
    EXPECT_EQ(loc->BlockSize, c.BlockSize);
    EXPECT_EQ(loc->Bit, c.Bit);
  }
}

// Cells that lie in no byte of the export, and layouts the export refuses.
TEST(PixelLocation, NothingOutsideTheExport) {
  TDataFormat masked;  // start-up settings: 6 bits, by rows, masked
  TDataFormat unmasked = masked;
  unmasked.Masked = false;
  TDataFormat badOrder = masked;
  badOrder.Order = TDataOrder(4);
  TDataFormat badArrangement = masked;
  badArrangement.Arrangement = TMaskArrangement(6);
  struct TCase {
    const char* Name;
    TDataFormat Format;
    int Width, Height;
    bool Mask;
    int X, Y;
  } cases[] = {
      {"LeftOfSprite", masked, 12, 24, false, -1, 0},
      {"AboveSprite", masked, 12, 24, false, 0, -1},
      {"SeparatingColumn", masked, 12, 24, false, 12, 0},
      {"BottomMargin", masked, 12, 24, true, 0, 24},
      {"MaskWhileUnmasked", unmasked, 12, 24, true, 0, 0},
      {"WidthNoMultipleOfB", masked, 13, 24, false, 0, 0},
      {"WidthZero", masked, 0, 24, false, 0, 0},
      {"WidthTooLarge", masked, 246, 24, false, 0, 0},
      {"HeightZero", masked, 12, 0, false, 0, 0},
      {"UnknownOrder", badOrder, 12, 24, false, 0, 0},
      {"UnknownArrangement", badArrangement, 12, 24, true, 0, 0},
  };
  for (const TCase& c : cases)
    EXPECT_FALSE(LocatePixel(c.Format, c.Width, c.Height, c.Mask, c.X, c.Y).has_value()) << c.Name;
  // An unmasked sprite ignores whatever arrangement the list holds, as the export does.
  TDataFormat staleArrangement = unmasked;
  staleArrangement.Arrangement = TMaskArrangement(6);
  EXPECT_TRUE(LocatePixel(staleArrangement, 12, 24, false, 0, 0).has_value());
}

}  // namespace
