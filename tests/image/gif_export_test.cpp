// GIF export decoded with giflib's DGifSlurp: size, frames, delay, looping and the colours of
// a masked sprite drawn over the background.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

#include "image/gif_export.h"
#include "png_fixture.h"

namespace {

struct TReader {
  const std::vector<std::uint8_t>* File;
  std::size_t At = 0;
};

int Read(GifFileType* gif, GifByteType* out, int length) {
  auto* r = static_cast<TReader*>(gif->UserData);
  const std::size_t n = std::min(std::size_t(length), r->File->size() - r->At);
  std::memcpy(out, r->File->data() + r->At, n);
  r->At += n;
  return int(n);
}

struct TGifFree {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

std::unique_ptr<GifFileType, TGifFree> Slurp(const std::vector<std::uint8_t>& file, TReader& reader) {
  reader.File = &file;
  int error = 0;
  std::unique_ptr<GifFileType, TGifFree> gif(DGifOpen(&reader, Read, &error));
  if (gif && DGifSlurp(gif.get()) != GIF_OK) gif.reset();
  return gif;
}

std::uint32_t Rgb(const GifFileType* gif, int image, int x, int y) {
  const SavedImage& saved = gif->SavedImages[image];
  const ColorMapObject* map = saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap : gif->SColorMap;
  const GifColorType c = map->Colors[saved.RasterBits[std::size_t(y) * std::size_t(gif->SWidth) + std::size_t(x)]];
  return std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
}

TEST(GifExport, DecodesToTheFramesAsTheMachineShowsThem) {
  for (bool masked : {true, false}) {
    auto doc = NewDocument(12, 3, 3, masked);
    // Frame f: pixel (f, 0) sprite only, (f, 1) mask only, (f, 2) both, (f + 6, *) neither.
    for (int f = 0; f < 3; ++f) {
      doc->Store.SetPixel(f, false, f, 0, 1);
      doc->Store.SetPixel(f, true, f, 1, 1);
      doc->Store.SetPixel(f, false, f, 2, 1);
      doc->Store.SetPixel(f, true, f, 2, 1);
    }
    TGifOptions options;
    options.Scale = 3;
    options.DelayCentiseconds = 25;
    options.Background = 0x2040C0;
    options.Ink = 0xF0E010;
    const TGifExport out = ExportGif(*doc, options);
    ASSERT_EQ(out.Error, "");
    ASSERT_GE(out.File.size(), 6u);
    EXPECT_EQ(std::string(out.File.begin(), out.File.begin() + 6), "GIF89a");
    TReader reader;
    auto gif = Slurp(out.File, reader);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SWidth, 36);
    EXPECT_EQ(gif->SHeight, 9);
    ASSERT_EQ(gif->ImageCount, 3);

    bool loops = false;
    const SavedImage& first = gif->SavedImages[0];
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
      const ExtensionBlock& b = first.ExtensionBlocks[i];
      if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
          std::memcmp(b.Bytes, "NETSCAPE2.0", 11) == 0) {
        const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
        loops = data.ByteCount == 3 && data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0;
      }
    }
    EXPECT_TRUE(loops);

    const std::uint32_t background = 0x2040C0, ink = 0xF0E010, black = 0;
    for (int f = 0; f < 3; ++f) {
      GraphicsControlBlock control{};
      ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), f, &control), GIF_OK);
      EXPECT_EQ(control.DelayTime, 25);
      EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR);
      for (int y = 0; y < 3; ++y)
        for (int sy = 0; sy < 3; ++sy)
          for (int sx = 0; sx < 3; ++sx) {
            const int px = 3 * f + sx, py = 3 * y + sy;
            EXPECT_EQ(Rgb(gif.get(), f, px, py), y == 1 ? background : ink)
                << "masked " << masked << " frame " << f << " at " << px << "," << py;
            EXPECT_EQ(Rgb(gif.get(), f, 3 * (f + 6) + sx, py), masked ? black : background);
          }
    }
  }
}

TEST(GifExport, RefusesScaleAndDelayOutOfRange) {
  auto doc = NewDocument();
  struct TCase {
    int Scale, Delay;
    const char* Message;
  };
  for (const TCase c : {TCase{0, 10, "The scale must be 1 to 8."}, TCase{9, 10, "The scale must be 1 to 8."},
                        TCase{1, -1, "The delay must be 0 to 65,535 hundredths of a second."},
                        TCase{1, 65536, "The delay must be 0 to 65,535 hundredths of a second."}}) {
    TGifOptions options;
    options.Scale = c.Scale;
    options.DelayCentiseconds = c.Delay;
    const TGifExport out = ExportGif(*doc, options);
    EXPECT_EQ(out.Error, c.Message);
    EXPECT_TRUE(out.File.empty());
  }
  TGifOptions options;
  options.Scale = 8;
  options.DelayCentiseconds = 0;
  EXPECT_EQ(ExportGif(*doc, options).Error, "");
}

}  // namespace
