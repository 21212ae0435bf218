#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "exchange/run_length.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Fill(std::size_t n, std::uint8_t v) { return TBytes(n, v); }

// Bytes first, first + 1, ... (n distinct non-zero values for n <= 255 - first).
TBytes Counting(std::size_t n, std::uint8_t first = 1) {
  TBytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = std::uint8_t(first + i);
  return b;
}

TBytes Join(std::initializer_list<TBytes> parts) {
  TBytes all;
  for (const TBytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct TPackCase {
  std::string Name;
  TBytes Input;
  TBytes Packed;
};

void PrintTo(const TPackCase& c, std::ostream* os) { *os << c.Name; }

class PackRunsTest : public ::testing::TestWithParam<TPackCase> {};

TEST_P(PackRunsTest, PacksAndUnpacksBack) {
  const TPackCase& c = GetParam();
  TBytes out(c.Input.size(), 0xEE);
  const int p = PackRuns(out, c.Input);
  ASSERT_EQ(p, int(c.Packed.size()));
  EXPECT_EQ(TBytes(out.begin(), out.begin() + p), c.Packed);

  TBytes back(c.Input.size(), 0xEE);
  EXPECT_EQ(UnpackRuns(back, std::span(out).first(std::size_t(p))), int(c.Input.size()));
  EXPECT_EQ(back, c.Input);
}

const TBytes Distinct128 = Counting(128);
const TBytes Distinct129 = Counting(129);

INSTANTIATE_TEST_SUITE_P(
    Forms, PackRunsTest,
    ::testing::Values(
        TPackCase{"OneByte", {0x07}, {0x07}}, TPackCase{"EqualPair", {0x05, 0x05}, {0x05}},
        TPackCase{"ThreeZeros", {0, 0, 0}, {0x00}},
        TPackCase{"PairIsPlainCopy", {0x01, 0x02}, {0x01, 0x02}},
        TPackCase{"TokensAsLongAsInputArePlainCopy", {9, 9, 9, 1}, {9, 9, 9, 1}},
        TPackCase{"ZerosThenOne", Join({Fill(10, 0), {1}}), {0x07, 0x00, 0x80, 0x01}},
        TPackCase{"TwoRepeats", {0, 0, 0, 0, 1, 1, 1, 1}, {0x01, 0x00, 0x01, 0x01}},
        TPackCase{"LeadingPairStaysLiteral", Join({{4, 4, 1}, Fill(10, 0)}), {0x82, 4, 4, 1, 0x07, 0x00}},
        TPackCase{"TrailingPairStaysLiteral", Join({Fill(5, 3), {1, 1}}), {0x02, 0x03, 0x81, 1, 1}},
        TPackCase{"Repeat130", Join({Fill(130, 3), {1}}), {0x7F, 0x03, 0x80, 0x01}},
        TPackCase{"Repeat131", Join({Fill(131, 3), {1}}), {0x7F, 0x03, 0x81, 0x03, 0x01}},
        TPackCase{"Repeat133", Join({Fill(133, 3), {1}}), {0x7F, 0x03, 0x00, 0x03, 0x80, 0x01}},
        TPackCase{"LiteralThenRepeat", Join({Counting(9), Fill(20, 0)}),
                  Join({{0x88}, Counting(9), {0x11, 0x00}})},
        TPackCase{"Literal128", Join({Distinct128, Fill(9, 0)}), Join({{0xFF}, Distinct128, {0x06, 0x00}})},
        TPackCase{"Literal129OpensSecondToken", Join({Distinct129, Fill(9, 0)}),
                  Join({{0xFF}, Distinct128, {0x80, 129, 0x06, 0x00}})},
        // Two literal controls leave no room for the repeat once the first run closes.
        TPackCase{"NoRoomForRepeatAfterLiteral", Join({Distinct129, Fill(3, 7)}), Join({Distinct129, Fill(3, 7)})},
        TPackCase{"RoomForRepeatAfterLiteral", Join({Distinct129, Fill(5, 7)}),
                  Join({{0xFF}, Distinct128, {0x80, 129, 0x02, 0x07}})}),
    [](const ::testing::TestParamInfo<TPackCase>& info) { return info.param.Name; });

TEST(PackRunsEmptyTest, WritesNothing) {
  TBytes out{0xEE};
  EXPECT_EQ(PackRuns(std::span(out).first(0), TBytes{}), 0);
  EXPECT_EQ(out[0], 0xEE);
}

struct TUnpackCase {
  std::string Name;
  TBytes Packed;
  std::size_t OutputLength;
  int Result;
  TBytes Written;  // the output afterwards; bytes not written keep the fill 0xEE
};

void PrintTo(const TUnpackCase& c, std::ostream* os) { *os << c.Name; }

class UnpackRunsTest : public ::testing::TestWithParam<TUnpackCase> {};

TEST_P(UnpackRunsTest, DecodesIntoOutput) {
  const TUnpackCase& c = GetParam();
  // The packed bytes sit in front of more bytes that must never be read.
  TBytes memory = Join({c.Packed, Fill(16, 0x05)});
  TBytes out(c.OutputLength, 0xEE);
  EXPECT_EQ(UnpackRuns(out, std::span(memory).first(c.Packed.size())), c.Result);
  EXPECT_EQ(out, c.Written);
}

constexpr std::uint8_t U = 0xEE;

INSTANTIATE_TEST_SUITE_P(
    Forms, UnpackRunsTest,
    ::testing::Values(
        TUnpackCase{"OneByteForm", {0x07}, 1, 1, {0x07}},
        TUnpackCase{"OneByteFill", {0xAB}, 5, 5, Fill(5, 0xAB)},
        TUnpackCase{"PlainCopy", {0, 1, 2}, 3, 3, {0, 1, 2}},
        TUnpackCase{"PackedLongerThanOutput", {1, 2, 3, 4}, 3, -1, Fill(3, U)},
        TUnpackCase{"EmptyPacked", {}, 3, -1, Fill(3, U)},
        TUnpackCase{"EmptyOutput", {0x07}, 0, -1, {}},
        TUnpackCase{"ShortStreamLeavesTheRest", {0x07, 0x00, 0x80, 0x01}, 20, 11,
                    Join({Fill(10, 0), {1}, Fill(9, U)})},
        TUnpackCase{"RepeatCutAtOutputEnd", {0x7F, 0x03}, 100, 100, Fill(100, 3)},
        TUnpackCase{"DataLeftWhenFull", {0x7F, 0x03, 0x80, 0x01}, 10, -2, Fill(10, 3)},
        TUnpackCase{"LiteralCutAtOutputEnd", {0x02, 9, 0x83, 1, 2, 3, 4}, 8, -2, {9, 9, 9, 9, 9, 1, 2, 3}},
        // Damaged streams: a token cut off by the end of the packed data.
        TUnpackCase{"CutLiteralKeepsPresentBytes", {0x83, 1, 2}, 10, 2, Join({{1, 2}, Fill(8, U)})},
        TUnpackCase{"CutLiteralAfterRepeat", {0x00, 9, 0x85, 1}, 10, 4, Join({{9, 9, 9, 1}, Fill(6, U)})},
        TUnpackCase{"LiteralControlAlone", {0x00, 9, 0x80}, 10, 3, Join({{9, 9, 9}, Fill(7, U)})},
        TUnpackCase{"RepeatControlLast", {0x80, 4, 0x00}, 10, 1, Join({{4}, Fill(9, U)})},
        // A lone literal control is the one-byte form; two of them are a literal of one byte.
        TUnpackCase{"OnlyLiteralControl", {0x80}, 10, 10, Fill(10, 0x80)},
        TUnpackCase{"TwoLiteralControls", {0x80, 0x80}, 10, 1, Join({{0x80}, Fill(9, U)})},
        // Runs one byte longer than the room left in the output.
        TUnpackCase{"RepeatOvershootsByOne", {0x01, 5}, 3, 3, Fill(3, 5)},
        TUnpackCase{"LiteralOvershootsByOne", {0x7F, 9, 0x81, 1, 2}, 131, -2, Join({Fill(130, 9), {1}})}),
    [](const ::testing::TestParamInfo<TUnpackCase>& info) { return info.param.Name; });

// Inputs of varied size and run structure: runs of random length drawn from a small or a
// full alphabet, so that repeats, pairs, long literals and incompressible stretches all occur.
TBytes RandomRuns(std::mt19937& rng, std::size_t n, int alphabet, int maxRun) {
  TBytes b;
  b.reserve(n);
  std::uniform_int_distribution<int> value(0, alphabet - 1), run(1, maxRun);
  while (b.size() < n) {
    const std::size_t len = std::min<std::size_t>(std::size_t(run(rng)), n - b.size());
    b.insert(b.end(), len, std::uint8_t(value(rng)));
  }
  return b;
}

// The output span is exactly N bytes inside a guarded buffer; nothing may land outside it.
void CheckRoundTrip(const TBytes& input) {
  constexpr std::size_t Guard = 64;
  const std::size_t n = input.size();
  TBytes memory(n + 2 * Guard, 0xA5);
  const std::span<std::uint8_t> out = std::span(memory).subspan(Guard, n);
  const int p = PackRuns(out, input);

  const bool allEqual = std::all_of(input.begin(), input.end(), [&](std::uint8_t b) { return b == input[0]; });
  EXPECT_EQ(p == 1, allEqual);
  EXPECT_TRUE(p >= 1 && std::size_t(p) <= n);
  EXPECT_TRUE(std::all_of(memory.begin(), memory.begin() + Guard, [](std::uint8_t b) { return b == 0xA5; }));
  EXPECT_TRUE(std::all_of(memory.end() - Guard, memory.end(), [](std::uint8_t b) { return b == 0xA5; }));

  TBytes back(n, 0xEE);
  EXPECT_EQ(UnpackRuns(back, out.first(std::size_t(p))), int(n));
  EXPECT_EQ(back, input);
}

TEST(RunLengthRoundTripTest, EveryShortBinaryInput) {
  for (std::size_t n = 1; n <= 12; ++n) {
    for (unsigned bits = 0; bits < (1u << n); ++bits) {
      TBytes input(n);
      for (std::size_t i = 0; i < n; ++i) input[i] = (bits >> i) & 1;
      SCOPED_TRACE(::testing::Message() << "n=" << n << " bits=" << bits);
      CheckRoundTrip(input);
      if (HasFailure()) return;
    }
  }
}

TEST(RunLengthRoundTripTest, RandomRunStructures) {
  std::mt19937 rng(20240611);
  const std::size_t sizes[] = {3, 4, 5, 127, 128, 129, 130, 131, 132, 133, 257, 1000, 4096, 70'000};
  const struct {
    int Alphabet, MaxRun;
  } shapes[] = {{256, 1}, {256, 2}, {2, 3}, {4, 6}, {256, 140}, {3, 300}};
  for (std::size_t n : sizes) {
    for (auto shape : shapes) {
      for (int round = 0; round < 8; ++round) {
        const TBytes input = RandomRuns(rng, n, shape.Alphabet, shape.MaxRun);
        SCOPED_TRACE(::testing::Message() << "n=" << n << " alphabet=" << shape.Alphabet
                                          << " maxRun=" << shape.MaxRun << " round=" << round);
        CheckRoundTrip(input);
        if (HasFailure()) return;
      }
    }
  }
}

// Literal runs of 128 and 129 bytes with a few equal bytes after them sit right at the
// point where the encoder has to give up; every tail length must stay inside N.
TEST(RunLengthRoundTripTest, GiveUpAroundLiteralBoundaries) {
  for (std::size_t lead : {126u, 127u, 128u, 129u, 130u, 255u, 256u, 257u}) {
    for (std::size_t tail = 0; tail <= 6; ++tail) {
      TBytes input(lead);
      for (std::size_t i = 0; i < lead; ++i) input[i] = std::uint8_t(i % 2 == 0 ? i / 2 + 1 : 200 - i / 2);
      input.insert(input.end(), tail, 0xFE);
      SCOPED_TRACE(::testing::Message() << "lead=" << lead << " tail=" << tail);
      CheckRoundTrip(input);
    }
  }
}

}  // namespace
