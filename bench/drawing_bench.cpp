// The flood fill of the drawing tools on the largest plane (240 x 240) against a memcpy of the
// whole store: a clear plane filled from one corner, and a plane of random noise, whose fill
// reaches only the seed's small region but runs through many short spans.
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "bench_table.h"
#include "editing/shapes.h"

namespace {

constexpr std::size_t StoreBytes = 14'803'200;

}  // namespace

int main() {
  std::vector<std::uint8_t> copy(StoreBytes), source(StoreBytes, 1);
  const double base = MedianSeconds([&] { std::memcpy(copy.data(), source.data(), StoreBytes); });
  PrintHeader("memcpy of the 14,803,200-byte store", base);
  bool ok = true;

  auto plane = std::make_unique<TPlane>();
  auto start = std::make_unique<TPlane>();
  int changed = 0;
  // Each run starts from the same plane again; the copy of 57,600 bytes is timed alone below.
  const double reset = MedianSeconds([&] { *plane = *start; }, 101);
  const double clear = MedianSeconds(
      [&] {
        *plane = *start;
        changed = FloodFill(*plane, MaxSide, MaxSide, {0, 0}, 1);
      },
      101);
  ok &= PrintRow("fill of a whole clear 240 x 240 plane (57,600 cells)", clear - reset, base, 0.1);
  if (changed != PlanePixels) std::printf("unexpected: %d cells filled\n", changed);

  // A maze-like plane: 40% set at random; the seed's clear region is large and winding.
  std::mt19937 rng(4);
  for (auto& column : *start)
    for (auto& p : column) p = std::uint8_t(rng() % 100 < 40);
  (*start)[120][120] = 0;
  const double noise = MedianSeconds(
      [&] {
        *plane = *start;
        changed = FloodFill(*plane, MaxSide, MaxSide, {120, 120}, 1);
      },
      101);
  char name[120];
  std::snprintf(name, sizeof name, "fill of the region around the centre of a 40%% random plane (%d cells)", changed);
  PrintRow(name, noise - reset, base, 0);  // for information: many short spans
  PrintRow("copy of one plane (taken off the rows above)", reset, base, 0);
  return ok ? 0 : 1;
}
