#include "editing/plane_ops.h"

#include <algorithm>
#include <array>

void ClearFrame(TSpriteStore& store, int frame, bool mask) {
  if (!ValidFrame(frame)) return;
  for (auto& column : store.Plane(frame, mask)) column.fill(0);
}

void InvertPlane(TSpriteStore& store, int frame, bool mask) {
  if (!ValidFrame(frame)) return;
  for (auto& column : store.Plane(frame, mask)) {
    for (auto& pixel : column) pixel = pixel == 0 ? 1 : 0;
  }
}

void CopyPlane(TSpriteStore& store, int frame, bool mask) {
  if (!ValidFrame(frame)) return;
  store.FCopyBuffer = store.Plane(frame, mask);
}

void PastePlane(TSpriteStore& store, int frame, bool mask) {
  if (!ValidFrame(frame)) return;
  store.Plane(frame, mask) = store.FCopyBuffer;
}

void MergePlane(TSpriteStore& store, int frame, bool mask) {
  if (!ValidFrame(frame)) return;
  MergeInto(store.Plane(frame, mask), store.FCopyBuffer);
}

void MergeInto(TPlane& plane, const TPlane& source) {
  for (int x = 0; x < MaxSide; ++x) {
    std::ranges::transform(plane[x], source[x], plane[x].begin(),
                           [](std::uint8_t p, std::uint8_t c) { return std::uint8_t(p != 0 || c != 0); });
  }
}

// Column by column: the column's set sprite pixels grown by one row up and down, then cleared
// from the mask columns x - 1 .. x + 1. Cut at the plane's edges, not the sprite area's.
void GenerateStandardMask(TSpriteStore& store, int frame, int width, int height) {
  if (!ValidFrame(frame)) return;
  TPlane& maskPlane = store.Plane(frame, true);
  for (auto& column : maskPlane) column.fill(1);

  const TPlane& sprite = store.Plane(frame, false);
  const int w = std::clamp(width, 0, MaxSide);
  const int h = std::clamp(height, 0, MaxSide);
  std::array<std::uint8_t, MaxSide + 2> padded{};  // row y of the column at y + 1
  std::array<std::uint8_t, MaxSide> keep;          // 1 where no set pixel is within one row
  for (int x = 0; x < w; ++x) {
    const auto& column = sprite[std::size_t(x)];
    for (int y = 0; y < h; ++y) padded[std::size_t(y) + 1] = column[std::size_t(y)] != 0;
    for (int y = 0; y < MaxSide; ++y)
      keep[std::size_t(y)] = std::uint8_t(1 ^ (padded[std::size_t(y)] | padded[std::size_t(y) + 1] | padded[std::size_t(y) + 2]));
    for (int cx = std::max(x - 1, 0); cx <= std::min(x + 1, MaxSide - 1); ++cx) {
      auto& target = maskPlane[std::size_t(cx)];
      for (int y = 0; y < MaxSide; ++y) target[std::size_t(y)] &= keep[std::size_t(y)];
    }
  }
}
