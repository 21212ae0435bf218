#include "image/png_import.h"

#include <spng.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TCtxFree {
  void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};

constexpr std::uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The longest chunk, and the memory for all ancillary chunks kept (text, ICC profiles and the
// like, compressed ones once inflated); libspng wants the second no smaller than the first.
constexpr std::size_t MaxChunkBytes = std::size_t(1) << 26;
constexpr std::size_t MaxChunkCacheBytes = std::size_t(1) << 26;

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::string Damaged(int err) {
  switch (err) {
    case SPNG_IO_EOF:
    case SPNG_IO_ERROR:
      return "The image is damaged: the file ends before the image does.";
    case SPNG_ECHUNK_CRC:
      return "The image is damaged: a chunk's checksum does not match its data.";
    case SPNG_EIDAT_TOO_SHORT:
    case SPNG_EIDAT_STREAM:
    case SPNG_EZLIB:
    case SPNG_EFILTER:
      return "The image is damaged: its compressed pixel data is corrupt or cut short.";
    case SPNG_ECHUNK_LIMITS:
      return "The image carries a chunk too large to read.";
    default:
      return std::string("The image is damaged: ") + spng_strerror(err) + ".";
  }
}

std::string Thousands(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(std::size_t(i), ",");
  return digits;
}

// Light: luma 0.299 R + 0.587 G + 0.114 B above 127.5, in thousandths.
inline unsigned Light(const std::uint8_t* rgba) {
  return 299u * rgba[0] + 587u * rgba[1] + 114u * rgba[2] > 127'500u;
}

// The frame count a "Frames" text chunk names, or 0.
int FramesText(spng_ctx* ctx) {
  std::uint32_t n = 0;
  if (spng_get_text(ctx, nullptr, &n) != 0 || n == 0) return 0;
  std::vector<spng_text> texts(n);
  if (spng_get_text(ctx, texts.data(), &n) != 0) return 0;
  for (const spng_text& t : texts) {
    if (std::strcmp(t.keyword, PngFramesKeyword) != 0 || t.text == nullptr) continue;
    int value = 0;
    const auto [end, ec] = std::from_chars(t.text, t.text + t.length, value);
    if (ec == std::errc() && end == t.text + t.length) return value;
  }
  return 0;
}

}  // namespace

