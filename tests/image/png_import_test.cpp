// PNG import: every colour type and bit depth libspng writes, sheets, the document's settings,
// and every refused file leaving the document as it was.
#include <gtest/gtest.h>

#include <cstring>

#include "image/png_import.h"
#include "png_fixture.h"
#include "support/document_compare.h"
#include "support/random_fill.h"

namespace {

// What a pixel of a test image is meant to be.
enum TKind { Light, Dark, Clear };

// Packs samples (one per channel, each at most 2^depth - 1) into rows of `depth` bits.
struct TRowWriter {
  int Depth;
  std::vector<std::uint8_t>& Out;
  std::size_t Bit = 0;
  void Put(unsigned sample) {
    if (Depth == 16) {  // libspng's encoder takes 16-bit samples in host order
      const std::uint16_t s = std::uint16_t(sample);
      Out.resize(Out.size() + 2);
      std::memcpy(&Out[Out.size() - 2], &s, 2);
      return;
    }
    if (Bit % 8 == 0) Out.push_back(0);
    Out.back() |= std::uint8_t(sample << (8 - Depth - Bit % 8));
    Bit += std::size_t(Depth);
  }
  void EndRow() { Bit = 0; }
};

struct TFormat {
  const char* Name;
  std::uint8_t ColorType, Depth;
  bool Trns;  // a tRNS chunk (a colour key, or palette alpha) makes Clear pixels
};

constexpr std::uint32_t W = 13, H = 5;  // odd, so that rows end inside a byte

TKind KindAt(std::uint32_t x, std::uint32_t y, bool transparency) {
  return TKind((x * 7 + y * 3) % (transparency ? 3 : 2));
}

TTestPng MakeImage(const TFormat& f) {
  TTestPng png;
  png.Width = W;
  png.Height = H;
  png.ColorType = f.ColorType;
  png.BitDepth = f.Depth;
  const unsigned max = (1u << f.Depth) - 1;
  const bool alpha = f.ColorType == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA || f.ColorType == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
  const bool transparency = alpha || f.Trns;
  // The colour key of grey and RGB images: a dark value no Dark pixel uses.
  const unsigned key = 1;
  if (f.ColorType == SPNG_COLOR_TYPE_INDEXED) {
    png.Palette = {{10, 20, 30, 255}, {250, 240, 200, 255}, {0, 0, 0, 255}};  // dark, light, clear
    if (f.Depth == 1) png.Palette.pop_back();  // two colours, and no Clear pixels
    if (f.Trns) {
      png.HasTrns = true;
      png.Trns.n_type3_entries = 3;
      png.Trns.type3_alpha[0] = 255;
      png.Trns.type3_alpha[1] = 200;  // still opaque enough
      png.Trns.type3_alpha[2] = 0;
    }
  } else if (f.Trns) {
    png.HasTrns = true;
    png.Trns.gray = png.Trns.red = png.Trns.green = png.Trns.blue = std::uint16_t(key);
  }
  TRowWriter row{f.Depth, png.Pixels};
  for (std::uint32_t y = 0; y < H; ++y) {
    for (std::uint32_t x = 0; x < W; ++x) {
      const TKind k = KindAt(x, y, transparency);
      switch (f.ColorType) {
        case SPNG_COLOR_TYPE_INDEXED:
          row.Put(k == Dark ? 0 : k == Light ? 1 : 2);
          break;
        case SPNG_COLOR_TYPE_GRAYSCALE:
          row.Put(k == Light ? max : k == Dark ? 0 : key);
          break;
        case SPNG_COLOR_TYPE_TRUECOLOR:  // light yellow, dark blue
          row.Put(k == Light ? max : k == Dark ? 0 : key);
          row.Put(k == Light ? max : k == Dark ? 0 : key);
          row.Put(k == Light ? 0 : k == Dark ? max / 3 : key);
          break;
        case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA:  // a clear pixel is white but transparent
          row.Put(k == Dark ? 0 : max);
          row.Put(k == Clear ? 0 : max);
          break;
        case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA:
          for (int c = 0; c < 3; ++c) row.Put(k == Dark ? max / 5 : max);
          row.Put(k == Clear ? max / 3 : max);  // alpha below half
          break;
      }
    }
    row.EndRow();
  }
  return png;
}

class PngColourTypes : public testing::TestWithParam<TFormat> {};

TEST_P(PngColourTypes, AlphaLayoutReadsInkMaskAndBackground) {
  const TFormat& f = GetParam();
  for (bool interlaced : {false, true})
    for (bool darkInk : {false, true}) {
      TTestPng image = MakeImage(f);
      image.Interlaced = interlaced;
      const std::vector<std::uint8_t> file = EncodePng(image);
      ASSERT_FALSE(file.empty());
      auto doc = NewDocument();
      TPngImportOptions options;
      options.DarkInk = darkInk;
      const TImageImport r = ImportPng(file, options, *doc);
      ASSERT_TRUE(r.Ok) << r.Error;
      EXPECT_EQ(r.Width, int(W));
      EXPECT_EQ(r.Height, int(H));
      const bool transparency = image.HasTrns || f.ColorType == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
                                f.ColorType == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
      int wrong = 0;
      for (std::uint32_t y = 0; y < H; ++y)
        for (std::uint32_t x = 0; x < W; ++x) {
          const TKind k = KindAt(x, y, transparency);
          const bool ink = k == (darkInk ? Dark : Light);
          wrong += doc->Store.Pixel(0, false, int(x), int(y)) != ink ||
                   doc->Store.Pixel(0, true, int(x), int(y)) != (k == Clear);
        }
      EXPECT_EQ(wrong, 0) << "interlaced " << interlaced << ", dark ink " << darkInk;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PngColourTypes,
    testing::Values(TFormat{"Grey1", SPNG_COLOR_TYPE_GRAYSCALE, 1, false},
                    TFormat{"Grey2", SPNG_COLOR_TYPE_GRAYSCALE, 2, false},
                    TFormat{"Grey2Key", SPNG_COLOR_TYPE_GRAYSCALE, 2, true},
                    TFormat{"Grey4Key", SPNG_COLOR_TYPE_GRAYSCALE, 4, true},
                    TFormat{"Grey8", SPNG_COLOR_TYPE_GRAYSCALE, 8, false},
                    TFormat{"Grey8Key", SPNG_COLOR_TYPE_GRAYSCALE, 8, true},
                    TFormat{"Grey16Key", SPNG_COLOR_TYPE_GRAYSCALE, 16, true},
                    TFormat{"Rgb8", SPNG_COLOR_TYPE_TRUECOLOR, 8, false},
                    TFormat{"Rgb8Key", SPNG_COLOR_TYPE_TRUECOLOR, 8, true},
                    TFormat{"Rgb16Key", SPNG_COLOR_TYPE_TRUECOLOR, 16, true},
                    TFormat{"Palette1", SPNG_COLOR_TYPE_INDEXED, 1, false},
                    TFormat{"Palette2Trns", SPNG_COLOR_TYPE_INDEXED, 2, true},
                    TFormat{"Palette4Trns", SPNG_COLOR_TYPE_INDEXED, 4, true},
                    TFormat{"Palette8Trns", SPNG_COLOR_TYPE_INDEXED, 8, true},
                    TFormat{"GreyAlpha8", SPNG_COLOR_TYPE_GRAYSCALE_ALPHA, 8, false},
                    TFormat{"GreyAlpha16", SPNG_COLOR_TYPE_GRAYSCALE_ALPHA, 16, false},
                    TFormat{"Rgba8", SPNG_COLOR_TYPE_TRUECOLOR_ALPHA, 8, false},
                    TFormat{"Rgba16", SPNG_COLOR_TYPE_TRUECOLOR_ALPHA, 16, false}),
    [](const testing::TestParamInfo<TFormat>& info) { return std::string(info.param.Name); });

// An 8-bit grey image of `w` x `h` whose pixel (x, y) is light where `light` says.
template <typename F>
std::vector<std::uint8_t> GreyPng(std::uint32_t w, std::uint32_t h, F light, std::string framesText = "") {
  TTestPng png;
  png.Width = w;
  png.Height = h;
  png.FramesText = std::move(framesText);
  for (std::uint32_t y = 0; y < h; ++y)
    for (std::uint32_t x = 0; x < w; ++x) png.Pixels.push_back(light(x, y) ? 200 : 40);
  return EncodePng(png);
}

TEST(PngImport, SlicesASheetLeftToRightThenTopToBottom) {
  // Cells of 3 x 2 with 2 pixels between them, 3 columns and 2 rows, and 1 pixel left over on
  // the right and below; cell k has its pixel (k % 3, k / 3) light, the spacing is light.
  const auto light = [](std::uint32_t x, std::uint32_t y) {
    if (x % 5 >= 3 || y % 4 >= 2 || x >= 13 || y >= 6) return true;
    const std::uint32_t k = y / 4 * 3 + x / 5;
    return x % 5 == k % 3 && y % 4 == k / 3;
  };
  for (const char* framesText : {"", "4", "0", "99", "x"}) {
    auto doc = NewDocument();
    TPngImportOptions options;
    options.CellWidth = 3;
    options.CellHeight = 2;
    options.Spacing = 2;
    const TImageImport r = ImportPng(GreyPng(14, 7, light, framesText), options, *doc);
    ASSERT_TRUE(r.Ok) << r.Error;
    // Only a frame count below the cells' limits the frames read.
    const int frames = std::string(framesText) == "4" ? 4 : 6;
    EXPECT_EQ(r.Frames, frames) << framesText;
    EXPECT_EQ(doc->Settings.FrameCount, frames);
    for (int f = 0; f < frames; ++f)
      for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y)
          EXPECT_EQ(doc->Store.Pixel(f, false, x, y), x == f % 3 && y == f / 3) << f << ": " << x << "," << y;
  }
}

TEST(PngImport, PlanesLayoutReadsSpriteThenMaskAndTreatsTransparentAsClear) {
  TTestPng png;
  png.Width = 4;
  png.Height = 1;
  png.ColorType = SPNG_COLOR_TYPE_GRAYSCALE_ALPHA;
  // sprite: white opaque, white transparent; mask: black opaque, grey 129 opaque
  png.Pixels = {255, 255, 255, 0, 0, 255, 129, 255};
  auto doc = NewDocument();
  TPngImportOptions options;
  options.Layout = TImageLayout::Planes;
  const TImageImport r = ImportPng(EncodePng(png), options, *doc);
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.Width, 2);
  EXPECT_EQ(doc->Store.Pixel(0, false, 0, 0), 1);
  EXPECT_EQ(doc->Store.Pixel(0, false, 1, 0), 0);
  EXPECT_EQ(doc->Store.Pixel(0, true, 0, 0), 0);
  EXPECT_EQ(doc->Store.Pixel(0, true, 1, 0), 1);
}

