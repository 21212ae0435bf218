#include "editing/preview_frame.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "codec/byte_grid.h"

bool ValidPreviewFrame(const TPreviewFrame& f) {
  return f.Store != nullptr && ValidFrame(f.Frame) && f.Width >= 1 && f.Width <= MaxSide && f.Height >= 1 &&
         f.Height <= MaxSide && f.Scale >= 1 && f.Scale <= PreviewMaxScale &&
         (f.Background == pbBlack || f.Background == pbWhite || f.Background == pbChecker);
}

namespace {

// Rows of a plane: the plane is stored by columns, so it is turned into rows eight by eight
// once, instead of touching a cache line per pixel along each row.
using TRows = std::array<std::uint8_t, PlanePixels>;

void PlaneRows(const TPlane& plane, int width, int height, TRows& rows) {
  const int columns = (width + 7) / 8 * 8;
  const int lines = (height + 7) / 8 * 8;
  for (int x = 0; x < columns; x += 8)
    for (int y = 0; y < lines; y += 8) TransposeBlock8(plane[x].data() + y, MaxSide, rows.data() + y * MaxSide + x, MaxSide);
}

// One target row. White is all ones and black ones in the alpha byte only, so the target's
// rule works on the colours themselves: (background AND mask) OR sprite, each word black or
// white. An unmasked sprite's mask word is black, which leaves the sprite's own colour. No
// branch on the pixels: random pixels would defeat the branch predictor.
constexpr std::uint32_t Colour(std::uint8_t bit) { return PreviewBlack | ((0u - std::uint32_t(bit != 0)) & 0x00FFFFFFu); }

template <int Scale>
void WriteRow(const std::uint8_t* sprite, const std::uint8_t* mask, const std::uint32_t* background, int width,
              std::uint32_t* out) {
  for (int x = 0; x < width; ++x, out += Scale, background += Scale) {
    const std::uint32_t s = Colour(sprite[x]);
    const std::uint32_t m = mask != nullptr ? Colour(mask[x]) : PreviewBlack;
    for (int k = 0; k < Scale; ++k) out[k] = (background[k] & m) | s;
  }
}

using TWriteRow = void (*)(const std::uint8_t*, const std::uint8_t*, const std::uint32_t*, int, std::uint32_t*);
constexpr TWriteRow RowWriters[PreviewMaxScale] = {WriteRow<1>, WriteRow<2>, WriteRow<3>, WriteRow<4>,
                                                   WriteRow<5>, WriteRow<6>, WriteRow<7>, WriteRow<8>};

}  // namespace

bool RenderPreviewFrame(const TPreviewFrame& f, std::uint32_t* out, std::ptrdiff_t stride) {
  if (!ValidPreviewFrame(f) || out == nullptr || stride < PreviewPictureWidth(f)) return false;
  static thread_local TRows spriteRows, maskRows;
  PlaneRows(f.Store->Plane(f.Frame, false), f.Width, f.Height, spriteRows);
  if (f.Masked) PlaneRows(f.Store->Plane(f.Frame, true), f.Width, f.Height, maskRows);
  const int s = f.Scale;
  const int pictureWidth = PreviewPictureWidth(f);
  const std::size_t rowBytes = std::size_t(pictureWidth) * sizeof(std::uint32_t);
  const TWriteRow writeRow = RowWriters[s - 1];
  // The background rows as colours, per target pixel: the checker has two kinds of row, one
  // for the even bands of PreviewCheckerSide target rows and one for the odd ones; black and
  // white have one.
  std::array<std::array<std::uint32_t, MaxSide * PreviewMaxScale>, 2> backgrounds;
  for (int parity = 0; parity < 2; ++parity)
    for (int x = 0; x < pictureWidth; ++x)
      backgrounds[parity][x] =
          PreviewBackgroundBit(f.Background, x / s, parity * PreviewCheckerSide) ? PreviewWhite : PreviewBlack;
  const bool checker = f.Background == pbChecker;
  for (int y = 0; y < f.Height; ++y) {
    const std::uint8_t* sprite = spriteRows.data() + y * MaxSide;
    const std::uint8_t* mask = f.Masked ? maskRows.data() + y * MaxSide : nullptr;
    // One target row is one line, copied down the scaled pixel's other lines.
    const int band = checker ? y / PreviewCheckerSide : 0;
    std::uint32_t* line = out + std::ptrdiff_t(y) * s * stride;
    writeRow(sprite, mask, backgrounds[band & 1].data(), f.Width, line);
    for (int k = 1; k < s; ++k) std::memcpy(line + k * stride, line, rowBytes);
  }
  return true;
}
