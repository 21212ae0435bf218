#pragma once
// Small helpers for tests that look at whole planes as sets of set pixels.
#include <cstdint>
#include <set>
#include <utility>

#include "document/sprite_store.h"

using TPoints = std::set<std::pair<int, int>>;

// An irregular pattern over the whole plane, hidden area included.
inline std::uint8_t Pattern(int x, int y) { return std::uint8_t((x * 31 + y * 17 + x * y) % 7 < 3); }

inline void FillPattern(TSpriteStore& s, int frame, bool mask) {
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y) s.SetPixel(frame, mask, x, y, Pattern(x, y));
}

inline void SetAll(TSpriteStore& s, int frame, bool mask, const TPoints& points) {
  for (auto [x, y] : points) s.SetPixel(frame, mask, x, y, 1);
}

inline TPoints SetPixels(const TPlane& p) {
  TPoints points;
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y)
      if (p[x][y]) points.insert({x, y});
  return points;
}
