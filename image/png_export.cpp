#include "image/png_export.h"

#include "image/export_checks.h"

#include <spng.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct TCtxFree {
  void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};

// Where the frames go: cells of CellWidth x CellHeight, Columns to a row, Spacing between.
struct TSheet {
  int CellWidth = 0, CellHeight = 0, Columns = 1, Rows = 1, Spacing = 0;
  int Width() const { return Columns * CellWidth + (Columns - 1) * Spacing; }
  int Height() const { return Rows * CellHeight + (Rows - 1) * Spacing; }
};

// A row-major image of `bits` bits a pixel, packed from the most significant bit, every byte 0.
struct TPackedImage {
  int Width = 0, Height = 0, Bits = 1;
  std::size_t Stride = 0;
  std::vector<std::uint8_t> Bytes;
  TPackedImage(int width, int height, int bits)
      : Width(width), Height(height), Bits(bits), Stride((std::size_t(width) * bits + 7) / 8),
        Bytes(Stride * std::size_t(height)) {}
};

// ORs the byte `bits` into the row from pixel `px` of a `bitsPerPixel` image on; the bits may
// straddle two bytes. The second byte is touched only when bits land in it, so that a pixel at
// the end of the row stays inside the row.
inline void PutBits(std::uint8_t* row, int px, int bitsPerPixel, std::uint8_t bits) {
  const int bit = px * bitsPerPixel, at = bit >> 3, shift = bit & 7;
  row[at] |= std::uint8_t(bits >> shift);
  if (const std::uint8_t spill = std::uint8_t(bits << (8 - shift)); shift && spill) row[at + 1] |= spill;
}

// Eight bytes of a plane column, rows y .. y+7, each 0 or 1.
inline std::uint64_t Column8(const TPlane& plane, int x, int y) {
  std::uint64_t w;
  std::memcpy(&w, &plane[x][y], 8);
  return w;
}

// Lane j of a word (its byte j in memory) back to a byte.
inline std::uint8_t Lane(std::uint64_t w, int j) {
  std::uint8_t bytes[8];
  std::memcpy(bytes, &w, 8);
  return bytes[j];
}

// Both planes of the frame as 1-bit grey, the sprite at (x0, y0) and the mask W pixels right.
// Blocks of 8 x 8 pixels go in one step: eight column words, each byte 0 or 1, shifted into the
// bit of their column and ORed, give in byte j the packed pixels of row j.
void PutPlanes(const TSpriteStore& store, int frame, int width, int height, TPackedImage& image, int x0, int y0) {
  for (bool mask : {false, true}) {
    const TPlane& plane = store.Plane(frame, mask);
    const int left = x0 + (mask ? width : 0);
    const int blockWidth = width / 8 * 8, blockHeight = height / 8 * 8;
    for (int y = 0; y < blockHeight; y += 8)
      for (int x = 0; x < blockWidth; x += 8) {
        std::uint64_t rows = 0;
        for (int k = 0; k < 8; ++k) rows |= Column8(plane, x + k, y) << (7 - k);
        for (int j = 0; j < 8; ++j)
          PutBits(image.Bytes.data() + std::size_t(y0 + y + j) * image.Stride, left + x, 1, Lane(rows, j));
      }
    // The edges that fill no whole block, pixel by pixel.
    for (int y = 0; y < height; ++y) {
      std::uint8_t* row = image.Bytes.data() + std::size_t(y0 + y) * image.Stride;
      for (int x = y < blockHeight ? blockWidth : 0; x < width; ++x)
        if (plane[x][y]) PutBits(row, left + x, 1, 0x80);
    }
  }
}

// Palette entries of the alpha layout.
constexpr std::uint8_t Transparent = 0, Covered = 1, Ink = 2;

// The frame as it appears, 2-bit palette indices, at (x0, y0); blocks of 4 x 8 pixels in one
// step, as in PutPlanes.
void PutAppearance(const TSpriteStore& store, int frame, int width, int height, bool masked, TPackedImage& image,
                   int x0, int y0) {
  const TPlane& sprite = store.Plane(frame, false);
  const TPlane& mask = store.Plane(frame, true);
  constexpr std::uint64_t Ones = 0x0101010101010101ull;
  const int blockWidth = width / 4 * 4, blockHeight = height / 8 * 8;
  for (int y = 0; y < blockHeight; y += 8)
    for (int x = 0; x < blockWidth; x += 4) {
      std::uint64_t rows = 0;
      for (int k = 0; k < 4; ++k) {
        const std::uint64_t s = Column8(sprite, x + k, y);
        const std::uint64_t covered = masked ? ~s & ~Column8(mask, x + k, y) & Ones : 0;
        rows |= (s << 1 | covered) << (6 - 2 * k);  // Ink = 2, Covered = 1, Transparent = 0
      }
      for (int j = 0; j < 8; ++j)
        PutBits(image.Bytes.data() + std::size_t(y0 + y + j) * image.Stride, x0 + x, 2, Lane(rows, j));
    }
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.Bytes.data() + std::size_t(y0 + y) * image.Stride;
    for (int x = y < blockHeight ? blockWidth : 0; x < width; ++x) {
      const std::uint8_t index = sprite[x][y] ? Ink : (!masked || mask[x][y]) ? Transparent : Covered;
      PutBits(row, x0 + x, 2, std::uint8_t(index << 6));
    }
  }
}

