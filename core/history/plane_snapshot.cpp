#include "history/plane_snapshot.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "exchange/run_length.h"

namespace {

constexpr int BitBytes = PlanePixels / 8;  // 7,200

// Eight pixel bytes (each 0 or 1) at p become one byte, the pixel at p + i in bit i. The
// multiplier moves byte i's low bit to bit 56 + i without two products meeting.
std::uint8_t GatherBits(const std::uint8_t* p) {
  std::uint64_t w;
  std::memcpy(&w, p, sizeof w);
  if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
  return std::uint8_t((w * 0x0102040810204080ull) >> 56);
}

// The eight pixel bytes of every byte value, in memory order.
const std::array<std::uint64_t, 256>& SpreadTable() {
  static const std::array<std::uint64_t, 256> table = [] {
    std::array<std::uint64_t, 256> t{};
    for (int v = 0; v < 256; ++v) {
      std::uint8_t bytes[8];
      for (int i = 0; i < 8; ++i) bytes[i] = std::uint8_t((v >> i) & 1);
      std::memcpy(&t[std::size_t(v)], bytes, sizeof bytes);
    }
    return t;
  }();
  return table;
}

}  // namespace

TPlaneSnapshot::TPlaneSnapshot(const TPlane& plane) {
  std::array<std::uint8_t, BitBytes> bits;
  const std::uint8_t* pixels = plane.data()->data();
  for (int i = 0; i < BitBytes; ++i) bits[std::size_t(i)] = GatherBits(pixels + 8 * i);
  std::array<std::uint8_t, BitBytes> packed;
  const int length = PackRuns(packed, bits);
  FPacked.assign(packed.begin(), packed.begin() + length);
}

void TPlaneSnapshot::RestoreTo(TPlane& plane) const {
  std::array<std::uint8_t, BitBytes> bits{};
  UnpackRuns(bits, FPacked);
  const auto& table = SpreadTable();
  std::uint8_t* pixels = plane.data()->data();
  for (int i = 0; i < BitBytes; ++i) std::memcpy(pixels + 8 * i, &table[bits[std::size_t(i)]], 8);
}

bool HiddenAreaClear(const TPlane& plane, int width, int height) {
  const auto set = [](std::uint8_t p) { return p != 0; };
  for (int x = 0; x < MaxSide; ++x) {
    const auto& column = plane[std::size_t(x)];
    const auto from = x < width ? column.begin() + std::clamp(height, 0, MaxSide) : column.begin();
    if (std::any_of(from, column.end(), set)) return false;
  }
  return true;
}