TEST(PngImport, RoundsTheWidthUpAndReplacesEveryFrame) {
  struct TCase {
    TByteMode Mode;
    std::uint32_t ImageWidth;
    int Width;
  };
  for (const TCase c : {TCase{bm6BitReversed, 7, 12}, TCase{bmClassic8, 7, 8}, TCase{bm6BitReversed, 1, 6},
                        TCase{bmClassic8, 240, 240}, TCase{bm6BitReversed, 235, 240}}) {
    auto doc = NewDocument();
    FillRandom(doc->Store, 3);
    FillRandom(doc->Store.FCopyBuffer, 4);
    const TPlane copy = doc->Store.FCopyBuffer;
    doc->Settings.Format.ByteMode = c.Mode;
    doc->Settings.Format.Order = doByColumnsZigZag;
    doc->Settings.Format.AttrChoice = 2;
    doc->Settings.FrameCount = 50;
    doc->Settings.CurrentFrame = 40;
    const TDataFormat format = doc->Settings.Format;
    // Every pixel light and opaque: sprite set, mask clear.
    const TImageImport r =
        ImportPng(GreyPng(c.ImageWidth, 3, [](auto, auto) { return true; }), TPngImportOptions{}, *doc);
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Width, int(c.ImageWidth));
    EXPECT_EQ(doc->Settings, (TDocumentSettings{format, c.Width, 3, 1, 0}));
    int wrong = 0;
    for (int f = 0; f < MaxFrames; ++f)
      for (int x = 0; x < MaxSide; ++x)
        for (int y = 0; y < MaxSide; ++y)
          wrong += doc->Store.Pixel(f, false, x, y) != (f == 0 && x < int(c.ImageWidth) && y < 3) ||
                   doc->Store.Pixel(f, true, x, y) != 0;
    EXPECT_EQ(wrong, 0) << c.ImageWidth;
    EXPECT_TRUE(doc->Store.FCopyBuffer == copy);
  }
}

