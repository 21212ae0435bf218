#include "image/png_import.h"

#include <spng.h>

#include <algorithm>
#include <array>
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
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// What a pixel means, as three bits: Set (opaque and light: a set pixel of the planes layout),
// Clear (transparent: the mask set in the alpha layout) and Inked (opaque and of the ink: the
// sprite set in the alpha layout). Light is luma 0.299 R + 0.587 G + 0.114 B above 127.5.
constexpr unsigned Set = 1, Clear = 2, Inked = 4;

inline unsigned Meaning(unsigned r, unsigned g, unsigned b, unsigned a, unsigned darkInk) {
  const unsigned opaque = a >> 7, light = 299u * r + 587u * g + 114u * b > 127'500u;
  return (opaque & light) | (opaque ^ 1) << 1 | (opaque & (light ^ darkInk)) << 2;
}

// Where the frames lie in the image.
struct TCells {
  int Columns = 1, Frames = 1, Width = 1, Height = 1, Spacing = 0;  // Width, Height: of a cell
  int FrameWidth = 1;                                                // W: half a cell in the planes layout
  bool Planes = false;
};

// Writes every frame's planes from the image, `meaning(row, x)` giving the bits of pixel x of
// a row. Band by band of eight image rows across a whole row of cells, so that the image is
// read in order; each column's eight pixels go to the plane in one store. The decisions carry
// no branch, so that noisy pictures cost no mispredictions.
template <typename TMeaning>
void ReadFrames(TSpriteStore& store, const std::uint8_t* image, std::size_t stride, const TCells& c,
                TMeaning meaning) {
  const int w = c.FrameWidth, h = c.Height;
  for (int first = 0; first < c.Frames; first += c.Columns) {
    const int last = std::min(c.Frames, first + c.Columns);
    const std::size_t y0 = std::size_t(first / c.Columns) * std::size_t(c.Height + c.Spacing);
    for (int y = 0; y < h; y += 8) {
      const int n = std::min(8, h - y);
      for (int f = first; f < last; ++f) {
        const int x0 = (f - first) * (c.Width + c.Spacing);
        std::uint8_t spriteBand[MaxSide][8], maskBand[MaxSide][8];
        for (int k = 0; k < n; ++k) {
          const std::uint8_t* row = image + (y0 + std::size_t(y + k)) * stride;
          if (c.Planes) {
            for (int x = 0; x < w; ++x) {
              spriteBand[x][k] = std::uint8_t(meaning(row, x0 + x) & Set);
              maskBand[x][k] = std::uint8_t(meaning(row, x0 + w + x) & Set);
            }
          } else {
            for (int x = 0; x < w; ++x) {
              const unsigned m = meaning(row, x0 + x);
              spriteBand[x][k] = std::uint8_t((m & Inked) >> 2);
              maskBand[x][k] = std::uint8_t((m & Clear) >> 1);
            }
          }
        }
        TPlane& sprite = store.Plane(f, false);
        TPlane& mask = store.Plane(f, true);
        if (n == 8) {  // a fixed length: one 8-byte store a column
          for (int x = 0; x < w; ++x) {
            std::memcpy(&sprite[x][y], spriteBand[x], 8);
            std::memcpy(&mask[x][y], maskBand[x], 8);
          }
        } else {
          for (int x = 0; x < w; ++x) {
            std::memcpy(&sprite[x][y], spriteBand[x], std::size_t(n));
            std::memcpy(&mask[x][y], maskBand[x], std::size_t(n));
          }
        }
      }
    }
  }
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

  TCells c;
  c.Columns = int(columns);
  c.Width = int(cellWidth);
  c.Height = frameHeight;
  c.Spacing = int(spacing);
  c.FrameWidth = frameWidth;
  c.Planes = planes;
  const unsigned darkInk = options.DarkInk;

  // Grey and palette images of up to 8 bits are decoded as the file packs them and read through
  // a table of what each sample value means: a quarter to a 32nd of the memory of 8-bit RGBA,
  // and no expansion to RGBA for every pixel. The rest are decoded to 8-bit RGBA.
  const bool packed = ihdr.bit_depth <= 8 && (ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE ||
                                              ihdr.color_type == SPNG_COLOR_TYPE_INDEXED);
  const int format = packed ? SPNG_FMT_PNG : SPNG_FMT_RGBA8;
  std::size_t size = 0;
  if (const int err = spng_decoded_image_size(ctx, format, &size)) return fail(Damaged(err));
  // Zero-filled: libspng ORs the passes of an interlaced image of fewer than 8 bits into the
  // buffer it is given.
  const std::unique_ptr<std::uint8_t[]> pixels = std::make_unique<std::uint8_t[]>(size);
  if (const int err = spng_decode_image(ctx, pixels.get(), size, format, packed ? 0 : SPNG_DECODE_TRNS))
    return fail(Damaged(err));
  // The chunks after the image data, up to the end chunk: a file cut short there is damaged too.
  if (const int err = spng_decode_chunks(ctx)) return fail(Damaged(err));
  c.Frames = int(cells);
  if (const int named = FramesText(ctx); named >= 1 && named < c.Frames) c.Frames = named;
  const std::size_t ih = ihdr.height;
  const std::size_t stride = packed ? (std::size_t(ihdr.width) * ihdr.bit_depth + 7) / 8 : std::size_t(ihdr.width) * 4;
  if (size != stride * ih) return fail("The PNG decoder gave an image of an unexpected size.");

  std::array<std::uint8_t, 256> meanings{};
  const int depth = ihdr.bit_depth;
  const unsigned top = (1u << depth) - 1;
  if (packed) {
    spng_trns trns{};
    const bool hasTrns = spng_get_trns(ctx, &trns) == 0;
    if (ihdr.color_type == SPNG_COLOR_TYPE_INDEXED) {
      spng_plte plte{};
      if (const int err = spng_get_plte(ctx, &plte)) return fail(Damaged(err));
      for (unsigned v = 0; v < plte.n_entries && v <= top; ++v) {
        const spng_plte_entry& e = plte.entries[v];
        const unsigned alpha = hasTrns && v < trns.n_type3_entries ? trns.type3_alpha[v] : 255;
        meanings[v] = std::uint8_t(Meaning(e.red, e.green, e.blue, alpha, darkInk));
      }
      // A sample past the end of the palette names no colour: the file is damaged.
      if (plte.n_entries <= top)
        for (std::size_t y = 0; y < ih; ++y) {
          const std::uint8_t* row = pixels.get() + y * stride;
          for (std::uint32_t x = 0; x < ihdr.width; ++x) {
            const unsigned bit = x * unsigned(depth);
            if (((row[bit >> 3] >> (8 - depth - (bit & 7))) & top) >= plte.n_entries)
              return fail("The image is damaged: a pixel names a colour that its palette lacks.");
          }
        }
    } else {
      for (unsigned v = 0; v <= top; ++v) {
        const unsigned grey = v * 255 / top;
        const unsigned alpha = hasTrns && v == trns.gray ? 0 : 255;
        meanings[v] = std::uint8_t(Meaning(grey, grey, grey, alpha, darkInk));
      }
    }
  }

  // Everything is checked; from here on nothing fails. Both planes of every frame end up clear
  // but for the pixels read; the frames read are cleared only outside the area read.
  TSpriteStore& store = document.Store;
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true}) {
      TPlane& plane = store.Plane(f, mask);
      const int written = f < c.Frames ? frameWidth : 0;
      if (frameHeight < MaxSide)
        for (int x = 0; x < written; ++x) std::memset(&plane[x][frameHeight], 0, std::size_t(MaxSide - frameHeight));
      std::memset(plane.data()->data() + std::size_t(written) * MaxSide, 0, std::size_t(MaxSide - written) * MaxSide);
    }
  const std::uint8_t* image = pixels.get();
  if (!packed) {
    ReadFrames(store, image, stride, c, [darkInk](const std::uint8_t* row, int x) {
      const std::uint8_t* p = row + 4 * x;
      return Meaning(p[0], p[1], p[2], p[3], darkInk);
    });
  } else if (depth == 8) {
    ReadFrames(store, image, stride, c, [&meanings](const std::uint8_t* row, int x) { return unsigned(meanings[row[x]]); });
  } else {
    ReadFrames(store, image, stride, c, [&meanings, depth, top](const std::uint8_t* row, int x) {
      const unsigned bit = unsigned(x) * unsigned(depth);
      return unsigned(meanings[(row[bit >> 3] >> (8 - depth - int(bit & 7))) & top]);
    });
  }
  const int frames = c.Frames;
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
