// PNG import: the first six bytes choose the options and the document's byte mode, the rest is
// the file. Every input ends Ok or with a message; a refused file leaves the document as it
// was, an accepted one leaves settings the settings panel would keep. Flag bit 7 mends every
// chunk checksum first, so that mutations get past the checksums into the decoder and our
// conversion. The document is kept between inputs: allocating 14.8 MB for every input would
// cost more than the import.
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "image/png_import.h"

namespace {

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return ~c;
}

void MendChecksums(std::vector<std::uint8_t>& png) {
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const std::size_t length = std::size_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    if (length > png.size() - at - 12) return;
    const std::uint32_t crc = Crc32(&png[at + 4], length + 4);
    for (int i = 0; i < 4; ++i) png[at + 8 + length + std::size_t(i)] = std::uint8_t(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

// The settings, the frames in use (sprite area, both planes), and one pixel at the far end of
// the last frame and of the copy buffer: any write into the document changes one of them,
// since an import clears all frames before it writes any.
std::uint64_t Fingerprint(const TSpriteDocument& d) {
  const TDocumentSettings& s = d.Settings;
  std::uint64_t h = 0xCBF29CE484222325ull;
  auto mix = [&](std::uint64_t v) { h = (h ^ v) * 0x100000001B3ull; };
  for (int v : {int(s.Format.ByteMode), int(s.Format.Order), int(s.Format.Masked), int(s.Format.Arrangement),
                s.Format.AttrChoice, s.Width, s.Height, s.FrameCount, s.CurrentFrame})
    mix(std::uint64_t(v));
  for (int f = 0; f < s.FrameCount && f < MaxFrames; ++f)
    for (bool mask : {false, true})
      for (int x = 0; x < s.Width && x < MaxSide; ++x) {
        std::uint64_t column = 0;
        const auto& c = d.Store.Plane(f, mask)[x];
        for (int y = 0; y < s.Height && y < MaxSide; ++y) column = column * 31 + c[y];
        mix(column);
      }
  mix(d.Store.Pixel(MaxFrames - 1, true, MaxSide - 1, MaxSide - 1));
  mix(d.Store.FCopyBuffer[MaxSide - 1][MaxSide - 1]);
  return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TSpriteDocument document;
  static bool started = false;
  if (!started) {
    // Pixels a refused import must leave: the far corner of the last frame and the copy buffer.
    document.Store.SetPixel(MaxFrames - 1, true, MaxSide - 1, MaxSide - 1, 1);
    document.Store.FCopyBuffer[MaxSide - 1][MaxSide - 1] = 1;
    started = true;
  }
  if (size < 6) return 0;
  const std::uint8_t flags = data[0];
  TPngImportOptions options;
  options.Layout = flags & 1 ? TImageLayout::Planes : TImageLayout::Alpha;
  options.DarkInk = flags & 2;
  options.CellWidth = data[1] << 8 | data[2];
  options.CellHeight = data[3] << 8 | data[4];
  options.Spacing = data[5] % 70;  // 65..69 are refused
  document.Settings.Format.ByteMode = flags & 4 ? bmClassic8 : bm6BitReversed;
  document.Settings = Normalized(document.Settings);
  std::vector<std::uint8_t> png(data + 6, data + size);
  if (flags & 0x80) MendChecksums(png);

  const std::uint64_t before = Fingerprint(document);
  const TImageImport r = ImportPng(png, options, document);
  if (!r.Ok) {
    FUZZ_CHECK(!r.Error.empty());
    FUZZ_CHECK(Fingerprint(document) == before);
  } else {
    const TDocumentSettings& s = document.Settings;
    FUZZ_CHECK(r.Error.empty());
    FUZZ_CHECK(Normalized(s) == s);
    FUZZ_CHECK(s.FrameCount >= 1 && s.FrameCount <= MaxFrames && s.FrameCount == r.Frames);
    FUZZ_CHECK(s.CurrentFrame == 0 && s.Height == r.Height);
    const int b = BitsPerByte(s.Format.ByteMode);
    FUZZ_CHECK(r.Width >= 1 && r.Width <= s.Width && s.Width < r.Width + b);
    // All frames were cleared first: the far corner of the last frame is clear unless read.
    const bool cornerRead = s.FrameCount == MaxFrames && r.Width == MaxSide && r.Height == MaxSide;
    FUZZ_CHECK(cornerRead || document.Store.Pixel(MaxFrames - 1, true, MaxSide - 1, MaxSide - 1) == 0);
    FUZZ_CHECK(document.Store.FCopyBuffer[MaxSide - 1][MaxSide - 1] == 1);
    document.Store.SetPixel(MaxFrames - 1, true, MaxSide - 1, MaxSide - 1, 1);
  }
  return 0;
}
