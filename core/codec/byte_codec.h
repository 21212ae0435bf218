#pragma once
// The one place where pixels become data bytes and back. A data byte at (x, y) covers
// pixels x .. x + B - 1 of row y. With 8 bits the leftmost pixel is bit 7; with 6 bits
// the leftmost pixel is bit 0 and bits 7-6 carry the attribute choice in mask bytes only.
// Callers keep 0 <= frame <= 127, 0 <= y <= 239 and x + bitsPerByte <= 240.

#include <cstdint>

#include "document/sprite_store.h"

inline std::uint8_t PackByte(const TSpriteStore& store, bool mask, int bitsPerByte, int frame, int x, int y,
                             int attrChoice = 0) {
  const TPlane& p = store.Plane(frame, mask);
  unsigned v = 0;
  if (bitsPerByte == 8) {
    for (int k = 0; k < 8; ++k) v |= unsigned(p[x + k][y]) << (7 - k);
  } else {
    for (int k = 0; k < 6; ++k) v |= unsigned(p[x + k][y]) << k;
    if (mask) v |= unsigned(attrChoice & 3) << 6;
  }
  return std::uint8_t(v);
}

inline void UnpackByte(TSpriteStore& store, bool mask, int bitsPerByte, int frame, int x, int y,
                       std::uint8_t value) {
  TPlane& p = store.Plane(frame, mask);
  if (bitsPerByte == 8) {
    for (int k = 0; k < 8; ++k) p[x + k][y] = (value >> (7 - k)) & 1;
  } else {
    for (int k = 0; k < 6; ++k) p[x + k][y] = (value >> k) & 1;
  }
}
