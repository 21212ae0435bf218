#pragma once
// One frame as the target machine shows it: for a masked sprite each screen bit becomes
// (background bit AND mask bit) OR sprite bit, so a set mask pixel lets the background show
// through and a set sprite pixel is lit; an unmasked sprite's bytes replace the screen.
// Bit 1 is white and bit 0 black. The picture is the sprite area enlarged `Scale` times.

#include <cstddef>
#include <cstdint>

#include "document/sprite_store.h"

enum TPreviewBackground { pbBlack, pbWhite, pbChecker };

constexpr int PreviewMaxScale = 8;
// The checker: squares of this many target pixels, a set square at the top-left corner.
constexpr int PreviewCheckerSide = 4;
constexpr std::uint32_t PreviewWhite = 0xFFFFFFFF;
constexpr std::uint32_t PreviewBlack = 0xFF000000;

// The background bit of target pixel (x, y), counted from the sprite area's top-left.
constexpr int PreviewBackgroundBit(TPreviewBackground background, int x, int y) {
  switch (background) {
    case pbBlack: return 0;
    case pbWhite: return 1;
    case pbChecker: return ((x / PreviewCheckerSide + y / PreviewCheckerSide) & 1) == 0;
  }
  return 0;
}

struct TPreviewFrame {
  const TSpriteStore* Store = nullptr;
  int Frame = 0;
  int Width = 12;  // sprite area, in target pixels
  int Height = 24;
  bool Masked = true;
  TPreviewBackground Background = pbBlack;
  int Scale = 1;  // 1 .. PreviewMaxScale
};

// Width * Scale by Height * Scale.
constexpr int PreviewPictureWidth(const TPreviewFrame& f) { return f.Width * f.Scale; }
constexpr int PreviewPictureHeight(const TPreviewFrame& f) { return f.Height * f.Scale; }

// True when the frame, sizes, scale and background are within their ranges and there is a store.
bool ValidPreviewFrame(const TPreviewFrame& f);

// Writes the picture into `out`, row r starting at out + r * stride (stride in pixels, at
// least the picture's width). False, and nothing written, for an invalid frame description.
bool RenderPreviewFrame(const TPreviewFrame& f, std::uint32_t* out, std::ptrdiff_t stride);
