#pragma once
// Both planes of one frame, packed as the edit history keeps planes: the frame buffer of
// Copy frame and Paste frame, and what the frame steps overwrite.

#include <cstddef>

#include "history/plane_snapshot.h"

struct TFrameSnapshot {
  TPlaneSnapshot Sprite;
  TPlaneSnapshot Mask;

  // Frame `frame` (0 .. 127) of the store as it is now.
  static TFrameSnapshot Of(const TSpriteStore& store, int frame);
  // Writes both kept planes over frame `frame`.
  void RestoreTo(TSpriteStore& store, int frame) const;
  std::size_t Bytes() const { return Sprite.Bytes() + Mask.Bytes(); }
};
