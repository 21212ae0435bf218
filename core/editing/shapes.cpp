#include "editing/shapes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

bool Inside(TCell c, int width, int height) { return c.X >= 0 && c.X < width && c.Y >= 0 && c.Y < height; }

}  // namespace

std::vector<TCell> LineCells(TCell from, TCell to) {
  const bool reversed = from.Y > to.Y || (from.Y == to.Y && from.X > to.X);
  if (reversed) std::swap(from, to);
  const int dx = std::abs(to.X - from.X);
  const int dy = -std::abs(to.Y - from.Y);
  const int sx = from.X < to.X ? 1 : -1;
  const int sy = from.Y < to.Y ? 1 : -1;
  std::vector<TCell> cells;
  cells.reserve(std::size_t(std::max(dx, -dy)) + 1);
  int err = dx + dy;
  for (TCell c = from;;) {
    cells.push_back(c);
    if (c == to) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      c.X += sx;
    }
    if (e2 <= dx) {
      err += dx;
      c.Y += sy;
    }
  }
  if (reversed) std::reverse(cells.begin(), cells.end());
  return cells;
}

std::vector<TCell> RectangleCells(TCell a, TCell b, TRectangleKind kind) {
  const int left = std::min(a.X, b.X), right = std::max(a.X, b.X);
  const int top = std::min(a.Y, b.Y), bottom = std::max(a.Y, b.Y);
  std::vector<TCell> cells;
  if (kind == rkFilled) {
    cells.reserve(std::size_t(right - left + 1) * std::size_t(bottom - top + 1));
    for (int x = left; x <= right; ++x)
      for (int y = top; y <= bottom; ++y) cells.push_back({x, y});
    return cells;
  }
  for (int x = left; x <= right; ++x) cells.push_back({x, top});
  if (bottom > top)
    for (int x = left; x <= right; ++x) cells.push_back({x, bottom});
  for (int y = top + 1; y < bottom; ++y) {
    cells.push_back({left, y});
    if (right > left) cells.push_back({right, y});
  }
  return cells;
}

// Scanline fill by columns, the store's contiguous direction: each popped seed grows into the
// whole run of the target value in its column, which is written at once; the runs of the
// target value beside it in the neighbouring columns become new seeds.
int FloodFill(TPlane& plane, int width, int height, TCell seed, std::uint8_t value) {
  width = std::clamp(width, 0, MaxSide);
  height = std::clamp(height, 0, MaxSide);
  if (!Inside(seed, width, height)) return 0;
  const std::uint8_t target = plane[seed.X][seed.Y];
  if (target == value) return 0;
  std::vector<TCell> seeds;
  seeds.reserve(256);
  seeds.push_back(seed);
  int changed = 0;
  while (!seeds.empty()) {
    const TCell c = seeds.back();
    seeds.pop_back();
    std::uint8_t* column = plane[c.X].data();
    if (column[c.Y] != target) continue;  // reached from another seed meanwhile
    int top = c.Y, bottom = c.Y;
    while (top > 0 && column[top - 1] == target) --top;
    while (bottom < height - 1 && column[bottom + 1] == target) ++bottom;
    std::memset(column + top, value, std::size_t(bottom - top + 1));
    changed += bottom - top + 1;
    for (const int nx : {c.X - 1, c.X + 1}) {
      if (nx < 0 || nx >= width) continue;
      const std::uint8_t* next = plane[nx].data();
      for (int y = top; y <= bottom; ++y) {
        if (next[y] != target) continue;
        seeds.push_back({nx, y});
        while (y < bottom && next[y + 1] == target) ++y;
      }
    }
  }
  return changed;
}

std::vector<TCell> MirroredCells(TCell cell, TMirrorMode mode, int width, int height) {
  std::vector<TCell> cells{cell};
  auto add = [&](TCell c) {
    if (std::find(cells.begin(), cells.end(), c) == cells.end()) cells.push_back(c);
  };
  const TCell lr{width - 1 - cell.X, cell.Y};
  const TCell tb{cell.X, height - 1 - cell.Y};
  if (mode == mmLeftRight || mode == mmBoth) add(lr);
  if (mode == mmTopBottom || mode == mmBoth) add(tb);
  if (mode == mmBoth) add({width - 1 - cell.X, height - 1 - cell.Y});
  return cells;
}

std::vector<TCell> ClippedMirrored(const std::vector<TCell>& cells, TMirrorMode mode, int width, int height) {
  width = std::clamp(width, 0, MaxSide);
  height = std::clamp(height, 0, MaxSide);
  std::vector<TCell> out;
  out.reserve(cells.size() * (mode == mmNone ? 1 : mode == mmBoth ? 4 : 2));
  std::vector<bool> seen(std::size_t(PlanePixels), false);
  for (const TCell& c : cells) {
    if (!Inside(c, width, height)) continue;
    for (const TCell& m : MirroredCells(c, mode, width, height)) {
      const std::size_t at = std::size_t(m.X) * MaxSide + std::size_t(m.Y);
      if (seen[at]) continue;
      seen[at] = true;
      out.push_back(m);
    }
  }
  return out;
}
