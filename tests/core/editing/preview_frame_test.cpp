#include "editing/preview_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "support/random_fill.h"

namespace {

constexpr std::uint32_t White = 0xFFFFFFFF;
constexpr std::uint32_t Black = 0xFF000000;
constexpr std::uint32_t Untouched = 0x12345678;

// The target's rule pixel by pixel: the screen holds the background; a masked sprite ANDs
// the mask into it and ORs the sprite over it; an unmasked sprite's bits replace it.
std::uint32_t ExpectedPixel(const TSpriteStore& s, const TPreviewFrame& f, int px, int py) {
  const int x = px / f.Scale;
  const int y = py / f.Scale;
  int screen = 0;
  switch (f.Background) {
    case pbBlack: screen = 0; break;
    case pbWhite: screen = 1; break;
    case pbChecker: screen = (x / 4 + y / 4) % 2 == 0 ? 1 : 0; break;
  }
  const int sprite = s.Pixel(f.Frame, false, x, y);
  const int bit = f.Masked ? (screen & s.Pixel(f.Frame, true, x, y)) | sprite : sprite;
  return bit ? White : Black;
}

// The picture in a buffer wider and taller than it, so that writes past it show.
struct TPicture {
  int Stride;
  std::vector<std::uint32_t> Pixels;
  bool Rendered;
  TPicture(const TPreviewFrame& f, int extra = 5)
      : Stride(PreviewPictureWidth(f) + extra),
        Pixels(std::size_t(Stride) * (PreviewPictureHeight(f) + extra), Untouched),
        Rendered(RenderPreviewFrame(f, Pixels.data(), Stride)) {}
  std::uint32_t At(int x, int y) const { return Pixels[std::size_t(y) * Stride + x]; }
};

void ExpectRule(const TSpriteStore& s, const TPreviewFrame& f) {
  const TPicture p(f);
  ASSERT_TRUE(p.Rendered);
  const int w = PreviewPictureWidth(f);
  const int h = PreviewPictureHeight(f);
  int wrong = 0;
  for (int y = 0; y < h + 5; ++y)
    for (int x = 0; x < p.Stride; ++x) {
      const std::uint32_t expected = x < w && y < h ? ExpectedPixel(s, f, x, y) : Untouched;
      if (p.At(x, y) != expected && wrong++ < 5) ADD_FAILURE() << "pixel " << x << ", " << y;
    }
  EXPECT_EQ(wrong, 0);
}

TEST(PreviewFrameTest, EachBackgroundFollowsTheAndOrRuleOnRandomPlanes) {
  TSpriteStore s;
  FillRandom(s, 11, 3);
  struct TCase {
    int Frame, Width, Height, Scale;
  };
  const TCase cases[] = {{0, 12, 24, 1}, {1, 240, 240, 8}, {2, 13, 7, 3}, {0, 240, 1, 5}, {1, 1, 240, 2},
                         {2, 48, 40, 4}, {0, 6, 6, 7}};
  for (TPreviewBackground background : {pbBlack, pbWhite, pbChecker})
    for (bool masked : {true, false})
      for (const TCase& c : cases) {
        SCOPED_TRACE("background " + std::to_string(background) + (masked ? " masked " : " unmasked ") +
                     std::to_string(c.Width) + "x" + std::to_string(c.Height) + " at " + std::to_string(c.Scale));
        ExpectRule(s, {&s, c.Frame, c.Width, c.Height, masked, background, c.Scale});
      }
}

// The four combinations of one pixel, over white: a set mask pixel shows the screen, a clear
// one blacks it out, and a set sprite pixel is lit either way.
TEST(PreviewFrameTest, MaskPixelLetsTheBackgroundThrough) {
  TSpriteStore s;
  s.SetPixel(0, true, 1, 0, 1);
  s.SetPixel(0, false, 2, 0, 1);
  s.SetPixel(0, true, 3, 0, 1);
  s.SetPixel(0, false, 3, 0, 1);
  const TPicture masked({&s, 0, 4, 1, true, pbWhite, 1});
  EXPECT_EQ(masked.At(0, 0), Black);
  EXPECT_EQ(masked.At(1, 0), White);
  EXPECT_EQ(masked.At(2, 0), White);
  EXPECT_EQ(masked.At(3, 0), White);
  const TPicture overBlack({&s, 0, 4, 1, true, pbBlack, 1});
  EXPECT_EQ(overBlack.At(1, 0), Black);
  const TPicture unmasked({&s, 0, 4, 1, false, pbWhite, 1});
  EXPECT_EQ(unmasked.At(1, 0), Black);  // the mask is not part of an unmasked sprite
}

// A fully transparent sprite shows the checker itself: 4 x 4 squares, lit at the corner.
TEST(PreviewFrameTest, TransparentSpriteShowsTheChecker) {
  TSpriteStore s;
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) s.SetPixel(0, true, x, y, 1);
  // At 2x a square of 4 target pixels is 8 screen pixels wide.
  const TPicture p({&s, 0, 16, 16, true, pbChecker, 2});
  EXPECT_EQ(p.At(0, 0), White);
  EXPECT_EQ(p.At(7, 7), White);
  EXPECT_EQ(p.At(8, 0), Black);
  EXPECT_EQ(p.At(0, 8), Black);
  EXPECT_EQ(p.At(8, 8), White);
  EXPECT_EQ(p.At(31, 31), White);
}

TEST(PreviewFrameTest, InvalidDescriptionsWriteNothing) {
  TSpriteStore s;
  const TPreviewFrame good{&s, 0, 12, 24, true, pbChecker, 2};
  std::vector<TPreviewFrame> bad(7, good);
  bad[0].Store = nullptr;
  bad[1].Frame = MaxFrames;
  bad[2].Width = 0;
  bad[3].Height = MaxSide + 1;
  bad[4].Scale = 0;
  bad[5].Scale = PreviewMaxScale + 1;
  bad[6].Background = TPreviewBackground(3);
  for (const TPreviewFrame& f : bad) {
    std::vector<std::uint32_t> buffer(240 * 8 * 240 * 8, Untouched);
    EXPECT_FALSE(RenderPreviewFrame(f, buffer.data(), 240 * 8));
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), Untouched), std::ptrdiff_t(buffer.size()));
  }
  std::vector<std::uint32_t> narrow(24 * 48, Untouched);
  EXPECT_FALSE(RenderPreviewFrame(good, narrow.data(), 23));  // a stride shorter than the row
  EXPECT_TRUE(RenderPreviewFrame(good, narrow.data(), 24));
}

}  // namespace
