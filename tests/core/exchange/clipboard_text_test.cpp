#include "exchange/clipboard_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// A pattern without symmetry, so that moved or mirrored bytes show.
std::uint8_t Pattern(int x, int y) { return std::uint8_t((x * 31 + y * 17 + x * y) % 7 < 3); }

void FillPattern(TSpriteStore& s, int frame, bool mask) {
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y) s.SetPixel(frame, mask, x, y, Pattern(x, y));
}

TEST(ClipboardTextTest, WritesTheExamples) {
  TSpriteStore s;
  s.SetPixel(0, false, 0, 0, 1);
  s.SetPixel(0, false, 5, 1, 1);
  EXPECT_EQ(PlaneToClipboardText(s, 0, false, 6, 2, 6, 0), "SPRJ;6;2;6;1,32$");
  EXPECT_EQ(PlaneToClipboardText(s, 0, false, 8, 1, 8, 0), "SPRJ;8;1;8;128$");
  // Mask bytes in the 6-bit mode carry the attribute bits.
  EXPECT_EQ(PlaneToClipboardText(s, 0, true, 6, 1, 6, 2), "SPRJ;6;1;6;128$");
}

TEST(ClipboardTextTest, ReadsTheExamples) {
  TSpriteStore s;
  ASSERT_TRUE(PasteClipboardText(s, 4, false, "SPRJ;6;2;6;1,32$", 6));
  ASSERT_TRUE(PasteClipboardText(s, 4, true, "SPRJ;8;1;8;128$", 8));
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 2; ++y) {
      const bool spriteSet = (x == 0 && y == 0) || (x == 5 && y == 1);
      EXPECT_EQ(s.Pixel(4, false, x, y), spriteSet ? 1 : 0) << x << "," << y;
      EXPECT_EQ(s.Pixel(4, true, x, y), x == 0 && y == 0 ? 1 : 0) << x << "," << y;
    }
  }
}

TEST(ClipboardTextTest, WriterRefusesAreasItCouldNotDescribe) {
  TSpriteStore s;
  EXPECT_EQ(PlaneToClipboardText(s, 128, false, 6, 1, 6, 0), "");
  EXPECT_EQ(PlaneToClipboardText(s, 0, false, 12, 0, 6, 0), "");
  EXPECT_EQ(PlaneToClipboardText(s, 0, false, 12, 1, 8, 0), "");
  EXPECT_EQ(PlaneToClipboardText(s, 0, false, 246, 1, 6, 0), "");
  EXPECT_EQ(PlaneToClipboardText(s, 0, false, 12, 1, 7, 0), "");
}

// Copy then paste in each byte mode and plane gives back the sprite area; attribute bits
// in a 6-bit mask text do not reach the pixels.
TEST(ClipboardTextTest, CopyAndPasteRoundTrip) {
  struct TCase {
    int Bits, Width, Height, Attr;
  };
  for (const TCase& c : {TCase{6, 240, 240, 3}, TCase{6, 12, 24, 2}, TCase{8, 240, 240, 1}, TCase{8, 24, 5, 3}}) {
    for (bool fromMask : {false, true}) {
      TSpriteStore s;
      FillPattern(s, 0, fromMask);
      const std::string text = PlaneToClipboardText(s, 0, fromMask, c.Width, c.Height, c.Bits, c.Attr);
      for (bool toMask : {false, true}) {
        ASSERT_TRUE(PasteClipboardText(s, 9, toMask, text, c.Bits)) << text.substr(0, 20);
        for (int x = 0; x < MaxSide; ++x) {
          for (int y = 0; y < MaxSide; ++y) {
            const bool inBlock = x < c.Width && y < c.Height;
            ASSERT_EQ(s.Pixel(9, toMask, x, y), inBlock ? Pattern(x, y) : 0)
                << "bits " << c.Bits << " " << x << "," << y;
          }
        }
      }
    }
  }
}

struct TTextCase {
  std::string Text;
  int Bits;
  std::vector<int> Values;  // empty: rejected
};

void PrintTo(const TTextCase& c, std::ostream* os) { *os << "\"" << c.Text << "\" in " << c.Bits << "-bit mode"; }

