#include "editing/transforms.h"

#include <algorithm>
#include <cstring>

namespace {

// The sprite area never reaches past the plane.
int AreaSide(int side) { return std::clamp(side, 0, MaxSide); }

}  // namespace

void ShiftPlane(TSpriteStore& store, int frame, int direction, bool mask) {
  if (!ValidFrame(frame)) return;
  TPlane& p = store.Plane(frame, mask);
  switch (direction) {
    case sdUp:
      for (auto& column : p) {
        std::memmove(column.data(), column.data() + 1, MaxSide - 1);
        column.back() = 0;
      }
      break;
    case sdDown:
      for (auto& column : p) {
        std::memmove(column.data() + 1, column.data(), MaxSide - 1);
        column.front() = 0;
      }
      break;
    case sdLeft:
      std::move(p.begin() + 1, p.end(), p.begin());
      p.back().fill(0);
      break;
    case sdRight:
      std::move_backward(p.begin(), p.end() - 1, p.end());
      p.front().fill(0);
      break;
    default:
      break;
  }
}

void FlipPlane(TSpriteStore& store, int frame, bool vertical, bool mask, int width, int height) {
  if (!ValidFrame(frame)) return;
  TPlane& p = store.Plane(frame, mask);
  const int w = AreaSide(width);
  const int h = AreaSide(height);
  if (vertical) {
    for (int x = 0; x < w - 1 - x; ++x) std::swap_ranges(p[x].begin(), p[x].begin() + h, p[w - 1 - x].begin());
  } else {
    for (int x = 0; x < w; ++x) std::reverse(p[x].begin(), p[x].begin() + h);
  }
}

void RotatePlane(TSpriteStore& store, int frame, bool halfTurn, bool mask, int width, int height) {
  if (!ValidFrame(frame)) return;
  TPlane& p = store.Plane(frame, mask);
  const int w = AreaSide(width);
  const int h = AreaSide(height);
  TPlane t{};  // everything outside the turned image ends up clear
  if (halfTurn) {
    for (int x = 0; x < w; ++x) std::reverse_copy(p[w - 1 - x].begin(), p[w - 1 - x].begin() + h, t[x].begin());
  } else {
    // Column x' of the turned image is row H-1-x' of the sprite, read left to right.
    for (int tx = 0; tx < h; ++tx) {
      for (int ty = 0; ty < w; ++ty) t[tx][ty] = p[ty][h - 1 - tx];
    }
  }
  p = t;
}
