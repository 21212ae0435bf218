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

// The background bits of one target row at target pixel resolution, as colours: the
// checker changes every PreviewCheckerSide pixels, which is finer than a scaled pixel.
template <int Scale>
void WriteRow(const std::uint8_t* sprite, const std::uint8_t* mask, const std::uint32_t* background, int width,
              std::uint32_t* out) {
  for (int x = 0; x < width; ++x, out += Scale) {
    if (sprite[x]) {
      std::fill(out, out + Scale, PreviewWhite);
    } else if (mask == nullptr || !mask[x]) {
      std::fill(out, out + Scale, PreviewBlack);
    } else {
      std::memcpy(out, background + x * Scale, sizeof(std::uint32_t) * Scale);
    }
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
  std::array<std::uint32_t, MaxSide * PreviewMaxScale> background;
  int backgroundRow = -1;  // the checker row `background` holds
  for (int y = 0; y < f.Height; ++y) {
    // Within one scaled pixel row, the picture changes only where the checker does.
    for (int r = 0; r < s;) {
      const int ty = y * s + r;
      const int band = f.Background == pbChecker ? ty / PreviewCheckerSide : 0;
      const int bandEnd = f.Background == pbChecker ? (band + 1) * PreviewCheckerSide : ty + s;
      const int rows = std::min(s - r, bandEnd - ty);
      if (band != backgroundRow) {
        for (int x = 0; x < pictureWidth; ++x)
          background[x] = PreviewBackgroundBit(f.Background, x, ty) ? PreviewWhite : PreviewBlack;
        backgroundRow = band;
      }
      std::uint32_t* line = out + ty * stride;
      writeRow(spriteRows.data() + y * MaxSide, f.Masked ? maskRows.data() + y * MaxSide : nullptr,
               background.data(), f.Width, line);
      for (int k = 1; k < rows; ++k) std::memcpy(line + k * stride, line, rowBytes);
      r += rows;
    }
  }
  return true;
}