class ParseClipboardTextTest : public ::testing::TestWithParam<TTextCase> {};

TEST_P(ParseClipboardTextTest, AcceptsOrRejects) {
  const TTextCase& c = GetParam();
  const auto plane = ParseClipboardText(c.Text, c.Bits);
  if (c.Values.empty()) {
    EXPECT_FALSE(plane.has_value());
    return;
  }
  ASSERT_TRUE(plane.has_value());
  EXPECT_EQ(std::vector<int>(plane->Values.begin(), plane->Values.end()), c.Values);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseClipboardTextTest,
    ::testing::Values(
        // hex and signs
        TTextCase{"SPRJ;6;1;6;$1F$", 6, {31}}, TTextCase{"SPRJ;6;1;6;x1F$", 6, {31}},
        TTextCase{"SPRJ;6;1;6;X1F$", 6, {31}}, TTextCase{"SPRJ;6;1;6;0x1F$", 6, {31}},
        TTextCase{"SPRJ;6;1;6;0X1F$", 6, {31}}, TTextCase{"SPRJ;6;1;6;-0$", 6, {0}},
        TTextCase{"SPRJ;6;1;6;+7$", 6, {7}}, TTextCase{"SPRJ;6;1;6;$ff$", 6, {255}},
        TTextCase{"SPRJ;6;1;6;255$", 6, {255}}, TTextCase{"SPRJ;6;1;6;256$", 6, {}}, TTextCase{"SPRJ;6;1;6;-1$", 6, {}},
        TTextCase{"SPRJ;6;1;6;0x100$", 6, {}},
        // separators, spaces and the end
        TTextCase{"SPRJ;24;1;6;1,2,3,4$", 6, {1, 2, 3, 4}}, TTextCase{"SPRJ;6;2;6;1, 2$", 6, {1, 2}},
        TTextCase{"SPRJ;6;2;6;  1,   2$", 6, {1, 2}}, TTextCase{"SPRJ;6;2;6;1 ,2$", 6, {}},
        TTextCase{"SPRJ;6;2;6;1,2 $", 6, {}}, TTextCase{"SPRJ;6;2;6;1,2,$", 6, {1, 2}},
        TTextCase{"SPRJ;6;2;6;1,2,,$", 6, {}}, TTextCase{"SPRJ;6;2;6;1,,2$", 6, {}},
        TTextCase{"SPRJ;6;2;6;,1,2$", 6, {}}, TTextCase{"SPRJ;6;2;6;1$", 6, {}}, TTextCase{"SPRJ;6;2;6;1,2,3$", 6, {}},
        TTextCase{"SPRJ;6;2;6;1;2$", 6, {}}, TTextCase{"SPRJ;6;1;6;1$\n", 6, {}}, TTextCase{"SPRJ;6;1;6;1$$", 6, {}},
        TTextCase{"SPRJ;6;1;6;1", 6, {}},
        // the magic
        TTextCase{"", 6, {}}, TTextCase{"SPRJ", 6, {}}, TTextCase{"SPRJ;", 6, {}}, TTextCase{"SPRJ;$", 6, {}},
        TTextCase{"sprj;6;1;6;1$", 6, {}}, TTextCase{" SPRJ;6;1;6;1$", 6, {}},
        // header fields
        TTextCase{"SPRJ;;1;6;1$", 6, {}}, TTextCase{"SPRJ;6;;6;1$", 6, {}}, TTextCase{"SPRJ;6;1;;1$", 6, {}},
        TTextCase{"SPRJ;6;1;1$", 6, {}}, TTextCase{"SPRJ; 6;+1;$6;1$", 6, {1}}, TTextCase{"SPRJ;6 ;1;6;1$", 6, {}},
        TTextCase{"SPRJ;5;1;6;1$", 6, {}}, TTextCase{"SPRJ;246;1;6;1$", 6, {}}, TTextCase{"SPRJ;6;0;6;$", 6, {}},
        TTextCase{"SPRJ;6;241;6;1$", 6, {}}, TTextCase{"SPRJ;8;1;7;1$", 6, {}},
        TTextCase{"SPRJ;6;-1;6;1$", 6, {}}, TTextCase{"SPRJ;6;1;-1;1$", 6, {}}, TTextCase{"SPRJ;-1;1;6;1$", 6, {}},
        // byte mode and width
        TTextCase{"SPRJ;24;1;8;1,2,3$", 8, {1, 2, 3}}, TTextCase{"SPRJ;24;1;8;1,2,3$", 6, {}},
        TTextCase{"SPRJ;24;1;6;1,2,3,4$", 8, {}}, TTextCase{"SPRJ;12;1;8;1$", 8, {}},
        TTextCase{"SPRJ;16;1;6;1,2$", 6, {}}, TTextCase{"SPRJ;16;1;8;1,2$", 8, {1, 2}}));

