#include "editing/plane_ops.h"

#include <algorithm>

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
  TPlane& plane = store.Plane(frame, mask);
  for (int x = 0; x < MaxSide; ++x) {
    std::ranges::transform(plane[x], store.FCopyBuffer[x], plane[x].begin(),
                           [](std::uint8_t p, std::uint8_t c) { return std::uint8_t(p != 0 || c != 0); });
  }
}

void GenerateStandardMask(TSpriteStore& store, int frame, int width, int height) {
  if (!ValidFrame(frame)) return;
  TPlane& maskPlane = store.Plane(frame, true);
  for (auto& column : maskPlane) column.fill(1);

  const TPlane& sprite = store.Plane(frame, false);
  const int w = std::clamp(width, 0, MaxSide);
  const int h = std::clamp(height, 0, MaxSide);
  for (int x = 0; x < w; ++x) {
    const int left = std::max(x - 1, 0);
    const int right = std::min(x + 1, MaxSide - 1);
    for (int y = 0; y < h; ++y) {
      if (sprite[x][y] == 0) continue;
      // The 3 x 3 block is cut at the plane's edges, not the sprite area's.
      const int top = std::max(y - 1, 0);
      const int bottom = std::min(y + 1, MaxSide - 1);
      for (int cx = left; cx <= right; ++cx) {
        std::fill(maskPlane[cx].begin() + top, maskPlane[cx].begin() + bottom + 1, std::uint8_t(0));
      }
    }
  }
}
