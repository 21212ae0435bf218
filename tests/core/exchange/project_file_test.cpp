#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "codec/byte_codec.h"
#include "document/data_format.h"
#include "exchange/project_file.h"
#include "exchange/run_length.h"
#include "support/random_fill.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

void FillAll(TSpriteStore& s, std::uint8_t value) {
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true})
      for (auto& column : s.Plane(f, mask)) column.fill(value);
}

// Frame and plane of the first plane that differs, or an empty string.
std::string FirstDifference(const TSpriteStore& a, const TSpriteStore& b) {
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true})
      if (a.Plane(f, mask) != b.Plane(f, mask))
        return "frame " + std::to_string(f) + (mask ? " mask" : " sprite");
  return "";
}

std::uint32_t PackedLength(const TBytes& file) {
  return std::uint32_t(file[12]) | std::uint32_t(file[13]) << 8 | std::uint32_t(file[14]) << 16 |
         std::uint32_t(file[15]) << 24;
}

void SetPackedLength(TBytes& file, std::uint32_t p) {
  for (int i = 0; i < 4; ++i) file[12 + i] = std::uint8_t(p >> (8 * i));
}

// Length of the pixel stream once its trailing zero bytes are cut.
std::size_t CutLength(const TBytes& stream) {
  return std::size_t(stream.rend() - std::find_if(stream.rbegin(), stream.rend(), [](auto b) { return b != 0; }));
}

// Saves `source`, loads the file into `target` and checks that every pixel came back.
void ExpectReloads(const TSpriteStore& source, TSpriteStore& target, const TBytes& file) {
  const TProjectFile parsed = ParseProjectFile(file);
  ASSERT_EQ(parsed.Result, TProjectResult::Ok);
  EXPECT_FALSE(parsed.PreviousVersion);
  SpreadPixelStream(target, parsed.PixelStream, parsed.Header.PlaneSide, parsed.Header.FrameCapacity);
  EXPECT_EQ(FirstDifference(source, target), "");
}

TEST(ProjectHeaderTest, StartUpDocumentSavesAsSixteenBytes) {
  TSpriteStore blank;
  const TBytes file = BuildProjectFile(blank, TProjectHeader{});
  EXPECT_EQ(file, (TBytes{0x53, 0x50, 0x52, 0x4A, 0xF0, 0x80, 0x00, 0x80, 0x0C, 0x18, 0x01, 0x01, 0, 0, 0, 0}));

  // Loading the all-clear file clears whatever the store held.
  TSpriteStore dirty;
  FillAll(dirty, 1);
  ExpectReloads(blank, dirty, file);
}

TEST(ProjectHeaderTest, SettingsBytesAndTheirRoundTrip) {
  TProjectHeader h;
  h.ByteMode = bmClassic8;
  h.Order = doByColumnsZigZag;
  h.Masked = false;
  h.Arrangement = maDataLineFirst;
  h.AttrChoice = 3;
  h.Width = 16;
  h.Height = 200;
  h.FrameCount = 5;
  h.CurrentFrame = 2;
  TSpriteStore blank;
  const TBytes file = BuildProjectFile(blank, h);
  EXPECT_EQ(TBytes(file.begin() + 6, file.begin() + 12), (TBytes{0x31, 0x65, 0x10, 0xC8, 0x05, 0x02}));

  const TProjectFile parsed = ParseProjectFile(file);
  ASSERT_EQ(parsed.Result, TProjectResult::Ok);
  const TProjectHeader& g = parsed.Header;
  EXPECT_EQ(g.PlaneSide, 240);
  EXPECT_EQ(g.FrameCapacity, 128);
  EXPECT_EQ(g.ByteMode, bmClassic8);
  EXPECT_EQ(g.Order, doByColumnsZigZag);
  EXPECT_FALSE(g.Masked);
  EXPECT_EQ(g.Arrangement, maDataLineFirst);
  EXPECT_EQ(g.AttrChoice, 3);
  EXPECT_EQ(g.Width, 16);
  EXPECT_EQ(g.Height, 200);
  EXPECT_EQ(g.FrameCount, 5);
  EXPECT_EQ(g.CurrentFrame, 2);
}

