#include "exchange/run_length.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstddef>
#include <cstring>

#include "codec/words.h"

namespace {

constexpr std::size_t MinRepeat = 3;
constexpr std::size_t MaxRepeat = 130;
constexpr std::size_t MaxLiteral = 128;
constexpr std::uint8_t LiteralFlag = 0x80;

// First q in [from, last) with s[q] = s[q + 1] = s[q + 2], or `last` when there is none.
// Callers keep last + 2 <= the input's length. Literal stretches of a drawn document are
// long, so the search tests eight starting positions at a time.
std::size_t FindTriple(const std::uint8_t* s, std::size_t from, std::size_t last) {
  constexpr std::uint64_t Ones = 0x0101010101010101;
  constexpr std::uint64_t Highs = 0x8080808080808080;
  std::size_t q = from;
  for (; q + 8 <= last; q += 8) {
    const std::uint64_t a = LoadLittle(s + q);
    // Byte r of `d` is zero exactly when a triple starts at q + r.
    const std::uint64_t d = (a ^ LoadLittle(s + q + 1)) | (a ^ LoadLittle(s + q + 2));
    const std::uint64_t zero = (d - Ones) & ~d & Highs;  // exact at the lowest zero byte
    if (zero != 0) return q + std::size_t(std::countr_zero(zero) / 8);
  }
  for (; q < last; ++q)
    if (s[q] == s[q + 1] && s[q] == s[q + 2]) return q;
  return last;
}

int PlainCopy(std::span<std::uint8_t> output, std::span<const std::uint8_t> input) {
  std::copy(input.begin(), input.end(), output.begin());
  return int(input.size());
}

}  // namespace

int PackRuns(std::span<std::uint8_t> output, std::span<const std::uint8_t> input) {
  const std::size_t n = input.size();
  if (n == 0) return 0;
  // All bytes equal: the one-byte form. The scan stops at the first differing byte.
  if (std::all_of(input.begin(), input.end(), [first = input[0]](std::uint8_t b) { return b == first; })) {
    output[0] = input[0];
    return 1;
  }

  // Tokens go straight into output. `w` counts bytes written or reserved; an open literal
  // run has its control byte reserved at `control`. Once the stream can no longer end
  // shorter than n, give up and store the plain copy, so nothing lands past output[n - 1].
  std::size_t w = 0;
  std::size_t p = 0;
  std::size_t control = 0;
  std::size_t literal = 0;  // bytes in the open literal run; 0 when none is open
  auto closeLiteral = [&] {
    output[control] = std::uint8_t((literal - 1) | LiteralFlag);
    literal = 0;
  };

  while (p < n) {
    if (literal == 0 ? w + 1 >= n : w >= n) return PlainCopy(output, input);
    const std::uint8_t v = input[p];
    if (p + 2 < n && input[p + 1] == v && input[p + 2] == v) {
      if (literal != 0) {
        closeLiteral();
        if (w + 1 >= n) return PlainCopy(output, input);
      }
      const std::size_t end = std::min(n, p + MaxRepeat);
      std::size_t q = p + MinRepeat;
      // Long runs (the zero stretches of a sparse document) are mostly full 130-byte
      // tokens; one block compare settles those at once.
      if (end - p == MaxRepeat && std::memcmp(&input[p], &input[p + 1], MaxRepeat - 1) == 0) q = end;
      while (q < end && input[q] == v) ++q;
      output[w++] = std::uint8_t(q - p - MinRepeat);
      output[w++] = v;
      p = q;
    } else {
      // Extend the literal run up to the next three equal bytes, the end of the run's room
      // or the end of the output, whichever comes first.
      if (literal == 0) control = w++;
      const std::size_t end = std::min(n, p + (MaxLiteral - literal));
      const std::size_t lastStart = std::min(end, n - 2);  // a triple must lie inside input
      std::size_t q = p + 1 < lastStart ? FindTriple(input.data(), p + 1, lastStart) : lastStart;
      if (q >= lastStart) q = end;
      const std::size_t count = std::min(q - p, n - w);
      std::copy_n(input.begin() + std::ptrdiff_t(p), count, output.begin() + std::ptrdiff_t(w));
      w += count;
      p += count;
      literal += count;
      if (literal == MaxLiteral) closeLiteral();
    }
  }
  if (literal != 0) closeLiteral();
  return w < n ? int(w) : PlainCopy(output, input);
}

int UnpackRuns(std::span<std::uint8_t> output, std::span<const std::uint8_t> packed) {
  const std::size_t m = output.size();
  const std::size_t pn = packed.size();
  if (pn == 0 || m == 0 || pn > m || m > std::size_t(INT_MAX)) return -1;
  if (pn == 1) {
    std::fill(output.begin(), output.end(), packed[0]);
    return int(m);
  }
  if (pn == m) {
    std::copy(packed.begin(), packed.end(), output.begin());
    return int(m);
  }

  std::size_t r = 0;
  std::size_t w = 0;
  while (r < pn && w < m) {
    const std::uint8_t c = packed[r++];
    if (c & LiteralFlag) {
      // A literal cut off by the end of the packed data keeps the bytes that are there.
      const std::size_t count = std::min({std::size_t(c & 0x7F) + 1, m - w, pn - r});
      std::copy_n(packed.begin() + std::ptrdiff_t(r), count, output.begin() + std::ptrdiff_t(w));
      r += count;
      w += count;
    } else {
      if (r == pn) break;  // a repeat control with no value byte left
      const std::uint8_t v = packed[r++];
      const std::size_t count = std::min(std::size_t(c) + MinRepeat, m - w);
      std::fill_n(output.begin() + std::ptrdiff_t(w), count, v);
      w += count;
    }
  }
  return r < pn ? -2 : int(w);
}
