#include "document/sprite_document.h"

#include <gtest/gtest.h>

#include "exchange/project_document.h"

namespace {

struct TNormalCase {
  TByteMode Mode;
  int Width, Height, Count, Current;
  int ExpectedWidth, ExpectedHeight, ExpectedCount, ExpectedCurrent;
};

// The values the settings panel would end up with for each stored value.
TEST(DocumentSettings, NormalizedKeepsTheRangesOfThePanel) {
  const TNormalCase cases[] = {
      {bm6BitReversed, 12, 24, 1, 0, 12, 24, 1, 0},   {bm6BitReversed, 13, 24, 1, 0, 12, 24, 1, 0},
      {bm6BitReversed, 0, 0, 0, 0, 6, 1, 1, 0},       {bmClassic8, 12, 240, 128, 127, 8, 240, 128, 127},
      {bmClassic8, 7, 241, 129, 200, 8, 240, 128, 127}, {bm6BitReversed, 240, 1, 4, 4, 240, 1, 4, 3},
      {bmClassic8, 240, 5, 3, -1, 240, 5, 3, 0},
  };
  for (const TNormalCase& c : cases) {
    TDocumentSettings s;
    s.Format.ByteMode = c.Mode;
    s.Width = c.Width;
    s.Height = c.Height;
    s.FrameCount = c.Count;
    s.CurrentFrame = c.Current;
    const TDocumentSettings n = Normalized(s);
    EXPECT_EQ(n.Width, c.ExpectedWidth) << c.Width;
    EXPECT_EQ(n.Height, c.ExpectedHeight);
    EXPECT_EQ(n.FrameCount, c.ExpectedCount);
    EXPECT_EQ(n.CurrentFrame, c.ExpectedCurrent);
  }
}

TEST(DocumentSettings, ProjectHeaderRoundTripAndOneBasedFrame) {
  TDocumentSettings s;
  s.Format = {bmClassic8, doByColumnsZigZag, false, maDataLineFirst, 3};
  s.Width = 16;
  s.Height = 200;
  s.FrameCount = 5;
  s.CurrentFrame = 1;
  const TProjectHeader h = ProjectHeaderOf(s);
  EXPECT_EQ(h.CurrentFrame, 2);
  EXPECT_EQ(h.ByteMode, 1);
  EXPECT_EQ(h.Order, 3);
  EXPECT_EQ(h.Arrangement, 5);
  EXPECT_EQ(SettingsOf(h), s);

  TProjectHeader zero = h;  // a frame count of 0 with a current frame of 0 passes the checks
  zero.FrameCount = 0;
  zero.CurrentFrame = 0;
  EXPECT_EQ(SettingsOf(zero).FrameCount, 1);
  EXPECT_EQ(SettingsOf(zero).CurrentFrame, 0);
}

TEST(DocumentSettings, DocumentFileSavesAndLoadsTheWholeDocument) {
  auto a = std::make_unique<TSpriteDocument>();
  auto b = std::make_unique<TSpriteDocument>();
  a->Store.SetPixel(127, true, 239, 239, 1);
  a->Store.SetPixel(0, false, 0, 0, 1);
  a->Settings.FrameCount = 3;
  a->Settings.CurrentFrame = 2;
  b->Store.FCopyBuffer[1][1] = 1;
  b->Store.SetPixel(5, false, 5, 5, 1);  // overwritten by the load
  std::vector<std::uint8_t> stream(PixelStreamSize);
  const std::vector<std::uint8_t> file = BuildDocumentFile(*a);
  EXPECT_EQ(LoadDocumentFile(*b, file, std::span<std::uint8_t, PixelStreamSize>(stream)).Result, TProjectResult::Ok);
  EXPECT_EQ(b->Settings, a->Settings);
  EXPECT_EQ(b->Store.Pixel(127, true, 239, 239), 1);
  EXPECT_EQ(b->Store.Pixel(0, false, 0, 0), 1);
  EXPECT_EQ(b->Store.Pixel(5, false, 5, 5), 0);
  EXPECT_EQ(b->Store.FCopyBuffer[1][1], 1) << "the copy buffer is no part of the file";

  const std::vector<std::uint8_t> bad{'S', 'P', 'R', 'X'};
  const TDocumentSettings kept = b->Settings;
  EXPECT_NE(LoadDocumentFile(*b, bad, std::span<std::uint8_t, PixelStreamSize>(stream)).Result, TProjectResult::Ok);
  EXPECT_EQ(b->Settings, kept);
}

// A load into a new document with a new stream buffer writes only what the file sets; it must
// give the document a load into a used one gives, for a file of this version and of a previous
// one, and a stream buffer that is new and all zero.
TEST(DocumentSettings, AFreshLoadReadsWhatAnyLoadReads) {
  auto source = std::make_unique<TSpriteDocument>();
  for (int f : {0, 2, 127})
    for (int i = 0; i < 500; ++i) source->Store.SetPixel(f, i % 3 == 0, (i * 37) % 240, (i * 11) % 240, 1);
  source->Settings.FrameCount = 3;
  std::vector<std::uint8_t> current = BuildDocumentFile(*source), previous = current;
  previous[4] = 128;  // plane side and frame capacity of a previous version
  previous[5] = 64;
  for (const auto* file : {&current, &previous}) {
    auto used = std::make_unique<TSpriteDocument>();
    for (int f = 0; f < MaxFrames; ++f) used->Store.SetPixel(f, f % 2 == 0, f, 239 - f, 1);  // to be cleared
    std::vector<std::uint8_t> stream(PixelStreamSize, 0xA5);
    ASSERT_EQ(LoadDocumentFile(*used, *file, std::span<std::uint8_t, PixelStreamSize>(stream)).Result,
              TProjectResult::Ok);
    auto fresh = std::make_unique<TSpriteDocument>();
    std::vector<std::uint8_t> zeros(PixelStreamSize);
    ASSERT_EQ(LoadDocumentFile(*fresh, *file, std::span<std::uint8_t, PixelStreamSize>(zeros), true).Result,
              TProjectResult::Ok);
    EXPECT_EQ(zeros, stream);
    EXPECT_EQ(fresh->Settings, used->Settings);
    for (int f = 0; f < MaxFrames; ++f)
      for (bool mask : {false, true}) EXPECT_TRUE(fresh->Store.Plane(f, mask) == used->Store.Plane(f, mask)) << f;
  }
}

}  // namespace