struct TNumberCase {
  std::string Field;
  std::optional<std::int32_t> Expected;  // nothing: the field is no number
};

void PrintTo(const TNumberCase& c, std::ostream* os) { *os << "\"" << c.Field.substr(0, 24) << "\""; }

class ParseNumberFieldTest : public ::testing::TestWithParam<TNumberCase> {};

TEST_P(ParseNumberFieldTest, ReadsField) { EXPECT_EQ(ParseNumberField(GetParam().Field), GetParam().Expected); }

constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();

constexpr std::nullopt_t NoNumber = std::nullopt;

// -1 is a value like any other: "-1", "-$1" and the pattern FFFFFFFF read as it, an error as nothing.
INSTANTIATE_TEST_SUITE_P(
    Fields, ParseNumberFieldTest,
    ::testing::Values(
        TNumberCase{"0", 0}, TNumberCase{"010", 10}, TNumberCase{"-0", 0}, TNumberCase{"+5", 5}, TNumberCase{"-5", -5},
        TNumberCase{"-1", -1}, TNumberCase{" -1", -1}, TNumberCase{" 1", 1}, TNumberCase{"   -7", -7},
        TNumberCase{"1 ", NoNumber}, TNumberCase{"- 5", NoNumber}, TNumberCase{"\t5", NoNumber},
        TNumberCase{"+-5", NoNumber}, TNumberCase{"--5", NoNumber}, TNumberCase{"++5", NoNumber},
        TNumberCase{"", NoNumber}, TNumberCase{" ", NoNumber}, TNumberCase{"-", NoNumber}, TNumberCase{"+", NoNumber},
        TNumberCase{"1e3", NoNumber}, TNumberCase{"5\0"s, NoNumber},
        TNumberCase{"\0"s
                    "5",
                    NoNumber},
        TNumberCase{"1\0"s
                    "2",
                    NoNumber},
        // decimal range: the signed result must fit 32 bits
        TNumberCase{"2147483647", 2147483647}, TNumberCase{"2147483648", NoNumber}, TNumberCase{"-2147483648", Min32},
        TNumberCase{"-2147483649", NoNumber}, TNumberCase{"4294967295", NoNumber}, TNumberCase{"4294967296", NoNumber},
        TNumberCase{std::string(1000, '9'), NoNumber}, TNumberCase{"-" + std::string(1000, '9'), NoNumber},
        TNumberCase{std::string(999, '0') + "7", 7},
        // hex: any 32-bit pattern, then the sign negates it
        TNumberCase{"$1F", 31}, TNumberCase{"x1f", 31}, TNumberCase{"X1F", 31}, TNumberCase{"0x1F", 31},
        TNumberCase{"0X1F", 31}, TNumberCase{" -x1F", -31}, TNumberCase{"0xFFFFFFFE", -2},
        TNumberCase{"0xFFFFFFFF", -1}, TNumberCase{"$80000000", Min32}, TNumberCase{"-$FFFFFFFF", 1},
        TNumberCase{"-$2", -2}, TNumberCase{"-$1", -1}, TNumberCase{"-0x1", -1}, TNumberCase{"0x100000000", NoNumber},
        TNumberCase{"$" + std::string(1000, 'F'), NoNumber}, TNumberCase{"$" + std::string(1000, '0') + "1f", 31},
        TNumberCase{"0x", NoNumber}, TNumberCase{"$", NoNumber}, TNumberCase{"x", NoNumber},
        TNumberCase{"0x1G", NoNumber}, TNumberCase{"00x1F", NoNumber}, TNumberCase{"$+1", NoNumber},
        TNumberCase{"$-1", NoNumber}, TNumberCase{"$ 1", NoNumber}, TNumberCase{"0b1", NoNumber}));