TEST(PixelStreamTest, EveryByteIsTheEightPixelPackByte) {
  TSpriteStore s;
  FillRandom(s, 7);
  const TBytes stream = BuildPixelStream(s);
  ASSERT_EQ(stream.size(), std::size_t(PixelStreamSize));
  std::size_t i = 0, wrong = 0, firstWrong = 0;
  for (int f = 0; f < MaxFrames; ++f)
    for (bool mask : {false, true})
      for (int y = 0; y < MaxSide; ++y)
        for (int x = 0; x < MaxSide; x += 8, ++i)
          if (stream[i] != PackByte(s, mask, 8, f, x, y) && wrong++ == 0) firstWrong = i;
  EXPECT_EQ(wrong, 0u) << "first wrong byte at " << firstWrong;
}

TEST(ProjectRoundTripTest, RandomPixelsOfAllFramesAndBothPlanes) {
  TSpriteStore source;
  FillRandom(source, 11);
  TProjectHeader h;
  h.Masked = false;  // mask planes are saved all the same
  h.FrameCount = 3;
  const TBytes file = BuildProjectFile(source, h);

  TSpriteStore target;
  FillAll(target, 1);
  target.FCopyBuffer[5][6] = 1;
  ExpectReloads(source, target, file);
  EXPECT_EQ(target.FCopyBuffer[5][6], 1) << "the copy buffer is not part of the file";
}

TEST(ProjectRoundTripTest, AllSetDocumentIsOneFillByte) {
  TSpriteStore source;
  FillAll(source, 1);
  const TBytes file = BuildProjectFile(source, TProjectHeader{});
  ASSERT_EQ(file.size(), 17u);
  EXPECT_EQ(PackedLength(file), 1u);
  EXPECT_EQ(file[16], 0xFF);
  TSpriteStore target;
  ExpectReloads(source, target, file);
}

TEST(ProjectRoundTripTest, TrailingZeroBytesAreNotStored) {
  TSpriteStore source;
  source.SetPixel(0, false, 3, 0, 1);
  source.SetPixel(0, false, 239, 239, 1);  // the last byte of frame 0's sprite plane
  const TBytes file = BuildProjectFile(source, TProjectHeader{});
  const TBytes payload(file.begin() + 16, file.end());
  ASSERT_EQ(payload.size(), PackedLength(file));
  TBytes decoded(PixelStreamSize, 0);
  EXPECT_EQ(UnpackRuns(decoded, payload), 7200);
  TSpriteStore target;
  ExpectReloads(source, target, file);
}

// Loading clears the planes after the stream's last set byte instead of unpacking them; a
// store with every pixel set shows a plane left out or one cleared too early.
TEST(ProjectRoundTripTest, PlanesAroundTheLastDrawnPixelLoadIntoASetStore) {
  struct TLast {
    int Frame;
    bool Mask;
    int X, Y;
  };
  const TLast cases[] = {
      {0, false, 0, 0},      // only the first plane is drawn: every other plane is cleared
      {0, false, 239, 239},  // the last byte of a sprite plane, its mask plane follows
      {0, true, 0, 0},       // the first byte of a mask plane
      {5, true, 100, 17},
      {64, false, 7, 239},
      {127, true, 239, 239},  // the stream's last byte: nothing is left out
  };
  for (const TLast& c : cases) {
    TSpriteStore source;
    source.SetPixel(0, false, 1, 1, 1);
    source.SetPixel(c.Frame, c.Mask, c.X, c.Y, 1);
    TSpriteStore target;
    FillAll(target, 1);
    SCOPED_TRACE("last pixel in frame " + std::to_string(c.Frame) + (c.Mask ? " mask" : " sprite"));
    ExpectReloads(source, target, BuildProjectFile(source, TProjectHeader{}));
  }
}

// A pixel stream cut to k < 1,843,200 bytes that packs to the one-byte form or to a plain
// copy would read back as a fill or as plain bytes; the writer must store a form the
// reader recovers exactly, without falling back to the whole stream when k is small.
struct TWriterCase {
  std::string Name;
  std::function<void(TSpriteStore&)> Draw;
  std::size_t MaxPacked;
};

