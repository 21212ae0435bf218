// Writes small seed inputs for every fuzz harness with the program's own writers.
// Usage: make_seeds <corpus folder>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "exchange/clipboard_text.h"
#include "exchange/project_file.h"
#include "exchange/raw_layout.h"
#include "exchange/run_length.h"
#include "image/png_export.h"

namespace fs = std::filesystem;

static void Write(const fs::path& dir, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

static std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds <corpus folder>\n");
    return 2;
  }
  const fs::path root(argv[1]);
  std::mt19937 rng(7);
  TSpriteStore store;

  // A drawn 12 x 24 frame with its standard-looking mask, and a second frame.
  for (int y = 4; y < 20; ++y)
    for (int x = 2; x < 10; ++x) store.SetPixel(0, false, x, y, (x + y) % 3 == 0);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 12; ++x) store.SetPixel(0, true, x, y, x < 2 || x > 9);
  store.SetPixel(1, false, 5, 5, 1);

  TProjectHeader header;  // the start-up settings
  Write(root / "project_file", "drawn.sprite", BuildProjectFile(store, header));
  {
    TSpriteStore empty;
    Write(root / "project_file", "empty.sprite", BuildProjectFile(empty, header));
    std::vector<std::uint8_t> old = BuildProjectFile(empty, header);
    old[4] = 16;  // a previous-version header with a tiny plane
    old[5] = 2;
    old[8] = 8;
    old[9] = 8;
    Write(root / "project_file", "previous.sprite", old);
  }

  for (int mode = 0; mode < 2; ++mode)
    for (int order = 0; order < 4; ++order) {
      TDataFormat format;
      format.ByteMode = TByteMode(mode);
      format.Order = TDataOrder(order);
      format.Arrangement = TMaskArrangement((mode * 4 + order) % 6);
      const int width = mode ? 16 : 12;
      std::vector<std::uint8_t> seed{std::uint8_t(mode | order << 1 | 1 << 3), std::uint8_t(format.Arrangement),
                                     std::uint8_t(width / BitsPerByte(mode) - 1), 23};
      const std::vector<std::uint8_t> raw = ExportFrames(store, format, width, 24, 2);
      seed.insert(seed.end(), raw.begin(), raw.end());
      Write(root / "raw_import", "layout" + std::to_string(mode) + std::to_string(order) + ".bin", seed);
    }

  Write(root / "clipboard_text", "sprite6.txt", Bytes(PlaneToClipboardText(store, 0, false, 12, 24, 6, 0)));
  Write(root / "clipboard_text", "mask8.txt", Bytes(PlaneToClipboardText(store, 0, true, 16, 4, 8, 0)));
  Write(root / "clipboard_text", "small.txt", Bytes("SPRJ;6;2;6;1,32$"));

  int i = 0;
  for (const char* n :
       {"0", "255", "$1F", "0x1F", "-0", " +12", "2147483647", "$FFFFFFFF", "-2147483648", "$80000000", "-1", "$-1",
        "1 "})
    Write(root / "number_field", "n" + std::to_string(i++) + ".txt", Bytes(n));

  {
    // PNG files from the export in both layouts, one frame and a sheet, each after the six
    // option bytes of the harness: flags, cell width, cell height (16 bits each), spacing.
    TSpriteDocument doc;
    for (int f = 0; f < 2; ++f)
      for (bool mask : {false, true}) doc.Store.Plane(f, mask) = store.Plane(f, mask);
    doc.Settings.FrameCount = 3;
    int n = 0;
    for (TImageLayout layout : {TImageLayout::Planes, TImageLayout::Alpha})
      for (int sheet = 0; sheet < 2; ++sheet) {
        TPngExportOptions options;
        options.Layout = layout;
        options.Sheet = {2, 3 * sheet};
        options.OneFilePerFrame = sheet == 0;
        const bool planes = layout == TImageLayout::Planes;
        const int cellWidth = planes ? 24 : 12;
        std::vector<std::uint8_t> seed{std::uint8_t((planes ? 1 : 0) | 0x80 * sheet), 0,
                                       std::uint8_t(sheet ? cellWidth : 0), 0, std::uint8_t(sheet ? 24 : 0),
                                       std::uint8_t(3 * sheet)};
        const std::vector<std::uint8_t> png = ExportPng(doc, options).Files.at(0);
        seed.insert(seed.end(), png.begin(), png.end());
        Write(root / "png_import", "export" + std::to_string(n++) + ".bin", seed);
      }
  }

  const std::vector<std::uint8_t> stream = BuildPixelStream(store);
  std::vector<std::uint8_t> plain(stream.begin(), stream.begin() + 600);
  for (int i = 0; i < 40; ++i) plain.push_back(std::uint8_t(rng()));
  Write(root / "pack_runs", "stream.bin", plain);
  std::vector<std::uint8_t> packed(plain.size());
  packed.resize(PackRuns(packed, plain));
  std::vector<std::uint8_t> unpackSeed{std::uint8_t(plain.size() >> 8), std::uint8_t(plain.size())};
  unpackSeed.insert(unpackSeed.end(), packed.begin(), packed.end());
  Write(root / "unpack_runs", "stream.rle", unpackSeed);
  return 0;
}
