// Export then import: the planes layout gives every frame back exactly; the alpha layout too,
// except where sprite and mask are both set (shown as ink, read back as sprite set, mask clear).
#include <gtest/gtest.h>

#include "image/png_export.h"
#include "image/png_import.h"
#include "png_fixture.h"
#include "support/random_fill.h"

namespace {

struct TRoundTrip {
  const char* Name;
  TImageLayout Layout;
  TByteMode ByteMode;
  bool Masked;
  int Width, Height, Frames, Columns, Spacing;
  bool OneFilePerFrame;
};

class PngRoundTrip : public testing::TestWithParam<TRoundTrip> {};

// The planes of frame `frame` of `b` as an import of `a`'s frame `from` must leave them.
void ExpectFrame(const TSpriteDocument& a, int from, const TSpriteDocument& b, int frame, TImageLayout layout,
                 bool masked) {
  const TDocumentSettings& s = a.Settings;
  int wrong = 0;
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y) {
      const bool inside = x < s.Width && y < s.Height;
      bool sprite = inside && a.Store.Pixel(from, false, x, y);
      bool mask = inside && a.Store.Pixel(from, true, x, y);
      if (inside && layout == TImageLayout::Alpha) {
        if (!masked) mask = !sprite;
        if (sprite) mask = false;
      }
      wrong += b.Store.Pixel(frame, false, x, y) != sprite || b.Store.Pixel(frame, true, x, y) != mask;
    }
  EXPECT_EQ(wrong, 0) << "frame " << from;
}

TEST_P(PngRoundTrip, GivesTheFramesBack) {
  const TRoundTrip& c = GetParam();
  auto a = NewDocument();
  FillRandom(a->Store, 11, MaxFrames);
  a->Settings.Format.ByteMode = c.ByteMode;
  a->Settings.Format.Masked = c.Masked;
  a->Settings.Width = c.Width;
  a->Settings.Height = c.Height;
  a->Settings.FrameCount = c.Frames;
  a->Settings.CurrentFrame = c.Frames - 1;
  ASSERT_EQ(Normalized(a->Settings), a->Settings);

  TPngExportOptions out;
  out.Layout = c.Layout;
  out.Sheet = {c.Columns, c.Spacing};
  out.OneFilePerFrame = c.OneFilePerFrame;
  const TPngExport png = ExportPng(*a, out);
  ASSERT_EQ(png.Error, "");
  ASSERT_EQ(png.Files.size(), c.OneFilePerFrame ? std::size_t(c.Frames) : 1u);

  TPngImportOptions in;
  in.Layout = c.Layout;
  in.CellWidth = c.Layout == TImageLayout::Planes ? 2 * c.Width : c.Width;
  in.CellHeight = c.Height;
  in.Spacing = c.OneFilePerFrame ? 0 : c.Spacing;
  auto b = NewDocument();
  b->Settings.Format = a->Settings.Format;
  for (std::size_t i = 0; i < png.Files.size(); ++i) {
    const TImageImport r = ImportPng(png.Files[i], in, *b);
    ASSERT_TRUE(r.Ok) << r.Error;
    ASSERT_EQ(r.Frames, c.OneFilePerFrame ? 1 : c.Frames);
    EXPECT_EQ(r.Width, c.Width);
    EXPECT_EQ(r.Height, c.Height);
    TDocumentSettings expected = a->Settings;
    expected.FrameCount = r.Frames;
    expected.CurrentFrame = 0;
    EXPECT_EQ(b->Settings, expected);
    if (c.OneFilePerFrame)
      ExpectFrame(*a, int(i), *b, 0, c.Layout, c.Masked);
    else
      for (int f = 0; f < c.Frames; ++f) ExpectFrame(*a, f, *b, f, c.Layout, c.Masked);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PngRoundTrip,
    testing::Values(
        TRoundTrip{"PlanesOneFrame", TImageLayout::Planes, bm6BitReversed, true, 12, 24, 1, 0, 0, false},
        TRoundTrip{"PlanesRowOfFrames", TImageLayout::Planes, bmClassic8, true, 16, 9, 7, 0, 5, false},
        // 5 frames, 2 to a row: the last row's empty cell is no frame.
        TRoundTrip{"PlanesWrappedPartialRow", TImageLayout::Planes, bm6BitReversed, true, 18, 5, 5, 2, 3, false},
        TRoundTrip{"PlanesUnmaskedKeepsTheMask", TImageLayout::Planes, bm6BitReversed, false, 6, 1, 3, 1, 64, false},
        TRoundTrip{"PlanesFilePerFrame", TImageLayout::Planes, bmClassic8, true, 24, 17, 4, 0, 7, true},
        TRoundTrip{"PlanesAllFramesFullSize", TImageLayout::Planes, bmClassic8, true, 240, 240, 128, 16, 1, false},
        TRoundTrip{"AlphaOneFrame", TImageLayout::Alpha, bm6BitReversed, true, 12, 24, 1, 0, 0, false},
        TRoundTrip{"AlphaWrappedPartialRow", TImageLayout::Alpha, bmClassic8, true, 8, 13, 11, 4, 2, false},
        TRoundTrip{"AlphaUnmasked", TImageLayout::Alpha, bm6BitReversed, false, 30, 7, 3, 0, 1, false},
        TRoundTrip{"AlphaFilePerFrame", TImageLayout::Alpha, bm6BitReversed, true, 6, 6, 3, 0, 0, true},
        TRoundTrip{"AlphaAllFramesFullSize", TImageLayout::Alpha, bm6BitReversed, true, 240, 240, 128, 0, 64, false}),
    [](const testing::TestParamInfo<TRoundTrip>& info) { return std::string(info.param.Name); });

}  // namespace
