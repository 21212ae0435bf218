#include "editing/transforms.h"

#include <gtest/gtest.h>

#include "support/plane_fixture.h"

#include <ostream>
#include <set>
#include <utility>

namespace {

struct TShiftCase {
  int Direction;
  TPoints Before, After;
};

void PrintTo(const TShiftCase& c, std::ostream* os) { *os << "direction " << c.Direction; }

class ShiftDirectionTest : public ::testing::TestWithParam<TShiftCase> {};

TEST_P(ShiftDirectionTest, MovesTheWholePlaneOnePixel) {
  const TShiftCase& c = GetParam();
  TSpriteStore s;
  SetAll(s, 2, true, c.Before);
  ShiftPlane(s, 2, c.Direction, true);
  EXPECT_EQ(SetPixels(s.Plane(2, true)), c.After);
  EXPECT_TRUE(SetPixels(s.Plane(2, false)).empty());
}

// Each case moves an inner pixel and loses one on the edge it is pushed over.
INSTANTIATE_TEST_SUITE_P(Directions, ShiftDirectionTest,
                         ::testing::Values(TShiftCase{sdUp, {{5, 5}, {7, 0}, {9, 239}}, {{5, 4}, {9, 238}}},
                                           TShiftCase{sdLeft, {{5, 5}, {0, 7}, {239, 9}}, {{4, 5}, {238, 9}}},
                                           TShiftCase{sdRight, {{5, 5}, {239, 7}, {0, 9}}, {{6, 5}, {1, 9}}},
                                           TShiftCase{sdDown, {{5, 5}, {7, 239}, {9, 0}}, {{5, 6}, {9, 1}}},
                                           TShiftCase{0, {{5, 5}}, {{5, 5}}}, TShiftCase{5, {{5, 5}}, {{5, 5}}},
                                           TShiftCase{-1, {{5, 5}}, {{5, 5}}}));

TEST(ShiftPlaneTest, HiddenColumnKeepsWhatShiftRightPushedIntoIt) {
  // Sprite 12 wide: column 12 is hidden.
  TSpriteStore s;
  s.SetPixel(0, false, 11, 3, 1);
  ShiftPlane(s, 0, sdRight, false);
  EXPECT_EQ(SetPixels(s.Plane(0, false)), (TPoints{{12, 3}}));
  ShiftPlane(s, 0, sdLeft, false);
  EXPECT_EQ(SetPixels(s.Plane(0, false)), (TPoints{{11, 3}}));
}

TEST(ShiftPlaneTest, ShiftRight240TimesClearsAFullPlane) {
  TSpriteStore s;
  for (auto& column : s.Plane(0, false)) column.fill(1);
  for (int k = 0; k < 239; ++k) ShiftPlane(s, 0, sdRight, false);
  EXPECT_EQ(SetPixels(s.Plane(0, false)).size(), 240u) << "column 239 is still set after 239 shifts";
  ShiftPlane(s, 0, sdRight, false);
  EXPECT_TRUE(SetPixels(s.Plane(0, false)).empty());
}

TEST(FlipPlaneTest, TopBottomOfOddHeightKeepsMiddleRowAndHiddenPixels) {
  TSpriteStore s;
  SetAll(s, 0, false, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {12, 0}, {0, 5}});
  FlipPlane(s, 0, false, false, 12, 5);
  EXPECT_EQ(SetPixels(s.Plane(0, false)), (TPoints{{0, 4}, {1, 3}, {2, 2}, {3, 1}, {4, 0}, {12, 0}, {0, 5}}));
}

TEST(FlipPlaneTest, LeftRightStaysInsideTheSpriteArea) {
  TSpriteStore s;
  SetAll(s, 0, true, {{0, 0}, {5, 1}, {11, 4}, {12, 0}, {0, 5}});
  FlipPlane(s, 0, true, true, 12, 5);
  EXPECT_EQ(SetPixels(s.Plane(0, true)), (TPoints{{11, 0}, {6, 1}, {0, 4}, {12, 0}, {0, 5}}));
}