TImageImport ImportPng(std::span<const std::uint8_t> png, const TPngImportOptions& options,
                       TSpriteDocument& document) {
  TImageImport result;
  auto fail = [&](std::string message) {
    result.Error = std::move(message);
    return result;
  };
  if (options.CellWidth < 0 || options.CellHeight < 0)
    return fail("The cell width and height must be 0 (the whole image) or more.");
  if (options.Spacing < 0 || options.Spacing > MaxSheetSpacing)
    return fail("The spacing between cells must be 0 to 64 pixels.");
  if (png.size() < sizeof Signature || std::memcmp(png.data(), Signature, sizeof Signature) != 0)
    return fail("The file is not a PNG image.");

  // The size from the header before libspng allocates anything for it.
  if (png.size() < 33 || std::memcmp(png.data() + 12, "IHDR", 4) != 0)
    return fail("The image is damaged: it has no image header.");
  const std::uint32_t imageWidth = BigEndian32(png.data() + 16), imageHeight = BigEndian32(png.data() + 20);
  if (imageWidth == 0 || imageHeight == 0)
    return fail("The image header gives a size of " + std::to_string(imageWidth) + " x " +
                std::to_string(imageHeight) + " pixels; an image needs at least one pixel.");
  if (imageWidth > MaxPngSide || imageHeight > MaxPngSide ||
      std::uint64_t(imageWidth) * imageHeight > MaxPngPixels)
    return fail("The image is " + Thousands(imageWidth) + " x " + Thousands(imageHeight) +
                " pixels, more than can be read (at most " + Thousands(MaxPngSide) + " on a side and " +
                Thousands(MaxPngPixels) + " in all).");

  std::unique_ptr<spng_ctx, TCtxFree> holder(spng_ctx_new(0));
  spng_ctx* ctx = holder.get();
  if (!ctx) return fail("The PNG decoder could not start: out of memory.");
  // Every checksum is checked, the ancillary chunks' too: a damaged file is refused, not read in part.
  if (spng_set_crc_action(ctx, SPNG_CRC_ERROR, SPNG_CRC_ERROR) != 0 ||
      spng_set_image_limits(ctx, MaxPngSide, MaxPngSide) != 0 ||
      spng_set_chunk_limits(ctx, MaxChunkBytes, MaxChunkCacheBytes) != 0 ||
      spng_set_png_buffer(ctx, png.data(), png.size()) != 0)
    return fail("The PNG decoder could not start.");
  spng_ihdr ihdr{};
  if (const int err = spng_get_ihdr(ctx, &ihdr)) return fail(Damaged(err));

  // The cells, all from the header.
  const bool planes = options.Layout == TImageLayout::Planes;
  const std::int64_t w = ihdr.width, h = ihdr.height, spacing = options.Spacing;
  const std::int64_t cellWidth = options.CellWidth ? options.CellWidth : w;
  const std::int64_t cellHeight = options.CellHeight ? options.CellHeight : h;
  if (cellWidth > w || cellHeight > h)
    return fail("A cell of " + std::to_string(cellWidth) + " x " + std::to_string(cellHeight) +
                " pixels does not fit in the " + std::to_string(w) + " x " + std::to_string(h) + " image.");
  const std::int64_t columns = (w + spacing) / (cellWidth + spacing);
  const std::int64_t rows = (h + spacing) / (cellHeight + spacing);
  const std::int64_t cells = columns * rows;
  if (cells > MaxFrames)
    return fail("The image holds " + std::to_string(cells) + " frames; at most 128 can be read.");
  if (planes && cellWidth % 2 != 0)
    return fail("A cell of the planes layout holds the sprite and its mask side by side, so its width must be "
                "even; it is " + std::to_string(cellWidth) + " pixels.");
  const int frameWidth = int(planes ? cellWidth / 2 : cellWidth), frameHeight = int(cellHeight);
  if (frameWidth > MaxSide)
    return fail("A frame is " + std::to_string(frameWidth) + " pixels wide; at most 240 fit.");
  if (frameHeight > MaxSide)
    return fail("A frame is " + std::to_string(frameHeight) + " pixels tall; at most 240 fit.");

  std::size_t size = 0;
  if (const int err = spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &size)) return fail(Damaged(err));
  // Not zero-filled: the decoder writes every byte, and nothing is read from it unless it did.
  const std::unique_ptr<std::uint8_t[]> pixels = std::make_unique_for_overwrite<std::uint8_t[]>(size);
  const std::uint8_t* rgba = pixels.get();
  if (const int err = spng_decode_image(ctx, pixels.get(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS))
    return fail(Damaged(err));
  // The chunks after the image data, up to the end chunk: a file cut short there is damaged too.
  if (const int err = spng_decode_chunks(ctx)) return fail(Damaged(err));
  int frames = int(cells);
  if (const int named = FramesText(ctx); named >= 1 && named < frames) frames = named;

  // Everything is checked; from here on nothing fails.
  // Both planes of every frame end up clear but for the pixels read; the frames read are
  // cleared only outside the area that the reading writes.
  TSpriteStore& store = document.Store;
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true}) {
      TPlane& plane = store.Plane(f, mask);
      const int written = f < frames ? frameWidth : 0;
      if (frameHeight < MaxSide)
        for (int x = 0; x < written; ++x) std::memset(&plane[x][frameHeight], 0, std::size_t(MaxSide - frameHeight));
      std::memset(plane.data()->data() + std::size_t(written) * MaxSide, 0, std::size_t(MaxSide - written) * MaxSide);
    }
  const std::size_t stride = std::size_t(w) * 4;
  const unsigned darkInk = options.DarkInk;
  // Band by band of eight image rows across a whole row of cells, so that the decoded image is
  // read in order. The decisions carry no branch, so that noisy pictures cost no mispredictions.
  for (int first = 0; first < frames; first += int(columns)) {
    const int last = std::min(frames, first + int(columns));
    const std::size_t y0 = std::size_t(first / columns * (cellHeight + spacing));
    for (int y = 0; y < frameHeight; y += 8) {
      const int n = std::min(8, frameHeight - y);
      const std::uint8_t* band = rgba + (y0 + std::size_t(y)) * stride;
      for (int f = first; f < last; ++f) {
        const std::uint8_t* cell = band + std::size_t((f - first) * (cellWidth + spacing)) * 4;
        TPlane& sprite = store.Plane(f, false);
        TPlane& mask = store.Plane(f, true);
        // The band's eight rows, read along each row, then each column's eight pixels stored.
        std::uint8_t spriteBand[MaxSide][8], maskBand[MaxSide][8];
        for (int k = 0; k < n; ++k) {
          const std::uint8_t* row = cell + std::size_t(k) * stride;
          if (planes) {
            const std::uint8_t* maskRow = row + std::size_t(frameWidth) * 4;
            for (int x = 0; x < frameWidth; ++x) {
              const std::uint8_t* p = row + 4 * x;
              const std::uint8_t* m = maskRow + 4 * x;
              spriteBand[x][k] = std::uint8_t((p[3] >> 7) & Light(p));
              maskBand[x][k] = std::uint8_t((m[3] >> 7) & Light(m));
            }
          } else {
            for (int x = 0; x < frameWidth; ++x) {
              const std::uint8_t* p = row + 4 * x;
              const unsigned opaque = p[3] >> 7;
              maskBand[x][k] = std::uint8_t(opaque ^ 1);
              spriteBand[x][k] = std::uint8_t(opaque & (Light(p) ^ darkInk));
            }
          }
        }
        if (n == 8) {  // a fixed length: one 8-byte store a column
          for (int x = 0; x < frameWidth; ++x) {
            std::memcpy(&sprite[x][y], spriteBand[x], 8);
            std::memcpy(&mask[x][y], maskBand[x], 8);
          }
        } else {
          for (int x = 0; x < frameWidth; ++x) {
            std::memcpy(&sprite[x][y], spriteBand[x], std::size_t(n));
            std::memcpy(&mask[x][y], maskBand[x], std::size_t(n));
          }
        }
      }
    }
  }
  TDocumentSettings& settings = document.Settings;
  const int b = BitsPerByte(settings.Format.ByteMode);
  settings.Width = std::max(b, (frameWidth + b - 1) / b * b);
  settings.Height = frameHeight;
  settings.FrameCount = frames;
  settings.CurrentFrame = 0;

  result.Ok = true;
  result.Width = frameWidth;
  result.Height = frameHeight;
  result.Frames = frames;
  return result;
}