TEST(PasteClipboardTextTest, RejectedTextChangesNoPixel) {
  TSpriteStore s;
  FillPattern(s, 2, false);
  const TPlane before = s.Plane(2, false);
  // Good up to the last value.
  for (const char* text : {"SPRJ;12;2;6;1,2,3,256$", "SPRJ;12;2;6;1,2,3$", "SPRJ;12;2;8;1,2,3,4$"}) {
    EXPECT_FALSE(PasteClipboardText(s, 2, false, text, 6)) << text;
    EXPECT_TRUE(s.Plane(2, false) == before) << text;
  }
  EXPECT_FALSE(PasteClipboardText(s, 128, false, "SPRJ;6;1;6;1$", 6)) << "frame outside the store";
  EXPECT_FALSE(PasteClipboardText(s, -1, false, "SPRJ;6;1;6;1$", 6));
}

TEST(PasteClipboardTextTest, WritesOnlyTheBlockAtTheTopLeft) {
  TSpriteStore s;
  for (auto& column : s.Plane(0, false)) column.fill(1);
  ASSERT_TRUE(PasteClipboardText(s, 0, false, "SPRJ;12;2;6;1,2,3,4$", 6));
  // 1, 2 / 3, 4: bit k of each value is pixel x + k.
  const int values[2][2] = {{1, 2}, {3, 4}};
  for (int x = 0; x < MaxSide; ++x) {
    for (int y = 0; y < MaxSide; ++y) {
      const int expected = x < 12 && y < 2 ? (values[y][x / 6] >> (x % 6)) & 1 : 1;
      ASSERT_EQ(s.Pixel(0, false, x, y), expected) << x << "," << y;
    }
  }
}

TEST(PasteClipboardTextTest, WideTextReachesThePlaneBeyondTheSpriteArea) {
  // The sprite area is 12 wide; the core knows no sprite size and writes all 24 columns.
  TSpriteStore s;
  ASSERT_TRUE(PasteClipboardText(s, 0, false, "SPRJ;24;1;6;0,0,1,32$", 6));
  EXPECT_EQ(s.Pixel(0, false, 12, 0), 1);
  EXPECT_EQ(s.Pixel(0, false, 23, 0), 1);
  EXPECT_EQ(s.Pixel(0, false, 11, 0), 0);
}

// Texts far longer than any valid one are turned away in time linear in their length.
TEST(ClipboardTextTest, LongTextsTakeLinearTime) {
  const std::string header = "SPRJ;240;240;6;";
  const std::size_t big = 50'000'000;

  std::string goesOn = header;
  goesOn.reserve(big + 16);
  while (goesOn.size() < big) goesOn += "63,";
  goesOn += '$';

  std::string oneField = header + std::string(big, '1') + "$";
  std::string noHeaderEnd = "SPRJ;" + std::string(big, '6') + "$";

  // Valid, yet several megabytes long: every value carries 500 leading spaces.
  std::string padded = header;
  for (int k = 0; k < 9600; ++k) padded += std::string(500, ' ') + "63,";
  padded.back() = '$';

  for (const std::string* text : {&goesOn, &oneField, &noHeaderEnd, &padded}) {
    const auto start = std::chrono::steady_clock::now();
    const auto plane = ParseClipboardText(*text, 6);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    // Erasing from the front per value would take hours here; a loaded machine or a
    // sanitizer build still stays far below this bound.
    EXPECT_LT(took.count(), 10.0) << text->size() << " characters";
    EXPECT_EQ(plane.has_value(), text == &padded) << text->size() << " characters";
    if (plane) {
      EXPECT_EQ(plane->Values.size(), 9600u);
    }
  }
}

}  // namespace
