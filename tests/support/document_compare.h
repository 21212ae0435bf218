#pragma once
// Whole documents for the history tests: copies, comparison and a fingerprint that tells
// states apart without keeping 14.8 MB for each.

#include <cstdint>
#include <cstring>

#include "document/sprite_document.h"

inline void CopyDocument(const TSpriteDocument& from, TSpriteDocument& to) {
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true}) to.Store.Plane(f, mask) = from.Store.Plane(f, mask);
  to.Store.FCopyBuffer = from.Store.FCopyBuffer;
  to.Settings = from.Settings;
}

// Every pixel of both planes of all 128 frames, the copy buffer and the settings.
inline bool SameDocument(const TSpriteDocument& a, const TSpriteDocument& b) {
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true})
      if (std::memcmp(&a.Store.Plane(f, mask), &b.Store.Plane(f, mask), sizeof(TPlane)) != 0) return false;
  return std::memcmp(&a.Store.FCopyBuffer, &b.Store.FCopyBuffer, sizeof(TPlane)) == 0 && a.Settings == b.Settings;
}

// A fingerprint of every plane of every frame (not the copy buffer), position by position.
inline std::uint64_t PixelHash(const TSpriteStore& store) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull;
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true}) {
      const std::uint8_t* p = store.Plane(f, mask).data()->data();
      for (int i = 0; i < PlanePixels; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, sizeof w);
        h = (h ^ w) * 0x100000001B3ull + std::uint64_t(i);
      }
    }
  return h;
}