// A PNG with a tEXt chunk after the header, for damage to an ancillary chunk.
std::vector<std::uint8_t> SmallPng() {
  return GreyPng(12, 4, [](std::uint32_t x, std::uint32_t y) { return (x + y) % 2 == 0; }, "1");
}

void FlipByte(std::vector<std::uint8_t>& png, std::size_t at) { png[at] ^= 0x5A; }

struct TBadInput {
  const char* Name;
  std::vector<std::uint8_t> File;
  TPngImportOptions Options;
  std::string Message;
};

std::vector<TBadInput> BadInputs() {
  std::vector<TBadInput> cases;
  const std::vector<std::uint8_t> good = SmallPng();
  auto add = [&](const char* name, std::vector<std::uint8_t> file, std::string message, TPngImportOptions o = {}) {
    cases.push_back({name, std::move(file), o, std::move(message)});
  };
  add("Empty", {}, "The file is not a PNG image.");
  add("Gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0}, "The file is not a PNG image.");
  add("SignatureOnly", {good.begin(), good.begin() + 8}, "The image is damaged: it has no image header.");
  add("TruncatedInTheImageData", {good.begin(), good.begin() + std::ptrdiff_t(FindChunk(good, "IDAT") + 14)},
      "The image is damaged: the file ends before the image does.");
  add("TruncatedBeforeTheEnd", {good.begin(), good.end() - 12},
      "The image is damaged: the file ends before the image does.");
  {
    std::vector<std::uint8_t> f = good;
    const std::size_t idat = FindChunk(f, "IDAT");
    const std::size_t length = std::size_t(f[idat + 2]) << 8 | f[idat + 3];
    FlipByte(f, idat + 8 + length);  // its checksum
    add("ImageDataCrc", f, "The image is damaged: a chunk's checksum does not match its data.");
    f = good;
    FlipByte(f, idat + 9);  // compressed data, checksum mended
    const std::uint32_t crc = Crc32(&f[idat + 4], 4 + length);
    for (int i = 0; i < 4; ++i) f[idat + 8 + length + std::size_t(i)] = std::uint8_t(crc >> (24 - 8 * i));
    add("CorruptImageData", f, "The image is damaged: its compressed pixel data is corrupt or cut short.");
  }
  {
    std::vector<std::uint8_t> f = good;
    FlipByte(f, FindChunk(f, "tEXt") + 8 + 2);
    add("TextChunkCrc", f, "The image is damaged: a chunk's checksum does not match its data.");
  }
  {
    std::vector<std::uint8_t> f = good;
    FlipByte(f, 29);
    add("HeaderCrc", f, "The image is damaged: a chunk's checksum does not match its data.");
  }
  {
    std::vector<std::uint8_t> f = good;
    SetHeaderSize(f, 0, 4);
    add("ZeroWidth", f, "The image header gives a size of 0 x 4 pixels; an image needs at least one pixel.");
    SetHeaderSize(f, 12, 0);
    add("ZeroHeight", f, "The image header gives a size of 12 x 0 pixels; an image needs at least one pixel.");
    SetHeaderSize(f, 100000, 100000);
    add("MillionsOfPixels", f,
        "The image is 100,000 x 100,000 pixels, more than can be read (at most 131,072 on a side and 33,554,432 "
        "in all).");
    SetHeaderSize(f, 0x7FFFFFFF, 1);
    add("HugeWidth", f,
        "The image is 2,147,483,647 x 1 pixels, more than can be read (at most 131,072 on a side and 33,554,432 "
        "in all).");
    // Within our limits but not what the image data holds.
    SetHeaderSize(f, 240, 240);
    add("HeaderLargerThanTheData", f, "The image is damaged: its compressed pixel data is corrupt or cut short.");
  }
  {
    TTestPng png;  // two palette entries, and a pixel naming a third
    png.Width = 3;
    png.ColorType = SPNG_COLOR_TYPE_INDEXED;
    png.BitDepth = 2;
    png.Palette = {{0, 0, 0, 255}, {255, 255, 255, 255}};
    png.Pixels = {0b00'01'10'00};
    add("PaletteIndexOutOfRange", EncodePng(png), "The image is damaged: a pixel names a colour that its palette lacks.");
  }
  TPngImportOptions o;
  o.CellWidth = 13;
  add("CellWiderThanTheImage", good, "A cell of 13 x 4 pixels does not fit in the 12 x 4 image.", o);
  o = {};
  o.CellHeight = 5;
  add("CellTallerThanTheImage", good, "A cell of 12 x 5 pixels does not fit in the 12 x 4 image.", o);
  o = {};
  o.Layout = TImageLayout::Planes;
  o.CellWidth = 3;
  add("OddPlanesCell", good,
      "A cell of the planes layout holds the sprite and its mask side by side, so its width must be even; it is "
      "3 pixels.",
      o);
  o = {};
  o.Spacing = 65;
  add("SpacingTooLarge", good, "The spacing between cells must be 0 to 64 pixels.", o);
  o.Spacing = -1;
  add("SpacingNegative", good, "The spacing between cells must be 0 to 64 pixels.", o);
  o = {};
  o.CellWidth = -2;
  add("NegativeCell", good, "The cell width and height must be 0 (the whole image) or more.", o);
  o = {};
  o.CellWidth = 1;
  o.CellHeight = 1;
  add("MoreThan128Cells", GreyPng(43, 3, [](auto, auto) { return false; }),
      "The image holds 129 frames; at most 128 can be read.", o);
  add("FrameTooWide", GreyPng(241, 1, [](auto, auto) { return false; }),
      "A frame is 241 pixels wide; at most 240 fit.");
  add("FrameTooTall", GreyPng(1, 300, [](auto, auto) { return false; }),
      "A frame is 300 pixels tall; at most 240 fit.");
  o = {};
  o.Layout = TImageLayout::Planes;
  add("PlanesFrameTooWide", GreyPng(600, 2, [](auto, auto) { return false; }),
      "A frame is 300 pixels wide; at most 240 fit.", o);
  return cases;
}

class PngBadInput : public testing::TestWithParam<TBadInput> {};

TEST_P(PngBadInput, IsRefusedAndLeavesTheDocumentAlone) {
  const TBadInput& c = GetParam();
  auto doc = NewDocument();
  FillRandom(doc->Store, 21);
  FillRandom(doc->Store.FCopyBuffer, 22);
  doc->Settings = {TDataFormat{bmClassic8, doByColumns, false, maWholeMaskFirst, 3}, 32, 17, 9, 4};
  auto before = NewDocument();
  CopyDocument(*doc, *before);
  const TImageImport r = ImportPng(c.File, c.Options, *doc);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error, c.Message);
  EXPECT_TRUE(SameDocument(*doc, *before));
}

INSTANTIATE_TEST_SUITE_P(Files, PngBadInput, testing::ValuesIn(BadInputs()),
                         [](const testing::TestParamInfo<TBadInput>& info) { return std::string(info.param.Name); });

}  // namespace