std::string Encode(const TPackedImage& image, bool alpha, std::uint32_t ink, int frames,
                   std::vector<std::uint8_t>& file) {
  std::unique_ptr<spng_ctx, TCtxFree> ctx(spng_ctx_new(SPNG_CTX_ENCODER));
  if (!ctx) return "The PNG encoder could not start: out of memory.";
  spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr ihdr{};
  ihdr.width = std::uint32_t(image.Width);
  ihdr.height = std::uint32_t(image.Height);
  ihdr.bit_depth = std::uint8_t(image.Bits);
  ihdr.color_type = alpha ? SPNG_COLOR_TYPE_INDEXED : SPNG_COLOR_TYPE_GRAYSCALE;
  int err = spng_set_ihdr(ctx.get(), &ihdr);
  if (!err && alpha) {
    spng_plte plte{};
    plte.n_entries = 3;
    plte.entries[Ink] = {std::uint8_t(ink >> 16), std::uint8_t(ink >> 8), std::uint8_t(ink), 255};
    err = spng_set_plte(ctx.get(), &plte);
    spng_trns trns{};
    trns.n_type3_entries = 1;  // entry 0 transparent, the others opaque
    trns.type3_alpha[Transparent] = 0;
    if (!err) err = spng_set_trns(ctx.get(), &trns);
  }
  std::string count = std::to_string(frames);
  if (!err && frames > 0) {
    spng_text text{};
    std::snprintf(text.keyword, sizeof text.keyword, "%s", PngFramesKeyword);
    text.type = SPNG_TEXT;
    text.length = count.size();
    text.text = count.data();
    err = spng_set_text(ctx.get(), &text, 1);
  }
  if (!err) err = spng_encode_image(ctx.get(), image.Bytes.data(), image.Bytes.size(), SPNG_FMT_PNG,
                                    SPNG_ENCODE_FINALIZE);
  if (err) return std::string("The PNG encoder failed: ") + spng_strerror(err) + ".";
  std::size_t length = 0;
  std::unique_ptr<void, decltype(&std::free)> buffer(spng_get_png_buffer(ctx.get(), &length, &err), &std::free);
  if (!buffer || err) return std::string("The PNG encoder failed: ") + spng_strerror(err) + ".";
  const auto* bytes = static_cast<const std::uint8_t*>(buffer.get());
  file.assign(bytes, bytes + length);
  return {};
}

}  // namespace

TPngExport ExportPng(const TSpriteDocument& document, const TPngExportOptions& options) {
  TPngExport result;
  const TDocumentSettings& s = document.Settings;
  result.Error = DocumentSettingsError(s);
  if (!result.Error.empty()) return result;
  if (options.Sheet.Columns < 0 || options.Sheet.Spacing < 0 || options.Sheet.Spacing > MaxSheetSpacing) {
    result.Error = "The sheet needs 0 or more columns and a spacing of 0 to 64 pixels.";
    return result;
  }
  const bool alpha = options.Layout == TImageLayout::Alpha;
  const int frames = s.FrameCount;
  TSheet sheet;
  sheet.CellWidth = alpha ? s.Width : 2 * s.Width;
  sheet.CellHeight = s.Height;
  if (!options.OneFilePerFrame) {
    sheet.Columns = options.Sheet.Columns == 0 ? frames : std::min(options.Sheet.Columns, frames);
    sheet.Rows = (frames + sheet.Columns - 1) / sheet.Columns;
    sheet.Spacing = options.Sheet.Spacing;
  }
  const int bits = alpha ? 2 : 1;
  auto put = [&](int frame, TPackedImage& image, int x0, int y0) {
    if (alpha)
      PutAppearance(document.Store, frame, s.Width, s.Height, s.Format.Masked, image, x0, y0);
    else
      PutPlanes(document.Store, frame, s.Width, s.Height, image, x0, y0);
  };

  if (options.OneFilePerFrame) {
    for (int f = 0; f < frames; ++f) {
      TPackedImage image(sheet.CellWidth, sheet.CellHeight, bits);
      put(f, image, 0, 0);
      result.Files.emplace_back();
      result.Error = Encode(image, alpha, options.Ink, 0, result.Files.back());
      if (!result.Error.empty()) {
        result.Files.clear();
        return result;
      }
    }
    return result;
  }
  TPackedImage image(sheet.Width(), sheet.Height(), bits);
  for (int f = 0; f < frames; ++f)
    put(f, image, f % sheet.Columns * (sheet.CellWidth + sheet.Spacing),
        f / sheet.Columns * (sheet.CellHeight + sheet.Spacing));
  result.Files.emplace_back();
  result.Error = Encode(image, alpha, options.Ink, frames, result.Files.back());
  if (!result.Error.empty()) result.Files.clear();
  return result;
}
