#pragma once
// PNG files made in the tests with libspng's encoder, PNG chunk surgery, and a document on the
// heap (the store is 14.8 MB).

#include <spng.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "document/sprite_document.h"

struct TTestPng {
  std::uint32_t Width = 1, Height = 1;
  std::uint8_t ColorType = SPNG_COLOR_TYPE_GRAYSCALE, BitDepth = 8;
  bool Interlaced = false;
  std::vector<std::uint8_t> Pixels;  // packed rows in the PNG's own format, 16-bit samples host-endian
  std::vector<spng_plte_entry> Palette;
  bool HasTrns = false;
  spng_trns Trns{};
  std::string FramesText;  // a "Frames" tEXt chunk when not empty
};

inline std::vector<std::uint8_t> EncodePng(const TTestPng& png) {
  spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
  spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr ihdr{png.Width, png.Height, png.BitDepth, png.ColorType, 0, 0, std::uint8_t(png.Interlaced ? 1 : 0)};
  int err = spng_set_ihdr(ctx, &ihdr);
  if (!err && !png.Palette.empty()) {
    spng_plte plte{};
    plte.n_entries = std::uint32_t(png.Palette.size());
    for (std::size_t i = 0; i < png.Palette.size(); ++i) plte.entries[i] = png.Palette[i];
    err = spng_set_plte(ctx, &plte);
  }
  if (!err && png.HasTrns) {
    spng_trns trns = png.Trns;
    err = spng_set_trns(ctx, &trns);
  }
  std::string frames = png.FramesText;
  if (!err && !frames.empty()) {
    spng_text text{};
    std::strcpy(text.keyword, "Frames");
    text.type = SPNG_TEXT;
    text.length = frames.size();
    text.text = frames.data();
    err = spng_set_text(ctx, &text, 1);
  }
  if (!err) err = spng_encode_image(ctx, png.Pixels.data(), png.Pixels.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
  std::vector<std::uint8_t> file;
  std::size_t length = 0;
  void* buffer = err ? nullptr : spng_get_png_buffer(ctx, &length, &err);
  if (buffer) file.assign(static_cast<std::uint8_t*>(buffer), static_cast<std::uint8_t*>(buffer) + length);
  std::free(buffer);
  spng_ctx_free(ctx);
  return file;
}

// Decodes a PNG to 8-bit RGBA with libspng alone; empty on failure.
inline std::vector<std::uint8_t> DecodeRgba(const std::vector<std::uint8_t>& file, std::uint32_t& width,
                                            std::uint32_t& height) {
  spng_ctx* ctx = spng_ctx_new(0);
  spng_set_png_buffer(ctx, file.data(), file.size());
  spng_ihdr ihdr{};
  std::size_t size = 0;
  std::vector<std::uint8_t> out;
  if (spng_get_ihdr(ctx, &ihdr) == 0 && spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &size) == 0) {
    out.resize(size);
    if (spng_decode_image(ctx, out.data(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS) != 0) out.clear();
    width = ihdr.width;
    height = ihdr.height;
  }
  spng_ctx_free(ctx);
  return out;
}

inline std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

// The offset of the first chunk of `type` (its length field), or 0.
inline std::size_t FindChunk(const std::vector<std::uint8_t>& png, const char* type) {
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const std::uint32_t length = std::uint32_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    if (std::memcmp(&png[at + 4], type, 4) == 0) return at;
    at += 12 + std::size_t(length);
  }
  return 0;
}

// Writes a new width and height into the header and mends its checksum.
inline void SetHeaderSize(std::vector<std::uint8_t>& png, std::uint32_t width, std::uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = std::uint8_t(width >> (24 - 8 * i));
    png[20 + i] = std::uint8_t(height >> (24 - 8 * i));
  }
  const std::uint32_t crc = Crc32(&png[12], 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
}

inline std::unique_ptr<TSpriteDocument> NewDocument() { return std::make_unique<TSpriteDocument>(); }

inline std::unique_ptr<TSpriteDocument> NewDocument(int width, int height, int frames, bool masked) {
  auto doc = NewDocument();
  doc->Settings.Width = width;
  doc->Settings.Height = height;
  doc->Settings.FrameCount = frames;
  doc->Settings.Format.Masked = masked;
  return doc;
}
