// PNG import and export of the largest document (128 frames of 240 x 240, 16 to a row) beside
// libspng alone decoding or encoding the same image: the conversion between the image and the
// planes should add at most half of libspng's own time.
#include <spng.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_table.h"
#include "image/gif_export.h"
#include "image/png_export.h"
#include "image/png_import.h"

namespace {

// The image of a PNG file in its own format (rows packed as the file has them), with what
// encoding it again needs.
struct TRawImage {
  spng_ihdr Ihdr{};
  spng_plte Plte{};
  spng_trns Trns{};
  bool Indexed = false;
  std::vector<std::uint8_t> Pixels;
};

TRawImage DecodeRaw(const std::vector<std::uint8_t>& file) {
  TRawImage raw;
  spng_ctx* ctx = spng_ctx_new(0);
  spng_set_png_buffer(ctx, file.data(), file.size());
  spng_get_ihdr(ctx, &raw.Ihdr);
  raw.Indexed = raw.Ihdr.color_type == SPNG_COLOR_TYPE_INDEXED;
  if (raw.Indexed) {
    spng_get_plte(ctx, &raw.Plte);
    spng_get_trns(ctx, &raw.Trns);
  }
  std::size_t size = 0;
  spng_decoded_image_size(ctx, SPNG_FMT_PNG, &size);
  raw.Pixels.resize(size);
  spng_decode_image(ctx, raw.Pixels.data(), size, SPNG_FMT_PNG, 0);
  spng_ctx_free(ctx);
  return raw;
}

// libspng alone: the raw image to a PNG in memory.
std::size_t EncodeOnly(TRawImage& raw) {
  spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
  spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
  spng_set_ihdr(ctx, &raw.Ihdr);
  if (raw.Indexed) {
    spng_set_plte(ctx, &raw.Plte);
    spng_set_trns(ctx, &raw.Trns);
  }
  spng_encode_image(ctx, raw.Pixels.data(), raw.Pixels.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
  std::size_t length = 0;
  int err = 0;
  std::free(spng_get_png_buffer(ctx, &length, &err));
  spng_ctx_free(ctx);
  return length;
}

// libspng alone: the file to 8-bit RGBA (or kept in its own packing) in a buffer of its own.
void DecodeOnly(const std::vector<std::uint8_t>& file, int format) {
  spng_ctx* ctx = spng_ctx_new(0);
  spng_set_png_buffer(ctx, file.data(), file.size());
  std::size_t size = 0;
  spng_decoded_image_size(ctx, format, &size);
  const auto out = std::make_unique<std::uint8_t[]>(size);
  spng_decode_image(ctx, out.get(), size, format, format == SPNG_FMT_RGBA8 ? SPNG_DECODE_TRNS : 0);
  spng_decode_chunks(ctx);
  spng_ctx_free(ctx);
}

void FillRandom(TSpriteStore& s) {
  std::mt19937 rng(1);
  for (int f = 0; f < MaxFrames; ++f)
    for (bool m : {false, true})
      for (auto& column : s.Plane(f, m))
        for (auto& p : column) p = rng() & 1;
}

// Drawn-looking frames: a filled disc per frame with a mask one pixel larger, which compress.
void FillDrawn(TSpriteStore& s) {
  for (int f = 0; f < MaxFrames; ++f)
    for (int x = 0; x < MaxSide; ++x)
      for (int y = 0; y < MaxSide; ++y) {
        const int dx = x - 120 - f % 16, dy = y - 120, r = 60 + f % 40;
        s.SetPixel(f, false, x, y, dx * dx + dy * dy < r * r && (x ^ y) % 7 != 0);
        s.SetPixel(f, true, x, y, dx * dx + dy * dy >= (r + 1) * (r + 1));
      }
}

bool Bench(const char* label, TSpriteDocument& doc) {
  bool ok = true;
  for (TImageLayout layout : {TImageLayout::Planes, TImageLayout::Alpha}) {
    const std::string name = std::string(label) + (layout == TImageLayout::Planes ? ", planes" : ", alpha");
    TPngExportOptions out;
    out.Layout = layout;
    out.Sheet = {16, 0};
    TPngExport exported = ExportPng(doc, out);
    if (!exported.Error.empty()) {
      std::printf("export failed: %s\n", exported.Error.c_str());
      return false;
    }
    const std::vector<std::uint8_t> file = exported.Files.at(0);
    TRawImage raw = DecodeRaw(file);

    const double encode = MedianSeconds([&] { EncodeOnly(raw); }, 7);
    PrintRow(name + ": libspng encode alone (" + std::to_string(file.size()) + " bytes)", encode, encode, 0);
    ok &= PrintRow(name + ": ExportPng", MedianSeconds([&] { exported = ExportPng(doc, out); }, 7), encode, 1.5);

    const double decode = MedianSeconds([&] { DecodeOnly(file, SPNG_FMT_RGBA8); }, 7);
    PrintRow(name + ": libspng decode alone to RGBA8", decode, decode, 0);
    // What the import decodes a grey or palette image to; for information.
    PrintRow(name + ": libspng decode alone, the file's own packing",
             MedianSeconds([&] { DecodeOnly(file, SPNG_FMT_PNG); }, 7), decode, 0);
    TPngImportOptions in;
    in.Layout = layout;
    in.CellWidth = layout == TImageLayout::Planes ? 480 : 240;
    in.CellHeight = 240;
    TImageImport imported;
    ok &= PrintRow(name + ": ImportPng", MedianSeconds([&] { imported = ImportPng(file, in, doc); }, 7), decode,
                   1.5);
    if (!imported.Ok || imported.Frames != MaxFrames) {
      std::printf("import failed: %s\n", imported.Error.c_str());
      return false;
    }
    if (layout == TImageLayout::Alpha) {
      // The same sheet as 8-bit RGBA, as other programs save it: the import decodes it to RGBA.
      TRawImage rgba;
      rgba.Ihdr = raw.Ihdr;
      rgba.Ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
      rgba.Ihdr.bit_depth = 8;
      {
        spng_ctx* ctx = spng_ctx_new(0);
        spng_set_png_buffer(ctx, file.data(), file.size());
        std::size_t size = 0;
        spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &size);
        rgba.Pixels.resize(size);
        spng_decode_image(ctx, rgba.Pixels.data(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
        spng_ctx_free(ctx);
      }
      std::vector<std::uint8_t> rgbaFile;
      {
        spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
        spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
        spng_set_ihdr(ctx, &rgba.Ihdr);
        spng_encode_image(ctx, rgba.Pixels.data(), rgba.Pixels.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
        std::size_t length = 0;
        int err = 0;
        auto* bytes = static_cast<std::uint8_t*>(spng_get_png_buffer(ctx, &length, &err));
        rgbaFile.assign(bytes, bytes + length);
        std::free(bytes);
        spng_ctx_free(ctx);
      }
      const double rgbaDecode = MedianSeconds([&] { DecodeOnly(rgbaFile, SPNG_FMT_RGBA8); }, 7);
      PrintRow(name + " as RGBA8: libspng decode alone to RGBA8", rgbaDecode, rgbaDecode, 0);
      ok &= PrintRow(name + " as RGBA8: ImportPng",
                     MedianSeconds([&] { imported = ImportPng(rgbaFile, in, doc); }, 7), rgbaDecode, 1.5);
      if (!imported.Ok) return false;
    }
  }
  TGifOptions gif;
  gif.Scale = 2;
  PrintRow(std::string(label) + ": ExportGif, 2x (for information)", MedianSeconds([&] { ExportGif(doc, gif); }, 3),
           1, 0);
  return ok;
}

}  // namespace

int main() {
  std::printf("PNG sheet of 128 frames of 240 x 240, 16 to a row; x base = against libspng alone on the same image\n");
  PrintColumns();
  bool ok = true;
  auto doc = std::make_unique<TSpriteDocument>();
  doc->Settings.Width = 240;
  doc->Settings.Height = 240;
  doc->Settings.FrameCount = MaxFrames;
  FillRandom(doc->Store);
  ok &= Bench("random pixels", *doc);
  FillDrawn(doc->Store);
  ok &= Bench("drawn frames", *doc);
  std::printf("%s\n", ok ? "all within target" : "some figures above target (marked !)");
  return 0;
}
