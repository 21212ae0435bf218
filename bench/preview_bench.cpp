// The preview's picture of one frame beside filling a buffer of the same size: the frame the
// preview panel renders at each tick of its timer (up to 50 a second).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_table.h"
#include "support/random_fill.h"
#include "editing/preview_frame.h"

namespace {

bool BenchFrame(const std::string& name, const TPreviewFrame& f, double target) {
  const int w = PreviewPictureWidth(f);
  const int h = PreviewPictureHeight(f);
  std::vector<std::uint32_t> buffer(std::size_t(w) * h);
  const double base = MedianSeconds([&] { std::fill(buffer.begin(), buffer.end(), PreviewBlack); }, 21);
  bool rendered = true;
  const double t = MedianSeconds([&] { rendered &= RenderPreviewFrame(f, buffer.data(), w); }, 21);
  return PrintRow(name + " (" + std::to_string(w) + " x " + std::to_string(h) + ")", t, base, target) && rendered;
}

}  // namespace

int main() {
  TSpriteStore store;
  FillRandom(store, 3, 1);  // both planes of frame 0
  TPreviewFrame f{&store, 0, 240, 240, true, pbChecker, 8};
  std::printf("baseline: std::fill of a 32-bit buffer of the picture's size\n");
  PrintColumns();
  bool ok = BenchFrame("preview frame, 240x240 masked at 8x, checker", f, 5);
  f.Background = pbBlack;
  ok &= BenchFrame("preview frame, 240x240 masked at 8x, black", f, 0);
  f.Masked = false;
  ok &= BenchFrame("preview frame, 240x240 unmasked at 8x", f, 0);
  f.Masked = true;
  f.Background = pbChecker;
  f.Scale = 1;
  ok &= BenchFrame("preview frame, 240x240 masked at 1x, checker", f, 0);
  std::printf("%s\n", ok ? "all within target" : "some figures above target (marked !)");
  return 0;
}