TEST(FlipPlaneTest, TwiceRestoresThePlane) {
  for (bool vertical : {false, true}) {
    TSpriteStore s;
    FillPattern(s, 0, false);
    const TPlane original = s.Plane(0, false);
    FlipPlane(s, 0, vertical, false, 18, 7);
    EXPECT_FALSE(s.Plane(0, false) == original);
    FlipPlane(s, 0, vertical, false, 18, 7);
    EXPECT_TRUE(s.Plane(0, false) == original) << "vertical " << vertical;
  }
}

struct TRotateCase {
  int Width, Height;
  bool HalfTurn;
  TPoints Before, After;
};

void PrintTo(const TRotateCase& c, std::ostream* os) {
  *os << c.Width << "x" << c.Height << (c.HalfTurn ? " half turn" : " quarter turn");
}

class RotateCaseTest : public ::testing::TestWithParam<TRotateCase> {};

TEST_P(RotateCaseTest, MovesPixels) {
  const TRotateCase& c = GetParam();
  TSpriteStore s;
  SetAll(s, 0, false, c.Before);
  RotatePlane(s, 0, c.HalfTurn, false, c.Width, c.Height);
  EXPECT_EQ(SetPixels(s.Plane(0, false)), c.After);
}

INSTANTIATE_TEST_SUITE_P(Cases, RotateCaseTest,
                         ::testing::Values(
                             // wider than high: the turned image reaches below the sprite area
                             TRotateCase{6, 3, false, {{0, 0}, {5, 0}, {0, 2}}, {{2, 0}, {2, 5}, {0, 0}}},
                             // higher than wide: the turned image reaches right of the sprite area
                             TRotateCase{6, 12, false, {{0, 0}, {5, 11}}, {{11, 0}, {0, 5}}},
                             TRotateCase{12, 24, true, {{0, 0}, {3, 7}}, {{11, 23}, {8, 16}}},
                             // hidden pixels are erased
                             TRotateCase{12, 24, false, {{12, 0}, {0, 24}, {239, 239}}, {}},
                             TRotateCase{12, 24, true, {{12, 0}, {0, 24}, {239, 239}}, {}}));

TEST(RotatePlaneTest, QuarterTurnsOfASquare) {
  TSpriteStore s;
  for (int x = 0; x < 24; ++x)
    for (int y = 0; y < 24; ++y) s.SetPixel(0, false, x, y, Pattern(x, y));
  const TPlane original = s.Plane(0, false);
  RotatePlane(s, 0, false, false, 24, 24);
  RotatePlane(s, 0, false, false, 24, 24);
  s.Plane(1, false) = original;
  RotatePlane(s, 1, true, false, 24, 24);
  EXPECT_TRUE(s.Plane(0, false) == s.Plane(1, false)) << "a half turn is two quarter turns";
  RotatePlane(s, 0, false, false, 24, 24);
  EXPECT_FALSE(s.Plane(0, false) == original);
  RotatePlane(s, 0, false, false, 24, 24);
  EXPECT_TRUE(s.Plane(0, false) == original);
}

// A bad frame number must not reach a neighbouring plane of the store block.
TEST(TransformsTest, FramesOutsideTheStoreDoNothing) {
  TSpriteStore s;
  FillPattern(s, 0, true);
  FillPattern(s, 127, false);
  FillPattern(s, 0, false);
  s.FCopyBuffer = s.Plane(0, false);
  const TPlane pattern = s.Plane(0, false);
  for (int bad : {-1, 128, 1000}) {
    for (bool mask : {false, true}) {
      ShiftPlane(s, bad, sdRight, mask);
      FlipPlane(s, bad, true, mask, 240, 240);
      RotatePlane(s, bad, false, mask, 240, 240);
      RotatePlane(s, bad, true, mask, 240, 240);
    }
  }
  EXPECT_TRUE(s.Plane(0, true) == pattern);
  EXPECT_TRUE(s.Plane(127, false) == pattern);
  EXPECT_TRUE(s.FCopyBuffer == pattern);
}

}  // namespace