// A grey image without transparency is read from its samples as stored; every sample value of
// every depth must read as the same grey written as RGB does (luma above 127.5 is light).
TEST(PngImport, GreySamplesReadAsTheSameGreyInRgb) {
  for (std::uint8_t depth : {1, 2, 4, 8})
    for (bool interlaced : {false, true}) {
      const unsigned values = 1u << depth, max = values - 1;
      TTestPng grey, rgb;
      for (TTestPng* png : {&grey, &rgb}) {
        png->Width = 37;  // rows end inside a byte; 8 rows hold every 8-bit value
        png->Height = 8;
        png->Interlaced = interlaced;
      }
      grey.BitDepth = depth;
      rgb.ColorType = SPNG_COLOR_TYPE_TRUECOLOR;
      TRowWriter greyRow{depth, grey.Pixels}, rgbRow{8, rgb.Pixels};
      for (std::uint32_t y = 0; y < grey.Height; ++y) {
        for (std::uint32_t x = 0; x < grey.Width; ++x) {
          const unsigned v = (x + y * grey.Width) % values;
          greyRow.Put(v);
          for (int c = 0; c < 3; ++c) rgbRow.Put(v * 255 / max);
        }
        greyRow.EndRow();
        rgbRow.EndRow();
      }
      for (TImageLayout layout : {TImageLayout::Alpha, TImageLayout::Planes}) {
        SCOPED_TRACE(testing::Message() << "depth " << int(depth) << " interlaced " << interlaced << " planes "
                                        << (layout == TImageLayout::Planes));
        TPngImportOptions options;
        options.Layout = layout;
        options.CellWidth = layout == TImageLayout::Planes ? 36 : 0;
        auto fromGrey = NewDocument(), fromRgb = NewDocument();
        ASSERT_TRUE(ImportPng(EncodePng(grey), options, *fromGrey).Ok);
        ASSERT_TRUE(ImportPng(EncodePng(rgb), options, *fromRgb).Ok);
        EXPECT_EQ(fromGrey->Settings, fromRgb->Settings);
        for (bool mask : {false, true}) EXPECT_TRUE(fromGrey->Store.Plane(0, mask) == fromRgb->Store.Plane(0, mask));
      }
    }
}
