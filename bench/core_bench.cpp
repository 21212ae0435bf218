// Document benchmarks against a memcpy of the whole store: project file, run-length codec,
// raw layouts and the clipboard reader.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench_table.h"
#include "exchange/clipboard_text.h"
#include "exchange/project_file.h"
#include "exchange/raw_layout.h"
#include "exchange/run_length.h"

namespace {

constexpr std::size_t StoreBytes = 14'803'200;

void FillFull(TSpriteStore& s) {  // every pixel of every frame random
  std::mt19937 rng(1);
  for (int f = 0; f < MaxFrames; ++f)
    for (bool m : {false, true})
      for (auto& column : s.Plane(f, m))
        for (auto& p : column) p = rng() & 1;
}

void FillTypical(TSpriteStore& s) {  // 8 frames of 24 x 24 drawn, the rest clear
  std::mt19937 rng(2);
  for (int f = 0; f < 8; ++f)
    for (bool m : {false, true})
      for (int x = 0; x < 24; ++x)
        for (int y = 0; y < 24; ++y) s.SetPixel(f, m, x, y, rng() & 1);
}

bool BenchDocument(const char* label, TSpriteStore& store, double base) {
  bool ok = true;
  TProjectHeader header;
  header.Width = 240;
  header.Height = 240;
  header.FrameCount = 128;
  std::vector<std::uint8_t> file;
  ok &= PrintRow(std::string(label) + ": build project file", MedianSeconds([&] { file = BuildProjectFile(store, header); }),
                 base, 3);
  ok &= PrintRow(std::string(label) + ": parse + spread project file", MedianSeconds([&] {
                   const TProjectFile parsed = ParseProjectFile(file);
                   SpreadPixelStream(store, parsed.PixelStream, parsed.Header.PlaneSide, parsed.Header.FrameCapacity);
                 }),
                 base, 3);

  const std::vector<std::uint8_t> stream = BuildPixelStream(store);
  std::vector<std::uint8_t> packed(stream.size()), plain(stream.size());
  int p = 0;
  ok &= PrintRow(std::string(label) + ": PackRuns 1,843,200 bytes", MedianSeconds([&] { p = PackRuns(packed, stream); }),
                 base, 3);
  ok &= PrintRow(std::string(label) + ": UnpackRuns 1,843,200 bytes",
                 MedianSeconds([&] { UnpackRuns(plain, std::span(packed).first(p)); }), base, 3);
  return ok;
}

bool BenchLayouts(const std::string& label, TSpriteStore& store, double base) {
  struct TTiming {
    std::string Name;
    double Export = 0, Import = 0, Stream = 0;
    double ExportFaults = 0, ImportFaults = 0, StreamFaults = 0;
  };
  std::vector<TTiming> timings;
  std::FILE* sink = std::fopen("/dev/null", "wb");
  for (int order = 0; order < 4; ++order)
    for (int arr = -1; arr < 6; ++arr) {
      TDataFormat format;
      format.ByteMode = bm6BitReversed;
      format.Order = TDataOrder(order);
      format.Masked = arr >= 0;
      format.Arrangement = TMaskArrangement(arr < 0 ? 0 : arr);
      TTiming t;
      t.Name = std::string(DataOrderItems[order]) + ", " + (arr < 0 ? "masking off" : MaskArrangementItems[arr]);
      std::vector<std::uint8_t> bytes;
      t.Export = MedianSeconds([&] { bytes = ExportFrames(store, format, 240, 240, 128); }, 7);
      t.ExportFaults = LastFaultsPerRun;
      t.Import = MedianSeconds([&] { ImportFrames(store, format, 240, 240, bytes); }, 7);
      t.ImportFaults = LastFaultsPerRun;
      t.Stream = MedianSeconds([&] {
        ExportFramesTo(store, format, 240, 240, 128,
                       [&](std::span<const std::uint8_t> b) { std::fwrite(b.data(), 1, b.size(), sink); });
        std::fflush(sink);
      }, 7);
      t.StreamFaults = LastFaultsPerRun;
      timings.push_back(t);
    }
  std::fclose(sink);
  auto slowest = [&](auto field) {
    return *std::max_element(timings.begin(), timings.end(), [&](auto& a, auto& b) { return a.*field < b.*field; });
  };
  auto fastest = [&](auto field) {
    return *std::min_element(timings.begin(), timings.end(), [&](auto& a, auto& b) { return a.*field < b.*field; });
  };
  bool ok = true;
  const TTiming se = slowest(&TTiming::Export), fe = fastest(&TTiming::Export);
  const TTiming si = slowest(&TTiming::Import), fi = fastest(&TTiming::Import);
  auto row = [&](const std::string& name, double seconds, double faults) {
    LastFaultsPerRun = faults;
    return PrintRow(label + ": " + name, seconds, base, 3);
  };
  const TTiming ss = slowest(&TTiming::Stream), fs = fastest(&TTiming::Stream);
  ok &= row("export slowest: " + se.Name, se.Export, se.ExportFaults);
  ok &= row("export fastest: " + fe.Name, fe.Export, fe.ExportFaults);
  ok &= row("export to a file by frame blocks, slowest: " + ss.Name, ss.Stream, ss.StreamFaults);
  ok &= row("export to a file by frame blocks, fastest: " + fs.Name, fs.Stream, fs.StreamFaults);
  ok &= row("import slowest: " + si.Name, si.Import, si.ImportFaults);
  ok &= row("import fastest: " + fi.Name, fi.Import, fi.ImportFaults);
  return ok;
}

// Times the reader on `text`, which it must reject; prints the row and returns the time.
double TimeRejected(const std::string& name, const std::string& text, double base, bool& ok) {
  bool accepted = true;
  const double t = MedianSeconds([&] { accepted = ParseClipboardText(text, 6).has_value(); }, 5);
  ok &= !accepted;
  // What counts is that the time grows linearly with the length (ratios printed below); the
  // baseline column compares it with a memcpy of the same length.
  PrintRow(name + (accepted ? " ACCEPTED: wrong" : ""), t, base * double(text.size()) / StoreBytes, 0);
  return t;
}

bool BenchClipboard(double base) {
  std::printf("clipboard reader: x base = against a memcpy of the text's length (store memcpy scaled)\n");
  bool ok = true;
  const std::string header = "SPRJ;240;240;6;";
  // 9,600 valid values (a 240 x 240 plane in 6-bit bytes), then 50 MB more values.
  std::string tooLong = header;
  for (int i = 0; i < 9600; ++i) tooLong += std::to_string(i % 64) + ",";
  while (tooLong.size() < 50'000'000) tooLong += "1,";
  tooLong += "$";
  TimeRejected("clipboard: 9,600 values, then 50 MB more", tooLong, base, ok);

  // Texts the reader has to scan to the end: one field of digits, one field of spaces.
  double digits[2], spaces[2];
  for (int i = 0; i < 2; ++i) {
    const std::size_t n = i == 0 ? 25'000'000 : 50'000'000;
    const std::string mb = std::to_string(n / 1'000'000) + " MB";
    digits[i] = TimeRejected("clipboard: one field of " + mb + " of digits", header + std::string(n, '7') + "$", base, ok);
    spaces[i] = TimeRejected("clipboard: " + mb + " of spaces, then a value", header + std::string(n, ' ') + "1$", base, ok);
  }
  std::printf("clipboard: 50 MB / 25 MB time ratio: digits %.2f, spaces %.2f (linear: ~2)\n", digits[1] / digits[0],
              spaces[1] / spaces[0]);
  // Well below 4 (quadratic) even on a busy machine.
  ok &= digits[1] / digits[0] < 3.5 && spaces[1] / spaces[0] < 3.5;
  return ok;
}

}  // namespace

int main() {
  std::vector<std::uint8_t> a(StoreBytes, 1), b(StoreBytes);
  const double base = MedianSeconds([&] { std::memcpy(b.data(), a.data(), StoreBytes); });
  PrintHeader("memcpy of the 14,803,200-byte store", base);

  bool ok = true;
  {
    TSpriteStore full;
    FillFull(full);
    ok &= BenchDocument("full", full, base);
    ok &= BenchLayouts("full", full, base);
  }
  {
    TSpriteStore typical;
    FillTypical(typical);
    ok &= BenchDocument("typical", typical, base);
    ok &= BenchLayouts("typical", typical, base);
  }
  ok &= BenchClipboard(base);
  std::printf("%s\n", ok ? "all within target" : "some figures above target (marked !)");
  return 0;
}