void PrintTo(const TWriterCase& c, std::ostream* os) { *os << c.Name; }

class ProjectWriterTest : public ::testing::TestWithParam<TWriterCase> {};

TEST_P(ProjectWriterTest, CutStreamThatPacksToAWholeBufferForm) {
  TSpriteStore source;
  GetParam().Draw(source);
  const TBytes stream = BuildPixelStream(source);
  const std::size_t k = CutLength(stream);
  ASSERT_LT(k, std::size_t(PixelStreamSize));
  TBytes scratch(k);
  const int plain = PackRuns(scratch, std::span(stream).first(k));
  ASSERT_TRUE(plain == 1 || std::size_t(plain) == k) << "the case must hit a whole-buffer form";

  const TBytes file = BuildProjectFile(source, TProjectHeader{});
  const std::uint32_t p = PackedLength(file);
  EXPECT_EQ(file.size(), 16u + p);
  EXPECT_LE(p, GetParam().MaxPacked);
  TSpriteStore target;
  FillAll(target, 1);
  ExpectReloads(source, target, file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectWriterTest,
    ::testing::Values(
        TWriterCase{"OneByte", [](TSpriteStore& s) { s.SetPixel(0, false, 0, 0, 1); }, 15},
        TWriterCase{"EqualBytes",
                    [](TSpriteStore& s) {
                      for (auto& column : s.Plane(0, false)) column.fill(1);
                    },
                    200},
        TWriterCase{"IncompressibleRows",
                    [](TSpriteStore& s) {
                      std::mt19937_64 rng(3);
                      for (int x = 0; x < MaxSide; ++x)
                        for (int y = 0; y < 3; ++y) s.SetPixel(0, false, x, y, std::uint8_t(rng() & 1));
                      s.SetPixel(0, false, 239, 2, 1);
                    },
                    90 + 4},
        TWriterCase{"IncompressiblePlane",
                    [](TSpriteStore& s) {
                      FillRandom(s, 5, 1);
                      s.Plane(0, true) = TPlane{};
                      s.SetPixel(0, false, 239, 239, 1);
                    },
                    7200 + 57 + 4},
        // Nearly the whole stream is incompressible: it is stored as the plain stream.
        TWriterCase{"IncompressibleNearlyFull",
                    [](TSpriteStore& s) {
                      FillRandom(s, 9);
                      s.Plane(127, true) = TPlane{};
                      s.SetPixel(127, false, 239, 239, 1);
                    },
                    PixelStreamSize}),
    [](const ::testing::TestParamInfo<TWriterCase>& info) { return info.param.Name; });

struct THeaderCase {
  std::string Name;
  std::function<void(TBytes&)> Change;
  TProjectResult Expected;
};

void PrintTo(const THeaderCase& c, std::ostream* os) { *os << c.Name; }

class ProjectParseTest : public ::testing::TestWithParam<THeaderCase> {};

TEST_P(ProjectParseTest, ChecksInLoaderOrder) {
  TSpriteStore blank;
  TBytes file = BuildProjectFile(blank, TProjectHeader{});
  GetParam().Change(file);
  const TProjectFile parsed = ParseProjectFile(file);
  EXPECT_EQ(parsed.Result, GetParam().Expected);
  if (parsed.Result == TProjectResult::Ok) {
    EXPECT_EQ(parsed.PixelStream.size(), std::size_t(PixelStreamSize));
  }
}

auto SetByte(std::size_t at, std::uint8_t v) {
  return [=](TBytes& f) { f[at] = v; };
}
auto SetBytes(std::vector<std::pair<std::size_t, std::uint8_t>> changes) {
  return [=](TBytes& f) {
    for (auto [at, v] : changes) f[at] = v;
  };
}
auto Resize(std::size_t n) {
  return [=](TBytes& f) { f.resize(n); };
}

using R = TProjectResult;

INSTANTIATE_TEST_SUITE_P(
    Limits, ProjectParseTest,
    ::testing::Values(
        THeaderCase{"LongestFilePasses", Resize(ProjectFileMaxSize), R::Ok},
        THeaderCase{"OneByteTooLong", Resize(ProjectFileMaxSize + 1), R::UnexpectedLength},
        THeaderCase{"LowerCaseMagic", SetBytes({{0, 's'}, {1, 'p'}, {2, 'r'}, {3, 'j'}}), R::UnknownHeader},
        THeaderCase{"Height200", SetByte(9, 200), R::Ok},
        THeaderCase{"Width240", SetByte(8, 240), R::Ok},
        THeaderCase{"Width241", SetByte(8, 241), R::NotCompatible},
        THeaderCase{"PlaneSide241", SetByte(4, 241), R::NotCompatible},
        THeaderCase{"Capacity129", SetByte(5, 129), R::NotCompatible},
        THeaderCase{"HeightLimitIsPlaneSide", SetBytes({{5, 100}, {9, 200}}), R::Ok},
        THeaderCase{"HeightAboveSmallPlaneSide", SetBytes({{4, 128}, {9, 129}}), R::NotCompatible},
        THeaderCase{"Frames128", SetBytes({{10, 128}, {11, 128}}), R::Ok},
        THeaderCase{"Frames129", SetByte(10, 129), R::NotCompatible},
        THeaderCase{"CurrentAboveCount", SetBytes({{10, 4}, {11, 5}}), R::NotCompatible},
        THeaderCase{"CurrentEqualsCount", SetBytes({{10, 4}, {11, 4}}), R::Ok},
        THeaderCase{"NoFramesNoCurrent", SetBytes({{10, 0}, {11, 0}}), R::Ok},
        THeaderCase{"LastModeAndOrder", SetByte(6, 0x31), R::Ok},
        THeaderCase{"ModeOutOfRange", SetByte(6, 0x02), R::NotCompatible},
        THeaderCase{"OrderOutOfRange", SetByte(6, 0x40), R::NotCompatible},
        THeaderCase{"LastArrangement", SetByte(7, 0xE5), R::Ok},
        THeaderCase{"ArrangementOutOfRange", SetByte(7, 0x86), R::NotCompatible},
        THeaderCase{"PackedLengthPastEnd", [](TBytes& f) { SetPackedLength(f, 10); }, R::UnexpectedLength},
        THeaderCase{"PackedLengthAtEnd",
                    [](TBytes& f) {
                      f.insert(f.end(), {0x07, 0x00, 0x80, 0x01});
                      SetPackedLength(f, 4);
                    },
                    R::Ok},
        THeaderCase{"PackedLengthOverStream",
                    [](TBytes& f) {
                      f.resize(ProjectFileMaxSize);
                      SetPackedLength(f, PixelStreamSize + 1);
                    },
                    R::UnexpectedLength},
        THeaderCase{"PackedLength7FFFFFFF",
                    [](TBytes& f) {
                      f.resize(ProjectFileMaxSize);
                      SetPackedLength(f, 0x7FFFFFFF);
                    },
                    R::UnexpectedLength},
        THeaderCase{"PackedLengthFFFFFFFF",
                    [](TBytes& f) {
                      f.resize(ProjectFileMaxSize);
                      SetPackedLength(f, 0xFFFFFFFF);
                    },
                    R::UnexpectedLength},
        // Which message wins when several checks fail.
        THeaderCase{"ShortFileWithoutMagic", [](TBytes& f) { f = TBytes{'h', 'e', 'l', 'l', 'o'}; },
                    R::UnexpectedLength},
        THeaderCase{"BadMagicBeforePackedLength",
                    [](TBytes& f) {
                      f[0] = 'R';
                      SetPackedLength(f, 0xFFFFFFFF);
                    },
                    R::UnknownHeader},
        THeaderCase{"LimitsBeforePackedLength",
                    [](TBytes& f) {
                      f[4] = 241;
                      SetPackedLength(f, 0xFFFFFFFF);
                    },
                    R::NotCompatible},
        THeaderCase{"LengthBeforeMagic",
                    [](TBytes& f) {
                      f.resize(ProjectFileMaxSize + 1);
                      f[0] = 'R';
                    },
                    R::UnexpectedLength}),
    [](const ::testing::TestParamInfo<THeaderCase>& info) { return info.param.Name; });

TEST(ProjectParseShortTest, FilesShorterThanTheHeader) {
  TSpriteStore blank;
  const TBytes file = BuildProjectFile(blank, TProjectHeader{});
  for (std::size_t n = 0; n < 16; ++n)
    EXPECT_EQ(ParseProjectFile(std::span(file).first(n)).Result, TProjectResult::UnexpectedLength) << n;
}

// The payload decoded against the whole stream: the stream is `Head` followed by `Rest`
// repeated to PixelStreamSize bytes. The stream buffer starts full of 0xAA, so a byte the
// decoder leaves unwritten shows.
struct TDecodeCase {
  std::string Name;
  TBytes Payload;
  std::uint32_t PackedLength;
  bool Accepted;  // whether CheckProjectFile passes the file
  TBytes Head;
  std::uint8_t Rest;
};

void PrintTo(const TDecodeCase& c, std::ostream* os) { *os << c.Name; }

class DecodePixelStreamTest : public ::testing::TestWithParam<TDecodeCase> {};

TEST_P(DecodePixelStreamTest, StreamIsTheDecodedBytesThenZeros) {
  const TDecodeCase& c = GetParam();
  TSpriteStore blank;
  TBytes file = BuildProjectFile(blank, TProjectHeader{});
  ASSERT_EQ(file.size(), std::size_t(ProjectHeaderSize));
  SetPackedLength(file, c.PackedLength);
  file.insert(file.end(), c.Payload.begin(), c.Payload.end());

  TBytes expected(PixelStreamSize, c.Rest);
  ASSERT_LE(c.Head.size(), expected.size());
  std::copy(c.Head.begin(), c.Head.end(), expected.begin());
  auto firstWrong = [&](const TBytes& stream) {
    return std::mismatch(stream.begin(), stream.end(), expected.begin()).first - stream.begin();
  };

  TProjectHeader header;
  header.PackedLength = c.PackedLength;
  TBytes stream(PixelStreamSize, 0xAA);
  DecodePixelStream(file, header, std::span<std::uint8_t, PixelStreamSize>(stream));
  EXPECT_EQ(firstWrong(stream), PixelStreamSize) << "first wrong byte";

  const TProjectFile parsed = ParseProjectFile(file);
  EXPECT_EQ(parsed.Result == TProjectResult::Ok, c.Accepted);
  if (parsed.Result == TProjectResult::Ok) {
    EXPECT_EQ(firstWrong(parsed.PixelStream), PixelStreamSize) << "loader";
  }
}

// Bytes that read as tokens if they were not taken as they are.
TBytes PlainPayload(std::size_t n) {
  TBytes bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = std::uint8_t(i * 7 % 251);
  return bytes;
}

// Literal 1, 2, then 130-byte repeats of 0x33 past the stream's end, then one more token.
TBytes TokensPastTheStream() {
  TBytes tokens{0x81, 1, 2};
  for (std::size_t made = 2; made < std::size_t(PixelStreamSize); made += 130) tokens.insert(tokens.end(), {127, 0x33});
  tokens.insert(tokens.end(), {0x80, 0x44});
  return tokens;
}

INSTANTIATE_TEST_SUITE_P(
    Results, DecodePixelStreamTest,
    ::testing::Values(
        TDecodeCase{"EmptyPayload", {}, 0, true, {}, 0},
        TDecodeCase{"OneByteFill", {0x5A}, 1, true, {}, 0x5A},
        TDecodeCase{"Plain", PlainPayload(PixelStreamSize), PixelStreamSize, true, PlainPayload(PixelStreamSize), 0},
        TDecodeCase{"ShortTokens", {0x02, 7, 0x81, 1, 2}, 5, true, {7, 7, 7, 7, 7, 1, 2}, 0},
        TDecodeCase{"LiteralCutOff", {0x85, 1, 2}, 3, true, {1, 2}, 0},
        TDecodeCase{"RepeatWithoutItsByte", {0x81, 1, 2, 0x05}, 4, true, {1, 2}, 0},
        TDecodeCase{"TokensPastTheStreamAreCut", TokensPastTheStream(), std::uint32_t(TokensPastTheStream().size()),
                    true, {1, 2}, 0x33},
        // Only a caller that skips the checks gets these: neither has a usable payload.
        TDecodeCase{"LongerThanTheStream", TBytes(PixelStreamSize + 1, 0x77), PixelStreamSize + 1, false, {}, 0},
        TDecodeCase{"PackedLengthPastTheBytes", {0x02, 7}, 3, false, {}, 0}),
    [](const ::testing::TestParamInfo<TDecodeCase>& info) { return info.param.Name; });

TEST(ProjectResultTextTest, MessagesOfRefusedFiles) {
  EXPECT_STREQ(ProjectResultText(TProjectResult::UnexpectedLength), "File has unexpected length!");
  EXPECT_STREQ(ProjectResultText(TProjectResult::UnknownHeader),
               "Unknown file header!\nThis is not an `Deduzu Sprite Project` file!");
  EXPECT_STREQ(ProjectResultText(TProjectResult::NotCompatible),
               "This `Deduzu Sprite Project` file is not compatible with this version!\n"
               "Some of parameters exceed limits...");
}

// A file of an earlier version: C frames of S x S pixels, ceil(S / 8) bytes a row.
struct TPreviousCase {
  int Side, Capacity;
};

void PrintTo(const TPreviousCase& c, std::ostream* os) { *os << "side " << c.Side << ", capacity " << c.Capacity; }

class PreviousVersionTest : public ::testing::TestWithParam<TPreviousCase> {};

TEST_P(PreviousVersionTest, ReadsOnlyItsFramesIntoAClearedStore) {
  const auto [side, capacity] = GetParam();
  const std::size_t rowBytes = std::size_t(side + 7) / 8;
  const std::size_t used = std::size_t(capacity) * 2 * std::size_t(side) * rowBytes;

  // Random bytes for the file's own frames; after them bytes that must never be read.
  std::mt19937_64 rng(side * 1000 + capacity);
  TBytes stream(PixelStreamSize, 0);
  for (std::size_t i = 0; i < used; ++i) stream[i] = std::uint8_t(rng());
  std::fill(stream.begin() + std::ptrdiff_t(used), stream.begin() + std::ptrdiff_t(used) + 5000, 0xFF);

  TBytes file(ProjectFileMaxSize);
  const std::uint8_t header[12] = {'S', 'P', 'R', 'J', std::uint8_t(side), std::uint8_t(capacity), 0, 0x80,
                                   std::uint8_t(side / 8 * 6), std::uint8_t(side), std::uint8_t(capacity), 1};
  std::copy(std::begin(header), std::end(header), file.begin());
  const int p = PackRuns(std::span(file).subspan(16), stream);
  SetPackedLength(file, std::uint32_t(p));
  file.resize(16 + std::size_t(p));

  const TProjectFile parsed = ParseProjectFile(file);
  ASSERT_EQ(parsed.Result, TProjectResult::Ok);
  EXPECT_TRUE(parsed.PreviousVersion);

  TSpriteStore expected;
  std::size_t i = 0;
  for (int f = 0; f < capacity; ++f)
    for (bool mask : {false, true})
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; x += 8) UnpackByte(expected, mask, 8, f, x, y, stream[i++]);

  TSpriteStore target;
  FillAll(target, 1);  // the former document
  target.FCopyBuffer[0][0] = 1;
  SpreadPixelStream(target, parsed.PixelStream, parsed.Header.PlaneSide, parsed.Header.FrameCapacity);
  EXPECT_EQ(FirstDifference(expected, target), "");
  EXPECT_EQ(target.FCopyBuffer[0][0], 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PreviousVersionTest,
                         ::testing::Values(TPreviousCase{128, 64}, TPreviousCase{100, 3}, TPreviousCase{240, 20},
                                           TPreviousCase{16, 128}),
                         [](const ::testing::TestParamInfo<TPreviousCase>& info) {
                           return "Side" + std::to_string(info.param.Side) + "Capacity" +
                                  std::to_string(info.param.Capacity);
                         });

}  // namespace
