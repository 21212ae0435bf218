#pragma once
// Eight bytes at a time: the word loads, stores and byte swaps that the hot loops of the byte
// grids, the raw layouts and the run-length packer build on. Loads and stores go through
// memcpy, so any address is fine and the compiler makes one machine load or store of them.

#include <bit>
#include <cstdint>
#include <cstring>

// Byte r of w becomes byte 7 - r.
constexpr std::uint64_t ByteSwap(std::uint64_t w) {
  w = (w >> 32) | (w << 32);
  w = ((w & 0xFFFF0000FFFF0000) >> 16) | ((w & 0x0000FFFF0000FFFF) << 16);
  return ((w & 0xFF00FF00FF00FF00) >> 8) | ((w & 0x00FF00FF00FF00FF) << 8);
}

// The eight bytes at p in the machine's byte order.
inline std::uint64_t LoadWord(const std::uint8_t* p) {
  std::uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

inline void StoreWord(std::uint8_t* p, std::uint64_t w) { std::memcpy(p, &w, sizeof w); }

// The eight bytes at p with byte r at bits 8r .. 8r + 7, whatever the machine's byte order.
inline std::uint64_t LoadLittle(const std::uint8_t* p) {
  const std::uint64_t w = LoadWord(p);
  return std::endian::native == std::endian::little ? w : ByteSwap(w);
}

// Bits 8r .. 8r + 7 of w to byte p[r].
inline void StoreLittle(std::uint8_t* p, std::uint64_t w) {
  StoreWord(p, std::endian::native == std::endian::little ? w : ByteSwap(w));
}
