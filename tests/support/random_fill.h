#pragma once
// Random pixels for tests that compare a document with a second one filled from the same
// seed: every pixel of a plane is one draw of std::mt19937, 0 or 1.
#include <cstdint>
#include <random>

#include "document/sprite_store.h"

// All 240 x 240 pixels of the plane, hidden ones included, from `rng`.
inline void FillRandom(TPlane& plane, std::mt19937& rng) {
  for (auto& column : plane)
    for (auto& px : column) px = std::uint8_t(rng() & 1);
}

inline void FillRandom(TPlane& plane, std::uint32_t seed) {
  std::mt19937 rng(seed);
  FillRandom(plane, rng);
}

// Both planes of frames 0 .. frames-1, sprite before mask; the copy buffer and the other
// frames keep their pixels.
inline void FillRandom(TSpriteStore& store, std::uint32_t seed, int frames = MaxFrames) {
  std::mt19937 rng(seed);
  for (int f = 0; f < frames; ++f)
    for (bool mask : {false, true}) FillRandom(store.Plane(f, mask), rng);
}
