#pragma once
// One plane kept by the edit history: eight pixels to a byte, then run-length packed, so
// that a mostly clear plane costs a few bytes and a full one at most 7,200.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/sprite_store.h"

class TPlaneSnapshot {
 public:
  TPlaneSnapshot() = default;
  explicit TPlaneSnapshot(const TPlane& plane);

  // Writes the kept pixels over the whole plane.
  void RestoreTo(TPlane& plane) const;
  std::size_t Bytes() const { return FPacked.capacity(); }

 private:
  std::vector<std::uint8_t> FPacked;
};

// True when no pixel outside columns 0 .. width-1 and rows 0 .. height-1 is set.
bool HiddenAreaClear(const TPlane& plane, int width, int height);
