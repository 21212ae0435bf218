// PNG export checked by decoding the files with libspng alone: sheet geometry, both layouts'
// colours, the spacing, and refused options.
#include <gtest/gtest.h>

#include "image/png_export.h"
#include "png_fixture.h"

namespace {

struct TRgba {
  std::uint8_t R, G, B, A;
  friend bool operator==(const TRgba&, const TRgba&) = default;
};

struct TDecoded {
  std::uint32_t Width = 0, Height = 0;
  std::vector<std::uint8_t> Rgba;
  TRgba At(std::uint32_t x, std::uint32_t y) const {
    const std::uint8_t* p = &Rgba[(std::size_t(y) * Width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
};

TDecoded Decode(const std::vector<std::uint8_t>& file) {
  TDecoded d;
  d.Rgba = DecodeRgba(file, d.Width, d.Height);
  return d;
}

constexpr TRgba White{255, 255, 255, 255}, Black{0, 0, 0, 255}, None{0, 0, 0, 0};

// 5 frames of 6 x 2, frame f with pixel (f, 0) of the sprite set and (f, 1) of the mask set.
std::unique_ptr<TSpriteDocument> FiveFrames(bool masked) {
  auto doc = NewDocument(6, 2, 5, masked);
  for (int f = 0; f < 5; ++f) {
    doc->Store.SetPixel(f, false, f, 0, 1);
    doc->Store.SetPixel(f, true, f, 1, 1);
    doc->Store.SetPixel(f, true, 5, 0, 1);  // sprite and mask set: ink
    doc->Store.SetPixel(f, false, 5, 0, 1);
  }
  doc->Store.SetPixel(0, false, 6, 0, 1);  // outside the sprite area: never exported
  doc->Store.SetPixel(5, false, 0, 0, 1);  // a frame past the count
  return doc;
}

TEST(PngExport, PlanesSheetPutsSpriteBesideMaskWithBlackSpacing) {
  auto doc = FiveFrames(true);
  TPngExportOptions options;
  options.Sheet = {2, 3};
  const TPngExport png = ExportPng(*doc, options);
  ASSERT_EQ(png.Error, "");
  ASSERT_EQ(png.Files.size(), 1u);
  const TDecoded d = Decode(png.Files[0]);
  ASSERT_EQ(d.Width, 2u * 12 + 3);
  ASSERT_EQ(d.Height, 3u * 2 + 2 * 3);
  for (std::uint32_t y = 0; y < d.Height; ++y)
    for (std::uint32_t x = 0; x < d.Width; ++x) {
      const std::uint32_t column = x / 15, row = y / 5, cx = x % 15, cy = y % 5;
      const int f = int(row * 2 + column);
      bool set = false;
      if (cx < 12 && cy < 2 && f < 5) {
        const bool mask = cx >= 6;
        set = doc->Store.Pixel(f, mask, int(cx % 6), int(cy));
      }
      EXPECT_EQ(d.At(x, y), set ? White : Black) << x << "," << y;
    }
}

TEST(PngExport, AlphaShowsInkCoverAndBackground) {
  for (bool masked : {true, false}) {
    auto doc = FiveFrames(masked);
    TPngExportOptions options;
    options.Layout = TImageLayout::Alpha;
    options.Sheet = {0, 1};
    options.Ink = 0x12AB34;
    const TPngExport png = ExportPng(*doc, options);
    ASSERT_EQ(png.Error, "");
    const TDecoded d = Decode(png.Files[0]);
    ASSERT_EQ(d.Width, 5u * 6 + 4);
    ASSERT_EQ(d.Height, 2u);
    const TRgba ink{0x12, 0xAB, 0x34, 255};
    for (std::uint32_t y = 0; y < d.Height; ++y)
      for (std::uint32_t x = 0; x < d.Width; ++x) {
        TRgba expected = None;  // the spacing
        if (x % 7 < 6) {
          const int f = int(x / 7), px = int(x % 7), py = int(y);
          const bool sprite = doc->Store.Pixel(f, false, px, py), mask = doc->Store.Pixel(f, true, px, py);
          expected = sprite ? ink : (!masked || mask) ? None : Black;
        }
        EXPECT_EQ(d.At(x, y), expected) << "masked " << masked << " at " << x << "," << y;
      }
  }
}

TEST(PngExport, OneFilePerFrameIgnoresTheSheet) {
  auto doc = FiveFrames(true);
  TPngExportOptions options;
  options.OneFilePerFrame = true;
  options.Sheet = {2, 9};
  const TPngExport png = ExportPng(*doc, options);
  ASSERT_EQ(png.Error, "");
  ASSERT_EQ(png.Files.size(), 5u);
  for (int f = 0; f < 5; ++f) {
    const TDecoded d = Decode(png.Files[std::size_t(f)]);
    ASSERT_EQ(d.Width, 12u);
    ASSERT_EQ(d.Height, 2u);
    EXPECT_EQ(d.At(std::uint32_t(f), 0), White);
    EXPECT_EQ(d.At(std::uint32_t(6 + f), 1), White);
    EXPECT_EQ(d.At(std::uint32_t(6 + f), 0), f == 5 ? White : Black);
  }
}

TEST(PngExport, RefusesBadOptionsAndSettings) {
  auto doc = FiveFrames(true);
  for (const TSheetLayout sheet : {TSheetLayout{-1, 0}, TSheetLayout{0, 65}, TSheetLayout{0, -1}}) {
    TPngExportOptions options;
    options.Sheet = sheet;
    const TPngExport png = ExportPng(*doc, options);
    EXPECT_EQ(png.Error, "The sheet needs 0 or more columns and a spacing of 0 to 64 pixels.");
    EXPECT_TRUE(png.Files.empty());
  }
  doc->Settings.Width = 7;  // no multiple of 6
  const TPngExport png = ExportPng(*doc, TPngExportOptions{});
  EXPECT_EQ(png.Error, "The document's size or frame count is out of range.");
  EXPECT_TRUE(png.Files.empty());
}

}  // namespace
