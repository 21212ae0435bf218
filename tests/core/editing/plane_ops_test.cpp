#include "editing/plane_ops.h"

#include <gtest/gtest.h>

#include "support/plane_fixture.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

TEST(PlaneOpsTest, PasteBeforeAnyCopyClearsThePlane) {
  TSpriteStore s;
  FillPattern(s, 0, false);
  PastePlane(s, 0, false);
  EXPECT_TRUE(SetPixels(s.Plane(0, false)).empty());
}

TEST(PlaneOpsTest, CopiedPlanePastesIntoAnyFrameAndPlaneAndSurvivesClearAll) {
  TSpriteStore s;
  FillPattern(s, 3, false);
  s.SetPixel(3, false, 239, 239, 1);  // hidden pixels travel too
  const TPlane original = s.Plane(3, false);
  CopyPlane(s, 3, false);
  s.ClearAll();
  PastePlane(s, 5, true);
  EXPECT_TRUE(s.Plane(5, true) == original);
  EXPECT_TRUE(SetPixels(s.Plane(5, false)).empty());
}

TEST(PlaneOpsTest, InvertCoversTheWholePlaneAndTwiceRestores) {
  TSpriteStore s;
  FillPattern(s, 7, true);
  const TPlane original = s.Plane(7, true);
  InvertPlane(s, 7, true);
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y) ASSERT_EQ(s.Pixel(7, true, x, y), 1 - Pattern(x, y)) << x << "," << y;
  EXPECT_TRUE(SetPixels(s.Plane(7, false)).empty()) << "the other plane is left alone";
  InvertPlane(s, 7, true);
  EXPECT_TRUE(s.Plane(7, true) == original);
}

TEST(PlaneOpsTest, ClearTouchesOnlyTheChosenPlane) {
  TSpriteStore s;
  FillPattern(s, 1, false);
  FillPattern(s, 1, true);
  const TPlane mask = s.Plane(1, true);
  ClearFrame(s, 1, false);
  EXPECT_TRUE(SetPixels(s.Plane(1, false)).empty());
  EXPECT_TRUE(s.Plane(1, true) == mask);
}

TEST(PlaneOpsTest, MergeIsTheUnionWithTheCopyBuffer) {
  TSpriteStore s;
  s.SetPixel(0, false, 1, 1, 1);
  s.SetPixel(0, false, 2, 2, 1);
  CopyPlane(s, 0, false);
  s.SetPixel(1, false, 2, 2, 1);
  s.SetPixel(1, false, 230, 3, 1);
  MergePlane(s, 1, false);
  EXPECT_EQ(SetPixels(s.Plane(1, false)), (TPoints{{1, 1}, {2, 2}, {230, 3}}));
  EXPECT_EQ(SetPixels(s.FCopyBuffer), (TPoints{{1, 1}, {2, 2}}));

  // An all-clear copy buffer leaves the plane as it was.
  FillPattern(s, 4, true);
  const TPlane before = s.Plane(4, true);
  CopyPlane(s, 9, false);
  MergePlane(s, 4, true);
  EXPECT_TRUE(s.Plane(4, true) == before);
}

struct TMaskCase {
  const char* Name;
  int Width, Height;
  std::vector<std::pair<int, int>> Sprite;
  TPoints ClearMask;  // every other mask pixel is set
};

void PrintTo(const TMaskCase& c, std::ostream* os) { *os << c.Name; }

class StandardMaskTest : public ::testing::TestWithParam<TMaskCase> {};

TEST_P(StandardMaskTest, ClearsAroundSetSpritePixels) {
  const TMaskCase& c = GetParam();
  TSpriteStore s;
  for (auto [x, y] : c.Sprite) s.SetPixel(6, false, x, y, 1);
  GenerateStandardMask(s, 6, c.Width, c.Height);  // the mask plane starts all clear
  TPoints clear;
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y)
      if (s.Pixel(6, true, x, y) == 0) clear.insert({x, y});
  EXPECT_EQ(clear, c.ClearMask);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StandardMaskTest,
    ::testing::Values(TMaskCase{"empty sprite", 12, 24, {}, {}},
                      TMaskCase{"corner", 12, 24, {{0, 0}}, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
                      TMaskCase{"last column reaches past the sprite area",
                                12,
                                24,
                                {{11, 5}},
                                {{10, 4}, {11, 4}, {12, 4}, {10, 5}, {11, 5}, {12, 5}, {10, 6}, {11, 6}, {12, 6}}},
                      TMaskCase{"last row reaches past the sprite area",
                                12,
                                24,
                                {{0, 23}},
                                {{0, 22}, {1, 22}, {0, 23}, {1, 23}, {0, 24}, {1, 24}}},
                      TMaskCase{
                          "plane corner", 240, 240, {{239, 239}}, {{238, 238}, {239, 238}, {238, 239}, {239, 239}}},
                      TMaskCase{"hidden sprite pixels do not count", 12, 24, {{12, 0}, {0, 24}, {239, 239}}, {}}));

// A bad frame number must not reach a neighbouring plane of the store block.
// The mask by its plain definition, pixel by pixel: 0 exactly where a set sprite pixel of the
// sprite area lies within one pixel, diagonals included.
TPlane PlainStandardMask(const TPlane& sprite, int width, int height) {
  TPlane mask;
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y) {
      bool near = false;
      for (int sx = std::max(0, x - 1); sx <= std::min(width - 1, x + 1); ++sx)
        for (int sy = std::max(0, y - 1); sy <= std::min(height - 1, y + 1); ++sy) near = near || sprite[sx][sy] != 0;
      mask[x][y] = near ? 0 : 1;
    }
  return mask;
}

TEST(StandardMaskTest, AgreesWithThePlainRuleOnRandomSpritesOfEverySizeKind) {
  auto s = std::make_unique<TSpriteStore>();
  std::mt19937 rng(4);
  const int sizes[][2] = {{6, 1}, {12, 24}, {240, 240}, {239, 1}, {1, 240}, {240, 7}, {17, 239}, {0, 0}};
  for (const auto& size : sizes)
    for (int density : {2, 20}) {
      TPlane& sprite = s->Plane(3, false);
      for (auto& column : sprite)
        for (auto& p : column) p = rng() % unsigned(density) == 0;
      GenerateStandardMask(*s, 3, size[0], size[1]);
      EXPECT_TRUE(s->Plane(3, true) == PlainStandardMask(sprite, size[0], size[1])) << size[0] << "x" << size[1];
    }
}

TEST(PlaneOpsTest, FramesOutsideTheStoreDoNothing) {
  TSpriteStore s;
  FillPattern(s, 0, true);
  FillPattern(s, 127, false);
  FillPattern(s, 0, false);
  CopyPlane(s, 0, false);
  const TPlane pattern = s.Plane(0, false);
  for (int bad : {-1, 128, 1000}) {
    ClearFrame(s, bad, false);
    ClearFrame(s, bad, true);
    InvertPlane(s, bad, false);
    InvertPlane(s, bad, true);
    PastePlane(s, bad, true);
    MergePlane(s, bad, false);
    GenerateStandardMask(s, bad, 240, 240);
    CopyPlane(s, bad, false);
    CopyPlane(s, bad, true);
  }
  EXPECT_TRUE(s.Plane(0, true) == pattern);
  EXPECT_TRUE(s.Plane(127, false) == pattern);
  EXPECT_TRUE(s.FCopyBuffer == pattern);
}

}  // namespace
