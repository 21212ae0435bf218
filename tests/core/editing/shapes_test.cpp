// The cells of lines and rectangles, the flood fill and mirrored cells: tables of small cases,
// and random cases against plain reference implementations written here, and the history
// steps of shapes and fills against the document before and after.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <random>
#include <set>

#include "editing/shapes.h"
#include "history/cells_step.h"
#include "history/fill_step.h"
#include "history/history.h"
#include "support/document_compare.h"
#include "support/random_fill.h"

namespace {

using TCells = std::vector<TCell>;

std::set<std::pair<int, int>> AsSet(const TCells& cells) {
  std::set<std::pair<int, int>> s;
  for (const TCell& c : cells) s.insert({c.X, c.Y});
  return s;
}

// The plain definition of a digital line: one cell for each step along the longer axis, whose
// other coordinate is at most half a cell from the ideal line.
void ExpectLineOf(const TCells& cells, TCell a, TCell b) {
  const int dx = b.X - a.X, dy = b.Y - a.Y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  ASSERT_EQ(cells.size(), std::size_t(steps) + 1);
  EXPECT_EQ(cells.front(), a);
  EXPECT_EQ(cells.back(), b);
  for (int i = 0; i <= steps; ++i) {
    const TCell c = cells[std::size_t(i)];
    const double t = steps == 0 ? 0 : double(i) / steps;
    if (std::abs(dx) >= std::abs(dy)) {
      EXPECT_EQ(c.X, a.X + (dx > 0 ? i : -i));
      EXPECT_LE(std::abs(c.Y - (a.Y + t * dy)), 0.5 + 1e-9);
    } else {
      EXPECT_EQ(c.Y, a.Y + (dy > 0 ? i : -i));
      EXPECT_LE(std::abs(c.X - (a.X + t * dx)), 0.5 + 1e-9);
    }
  }
}

struct TLineCase {
  TCell From, To;
  TCells Cells;
};

TEST(LineCells, Table) {
  const TLineCase cases[] = {
      {{4, 4}, {4, 4}, {{4, 4}}},
      {{0, 0}, {3, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
      {{2, 4}, {2, 1}, {{2, 4}, {2, 3}, {2, 2}, {2, 1}}},
      {{3, 3}, {0, 0}, {{3, 3}, {2, 2}, {1, 1}, {0, 0}}},
      {{0, 0}, {5, 1}, {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1}}},
      {{0, 0}, {1, 3}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
      {{5, 0}, {0, 2}, {{5, 0}, {4, 0}, {3, 1}, {2, 1}, {1, 2}, {0, 2}}},
  };
  for (const TLineCase& c : cases) {
    EXPECT_EQ(LineCells(c.From, c.To), c.Cells) << c.From.X << "," << c.From.Y << " - " << c.To.X << "," << c.To.Y;
    TCells back = c.Cells;
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(LineCells(c.To, c.From), back) << "reversed";
  }
}

TEST(LineCells, RandomLinesAgainstTheDefinitionAndTheSameCellsEitherWay) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(-20, 259);
  for (int i = 0; i < 3000; ++i) {
    const TCell a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    const TCells cells = LineCells(a, b);
    ExpectLineOf(cells, a, b);
    TCells back = LineCells(b, a);
    std::reverse(back.begin(), back.end());
    ASSERT_EQ(back, cells) << a.X << "," << a.Y << " - " << b.X << "," << b.Y;
  }
}

TEST(RectangleCells, Table) {
  struct TCase {
    TCell A, B;
    TRectangleKind Kind;
    TCells Cells;  // in any order
  } const cases[] = {
      {{2, 2}, {2, 2}, rkOutline, {{2, 2}}},
      {{2, 2}, {2, 2}, rkFilled, {{2, 2}}},
      {{3, 0}, {0, 0}, rkOutline, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
      {{1, 3}, {1, 1}, rkOutline, {{1, 1}, {1, 2}, {1, 3}}},
      {{1, 1}, {3, 2}, rkOutline, {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}},
      {{3, 3}, {1, 1}, rkOutline, {{1, 1}, {2, 1}, {3, 1}, {1, 3}, {2, 3}, {3, 3}, {1, 2}, {3, 2}}},
      {{1, 3}, {3, 1}, rkFilled, {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}},
  };
  for (const TCase& c : cases) {
    const TCells cells = RectangleCells(c.A, c.B, c.Kind);
    EXPECT_EQ(cells.size(), c.Cells.size());
    EXPECT_EQ(AsSet(cells), AsSet(c.Cells));
  }
}

TEST(RectangleCells, RandomRectanglesAgainstTheirBorderAndArea) {
  std::mt19937 rng(8);
  std::uniform_int_distribution<int> coord(0, 30);
  for (int i = 0; i < 500; ++i) {
    const TCell a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    std::set<std::pair<int, int>> border, area;
    for (int x = 0; x <= 30; ++x)
      for (int y = 0; y <= 30; ++y) {
        const bool inX = x >= std::min(a.X, b.X) && x <= std::max(a.X, b.X);
        const bool inY = y >= std::min(a.Y, b.Y) && y <= std::max(a.Y, b.Y);
        if (!inX || !inY) continue;
        area.insert({x, y});
        if (x == a.X || x == b.X || y == a.Y || y == b.Y) border.insert({x, y});
      }
    const TCells outline = RectangleCells(a, b, rkOutline), filled = RectangleCells(a, b, rkFilled);
    ASSERT_EQ(outline.size(), border.size()) << "every border cell once";
    ASSERT_EQ(AsSet(outline), border);
    ASSERT_EQ(filled.size(), area.size());
    ASSERT_EQ(AsSet(filled), area);
  }
}

// The plain flood fill: a queue of single cells.
int ReferenceFill(TPlane& plane, int width, int height, TCell seed, std::uint8_t value) {
  if (seed.X < 0 || seed.X >= width || seed.Y < 0 || seed.Y >= height) return 0;
  const std::uint8_t target = plane[seed.X][seed.Y];
  if (target == value) return 0;
  std::deque<TCell> queue{seed};
  plane[seed.X][seed.Y] = value;
  int changed = 1;
  while (!queue.empty()) {
    const TCell c = queue.front();
    queue.pop_front();
    for (const TCell n : {TCell{c.X - 1, c.Y}, TCell{c.X + 1, c.Y}, TCell{c.X, c.Y - 1}, TCell{c.X, c.Y + 1}}) {
      if (n.X < 0 || n.X >= width || n.Y < 0 || n.Y >= height || plane[n.X][n.Y] != target) continue;
      plane[n.X][n.Y] = value;
      ++changed;
      queue.push_back(n);
    }
  }
  return changed;
}

// Rows of a small picture, '#' set; the rest of the plane is set, outside the picture too.
void Draw(TPlane& plane, const std::vector<std::string>& rows) {
  for (auto& column : plane) column.fill(1);
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x) plane[x][y] = rows[y][x] == '#';
}

std::vector<std::string> Picture(const TPlane& plane, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    rows.emplace_back();
    for (int x = 0; x < width; ++x) rows.back() += plane[x][y] ? '#' : '.';
  }
  return rows;
}

TEST(FloodFill, Table) {
  struct TCase {
    const char* Name;
    std::vector<std::string> Before;
    TCell Seed;
    std::uint8_t Value;
    std::vector<std::string> After;
    int Changed;
  };
  const std::vector<TCase> cases = {
      {"a closed ring keeps its inside and outside apart",
       {".....", ".###.", ".#.#.", ".###.", "....."}, {0, 0}, 1,
       {"#####", "#####", "##.##", "#####", "#####"}, 16},
      {"inside the ring", {".....", ".###.", ".#.#.", ".###.", "....."}, {2, 2}, 1,
       {".....", ".###.", ".###.", ".###.", "....."}, 1},
      {"diagonal neighbours are not connected", {"#.", ".#"}, {0, 0}, 0, {"..", ".#"}, 1},
      {"a seed that holds the value already", {"#.", ".#"}, {0, 0}, 1, {"#.", ".#"}, 0},
      {"a winding path",
       {"......", "#####.", "......", ".#####", "......"}, {0, 0}, 1,
       {"######", "######", "######", "######", "######"}, 20},
      {"a U open at the top, filled from the bottom", {"#.#.#", "#.#.#", "#...#", "#####"}, {1, 0}, 1,
       {"#####", "#####", "#####", "#####"}, 7},
  };
  for (const TCase& c : cases) {
    auto plane = std::make_unique<TPlane>();
    Draw(*plane, c.Before);
    const int width = int(c.Before[0].size()), height = int(c.Before.size());
    EXPECT_EQ(FloodFill(*plane, width, height, c.Seed, c.Value), c.Changed) << c.Name;
    EXPECT_EQ(Picture(*plane, width, height), c.After) << c.Name;
  }
}

TEST(FloodFill, SeedOutsideTheAreaChangesNothing) {
  auto plane = std::make_unique<TPlane>();
  for (const TCell seed : {TCell{-1, 0}, TCell{0, -1}, TCell{12, 3}, TCell{3, 24}})
    EXPECT_EQ(FloodFill(*plane, 12, 24, seed, 1), 0);
  EXPECT_EQ(FloodFill(*plane, 0, 0, {0, 0}, 1), 0);
  for (const auto& column : *plane)
    for (const auto p : column) ASSERT_EQ(p, 0);
}

// Random planes of every density, sprite areas from 1 x 1 to the whole plane, hidden pixels
// random too: the whole plane must equal the reference's, hidden area included.
TEST(FloodFill, RandomPlanesAgainstTheCellByCellFill) {
  std::mt19937 rng(9);
  auto plane = std::make_unique<TPlane>(), expected = std::make_unique<TPlane>();
  for (int i = 0; i < 400; ++i) {
    const int width = i % 10 == 0 ? MaxSide : 1 + int(rng() % MaxSide);
    const int height = i % 7 == 0 ? MaxSide : 1 + int(rng() % MaxSide);
    const unsigned density = rng() % 100;  // percent of set pixels
    for (auto& column : *plane)
      for (auto& p : column) p = std::uint8_t(rng() % 100 < density);
    *expected = *plane;
    const TCell seed{int(rng() % unsigned(width)), int(rng() % unsigned(height))};
    const std::uint8_t value = std::uint8_t(rng() & 1);
    const int want = ReferenceFill(*expected, width, height, seed, value);
    ASSERT_EQ(FloodFill(*plane, width, height, seed, value), want) << i;
    ASSERT_TRUE(*plane == *expected) << i;
  }
}

TEST(FloodFill, WholeClearPlane) {
  auto plane = std::make_unique<TPlane>();
  EXPECT_EQ(FloodFill(*plane, MaxSide, MaxSide, {239, 0}, 1), PlanePixels);
  for (const auto& column : *plane)
    for (const auto p : column) ASSERT_EQ(p, 1);
}

TEST(MirroredCells, Table) {
  struct TCase {
    TCell Cell;
    TMirrorMode Mode;
    TCells Cells;
  } const cases[] = {
      {{1, 2}, mmNone, {{1, 2}}},
      {{1, 2}, mmLeftRight, {{1, 2}, {10, 2}}},
      {{1, 2}, mmTopBottom, {{1, 2}, {1, 21}}},
      {{1, 2}, mmBoth, {{1, 2}, {10, 2}, {1, 21}, {10, 21}}},
      {{0, 0}, mmBoth, {{0, 0}, {11, 0}, {0, 23}, {11, 23}}},
  };
  for (const TCase& c : cases) EXPECT_EQ(MirroredCells(c.Cell, c.Mode, 12, 24), c.Cells);
  // An odd width has a middle column that is its own image.
  EXPECT_EQ(MirroredCells({2, 1}, mmBoth, 5, 3), (TCells{{2, 1}}));
  EXPECT_EQ(MirroredCells({2, 0}, mmBoth, 5, 3), (TCells{{2, 0}, {2, 2}}));
}

TEST(ClippedMirrored, DropsCellsOutsideTheAreaAndRepeats) {
  const TCells cells{{0, 0}, {4, 0}, {-1, 0}, {5, 0}, {0, 3}, {2, 0}, {0, 0}};
  EXPECT_EQ(ClippedMirrored(cells, mmNone, 5, 3), (TCells{{0, 0}, {4, 0}, {2, 0}}));
  EXPECT_EQ(ClippedMirrored(cells, mmLeftRight, 5, 3), (TCells{{0, 0}, {4, 0}, {2, 0}}));
  EXPECT_EQ(ClippedMirrored(cells, mmTopBottom, 5, 3), (TCells{{0, 0}, {0, 2}, {4, 0}, {4, 2}, {2, 0}, {2, 2}}));
}

// --- the history steps of the tools ---

struct TStepFixture : ::testing::Test {
  std::unique_ptr<TSpriteDocument> Doc = std::make_unique<TSpriteDocument>();
  std::unique_ptr<TSpriteDocument> Before = std::make_unique<TSpriteDocument>();
  THistory History;
  void SetUp() override {
    FillRandom(Doc->Store, 21u, 3);
    Doc->Settings.Width = 40;
    Doc->Settings.Height = 30;
    Doc->Settings.FrameCount = 3;
    Doc->Settings.CurrentFrame = 0;
    CopyDocument(*Doc, *Before);
  }
  // Undo gives the document before, redo the one after, twice over.
  void ExpectUndoRedo(const TSpriteDocument& after) {
    for (int round = 0; round < 2; ++round) {
      History.Undo(*Doc);
      Doc->Settings.CurrentFrame = Before->Settings.CurrentFrame;
      ASSERT_TRUE(SameDocument(*Doc, *Before));
      History.Redo(*Doc);
      ASSERT_TRUE(SameDocument(*Doc, after));
    }
  }
};

TEST_F(TStepFixture, CellsStepWritesTheCellsAndUndoRestoresEachOldValue) {
  const TCells cells = ClippedMirrored(RectangleCells({3, 4}, {20, 17}, rkOutline), mmBoth, 40, 30);
  auto after = std::make_unique<TSpriteDocument>();
  CopyDocument(*Doc, *after);
  for (const TCell& c : cells) after->Store.SetPixel(1, true, c.X, c.Y, 0);
  after->Settings.CurrentFrame = 1;
  History.Push(*Doc, MakeCellsStep("Rectangle", 1, true, cells, 0));
  EXPECT_EQ(History.UndoText(), "Rectangle");
  ASSERT_TRUE(SameDocument(*Doc, *after));
  ExpectUndoRedo(*after);
}

TEST_F(TStepFixture, FillStepFromMirroredSeedsAgainstTheReference) {
  const TCells seeds = MirroredCells({5, 6}, mmBoth, 40, 30);
  auto after = std::make_unique<TSpriteDocument>();
  CopyDocument(*Doc, *after);
  for (const TCell& s : seeds) ReferenceFill(after->Store.Plane(2, false), 40, 30, s, 1);
  after->Settings.CurrentFrame = 2;
  ASSERT_TRUE(FillWouldChange(Doc->Store.Plane(2, false), 40, 30, seeds, 1) ==
              !(Doc->Store.Plane(2, false) == after->Store.Plane(2, false)));
  History.Push(*Doc, MakeFillStep(2, false, 40, 30, seeds, 1));
  EXPECT_EQ(History.UndoText(), "Fill");
  ASSERT_TRUE(SameDocument(*Doc, *after));
  ExpectUndoRedo(*after);
}

TEST(ShapeChecks, WouldChange) {
  auto plane = std::make_unique<TPlane>();
  (*plane)[2][3] = 1;
  EXPECT_FALSE(CellsWouldChange(*plane, {{2, 3}}, 1));
  EXPECT_TRUE(CellsWouldChange(*plane, {{2, 3}, {2, 4}}, 1));
  EXPECT_TRUE(CellsWouldChange(*plane, {{2, 3}}, 0));
  EXPECT_FALSE(FillWouldChange(*plane, 12, 24, {{2, 3}, {20, 3}}, 1));  // the second lies outside
  EXPECT_TRUE(FillWouldChange(*plane, 12, 24, {{2, 3}, {2, 4}}, 1));
}

}  // namespace
