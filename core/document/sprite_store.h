#pragma once
// The document: every pixel of every frame, in a sprite plane and a mask plane per frame,
// plus the copy buffer. One fixed heap block, allocated once and never resized.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

constexpr int MaxFrames = 128;
constexpr int MaxSide = 240;
constexpr int PlanePixels = MaxSide * MaxSide;  // 57,600

// One plane addressed [x][y] (x the column, y the row). The 240 pixels of a column are
// contiguous: pixel (x, y) lies at x * 240 + y. Every byte holds 0 (clear) or 1 (set).
using TPlane = std::array<std::array<std::uint8_t, MaxSide>, MaxSide>;

class TSpriteStore {
  struct TBlock {
    TPlane Sprites[MaxFrames];
    TPlane Masks[MaxFrames];
    TPlane CopyBuffer;
  };
  static_assert(sizeof(TBlock) == 14'803'200, "the store is one block of 14,803,200 bytes");

  struct TFree {
    void operator()(TBlock* block) const;
  };
  // Zero-filled on creation by the allocator (fresh pages from the system), so that a new store
  // costs no time for the pages nothing writes.
  std::unique_ptr<TBlock, TFree> FBlock;

 public:
  TSpriteStore();
  TSpriteStore(const TSpriteStore&) = delete;
  TSpriteStore& operator=(const TSpriteStore&) = delete;

  // Callers keep frame in 0..127 and x, y in 0..239; the store tests nothing.
  std::uint8_t Pixel(int frame, bool mask, int x, int y) const { return Plane(frame, mask)[x][y]; }
  void SetPixel(int frame, bool mask, int x, int y, std::uint8_t value) { Plane(frame, mask)[x][y] = value; }
  TPlane& Plane(int frame, bool mask) { return mask ? FBlock->Masks[frame] : FBlock->Sprites[frame]; }
  const TPlane& Plane(int frame, bool mask) const { return mask ? FBlock->Masks[frame] : FBlock->Sprites[frame]; }

  // Clears both planes of all 128 frames; the copy buffer keeps its pixels.
  void ClearAll();

  // The copy buffer of Copy, Paste and Merge; it belongs to no frame.
  TPlane& FCopyBuffer;
};

constexpr bool ValidFrame(int frame) { return frame >= 0 && frame < MaxFrames; }
