#include "history/plane_snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/random_fill.h"

namespace {

bool SamePlane(const TPlane& a, const TPlane& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(PlaneSnapshot, RestoresEveryPixelOfClearFullSparseAndRandomPlanes) {
  auto plane = std::make_unique<TPlane>();
  auto back = std::make_unique<TPlane>();
  struct TCase {
    const char* Name;
    void (*Fill)(TPlane&);
    std::size_t MaxBytes;  // what a kept plane of this kind may cost
  };
  const TCase cases[] = {
      {"clear", [](TPlane& p) { p = {}; }, 8},
      {"full", [](TPlane& p) { for (auto& c : p) c.fill(1); }, 8},
      {"corners", [](TPlane& p) { p = {}; p[0][0] = p[239][0] = p[0][239] = p[239][239] = 1; }, 128},
      {"random", [](TPlane& p) { FillRandom(p, 17u); }, 7200},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Fill(*plane);
    const TPlaneSnapshot kept(*plane);
    EXPECT_LE(kept.Bytes(), c.MaxBytes);
    for (auto& column : *back) column.fill(1);  // every pixel must be written
    kept.RestoreTo(*back);
    EXPECT_TRUE(SamePlane(*plane, *back));
  }
}

TEST(PlaneSnapshot, EachSinglePixelComesBackAtItsPlace) {
  auto plane = std::make_unique<TPlane>();
  auto back = std::make_unique<TPlane>();
  for (int x : {0, 1, 7, 8, 119, 238, 239})
    for (int y : {0, 5, 8, 239}) {
      *plane = {};
      (*plane)[x][y] = 1;
      TPlaneSnapshot(*plane).RestoreTo(*back);
      EXPECT_TRUE(SamePlane(*plane, *back)) << x << "," << y;
    }
}

TEST(PlaneSnapshot, HiddenAreaClearLooksOutsideTheSpriteAreaOnly) {
  auto plane = std::make_unique<TPlane>();
  for (auto& column : *plane) column.fill(0);
  for (int x = 0; x < 12; ++x) (*plane)[x].fill(0), std::fill((*plane)[x].begin(), (*plane)[x].begin() + 24, 1);
  EXPECT_TRUE(HiddenAreaClear(*plane, 12, 24));
  (*plane)[11][24] = 1;  // below the area
  EXPECT_FALSE(HiddenAreaClear(*plane, 12, 24));
  (*plane)[11][24] = 0;
  (*plane)[12][0] = 1;  // right of it
  EXPECT_FALSE(HiddenAreaClear(*plane, 12, 24));
  EXPECT_TRUE(HiddenAreaClear(*plane, 240, 240));
}

}  // namespace
