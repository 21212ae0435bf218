// `import` against the window's Import and Import image: the project file the program writes is
// the one the window would save after the same import.
#include <gtest/gtest.h>

#include <random>

#include "cli_fixture.h"
#include "cli_process.h"
#include "exchange/raw_layout.h"
#include "image/png_export.h"
#include "image/png_import.h"

namespace {

class CliImport : public TCliFixture {};

std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = std::uint8_t(rng());
  return bytes;
}

// The window's Import: the settings as set, the frames read, at least one frame.
std::vector<std::uint8_t> WindowImport(const TDocumentSettings& settings, std::span<const std::uint8_t> raw) {
  auto document = std::make_unique<TSpriteDocument>();
  document->Settings = settings;
  TDocumentSettings& s = document->Settings;
  s.FrameCount = std::max(1, ImportFrames(document->Store, s.Format, s.Width, s.Height, raw));
  s.CurrentFrame = 0;
  return BuildDocumentFile(*document);
}

TEST_F(CliImport, RawDataMakesTheWindowsProject) {
  struct TCase {
    std::vector<std::string> Args;
    TDocumentSettings Settings;
    std::size_t Size;
  };
  TDocumentSettings plain;  // the defaults: 6-bit, rows, masked, 12 x 24
  TDocumentSettings eight = plain;
  eight.Format = {bmClassic8, doByColumnsZigZag, false, maMaskByteFirst, 0};
  eight.Width = 16;
  eight.Height = 7;
  TDocumentSettings six = plain;
  six.Format = {bm6BitReversed, doByRowsZigZag, true, maDataLineFirst, 3};
  six.Width = 18;
  six.Height = 3;
  const TCase cases[] = {
      {{}, plain, 96 * 2},
      {{}, plain, 0},  // nothing to read: one clear frame
      {{"--mode", "8", "--order", "columns-zigzag", "--mask", "off", "--width", "16", "--height", "7"}, eight, 14 * 5 + 3},
      {{"--order", "rows-zigzag", "--mask", "data-line-first", "--attr", "3", "--width", "18", "--height", "3"}, six,
       18 * 3},
  };
  int seed = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << seed);
    const auto raw = RandomBytes(c.Size, std::uint32_t(++seed));
    WriteBytes(Path("in.raw"), raw);
    std::vector<std::string> args{"import", Path("in.raw"), "-o", Path("out.sprite")};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const TProcessRun run = RunSprite(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err + run.Out, "");
    EXPECT_EQ(ReadBytes(Path("out.sprite")), WindowImport(c.Settings, raw));
  }
}

TEST_F(CliImport, RawRoundTripsThroughAProject) {
  const auto raw = RandomBytes(3 * 2 * 5 * 9, 11);  // 3 frames of 30 x 9, 8-bit, masked
  const TProcessRun in = RunSprite({"import", "-", "-o", "-", "--mode", "8", "--width", "40", "--height", "9",
                                    "--mask", "whole-mask-first"},
                                   AsText(raw));
  ASSERT_EQ(in.Status, 0) << in.Err;
  const TProcessRun out = RunSprite({"export", "-", "-o", "-", "--format", "raw"}, in.Out);
  ASSERT_EQ(out.Status, 0) << out.Err;
  EXPECT_EQ(AsBytes(out.Out), raw);
  const TProcessRun info = RunSprite({"info", "-", "--json"}, in.Out);
  EXPECT_NE(info.Out.find("\"frames\":3,"), std::string::npos) << info.Out;
}

TEST_F(CliImport, RawOfAnUnacceptedLengthIsRefused) {
  // One byte more than 128 frames of 240 x 240 in 8-bit bytes without a mask.
  WriteBytes(Path("big.raw"), std::vector<std::uint8_t>(ImportLengthLimit(bmClassic8, false) + 1));
  WriteBytes(Path("out.sprite"), AsBytes("old"));
  const TProcessRun run =
      RunSprite({"import", Path("big.raw"), "-o", Path("out.sprite"), "--mode", "8", "--mask", "off"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, Path("big.raw") + ": File has unexpected length!\n");
  EXPECT_EQ(AsText(ReadBytes(Path("out.sprite"))), "old");
  // The same length is accepted with a mask.
  const TProcessRun masked = RunSprite({"import", Path("big.raw"), "-o", Path("out.sprite"), "--mode", "8"});
  EXPECT_EQ(masked.Status, 0) << masked.Err;
}

TEST_F(CliImport, APngMakesTheWindowsProject) {
  TDocumentSettings settings;
  settings.Width = 24;
  settings.Format.ByteMode = bmClassic8;
  settings.Height = 11;
  settings.FrameCount = 5;
  auto source = RandomDocument(settings, 3);
  TPngExportOptions sheet;
  sheet.Sheet = {3, 2};
  WriteBytes(Path("ship.png"), ExportPng(*source, sheet).Files.at(0));
  struct TCase {
    std::vector<std::string> Args;
    TPngImportOptions Options;
    TByteMode Mode;
  };
  const TCase cases[] = {
      {{"--layout", "planes", "--cell", "48x11", "--spacing", "2", "--mode", "8"},
       {TImageLayout::Planes, 48, 11, 2, false}, bmClassic8},
      // 20 pixels of each plane: the width rounds up to 24.
      {{"--layout", "planes", "--cell", "40x11", "--spacing", "2"}, {TImageLayout::Planes, 40, 11, 2, false},
       bm6BitReversed},
      {{"--cell", "20x11", "--spacing", "2", "--ink", "dark"}, {TImageLayout::Alpha, 20, 11, 2, true}, bm6BitReversed},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Args[3]);
    std::vector<std::string> args{"import", Path("ship.png"), "-o", Path("out.sprite")};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const TProcessRun run = RunSprite(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    auto expected = std::make_unique<TSpriteDocument>();
    expected->Settings.Format.ByteMode = c.Mode;
    expected->Settings = Normalized(expected->Settings);
    ASSERT_TRUE(ImportPng(ReadBytes(Path("ship.png")), c.Options, *expected).Ok);
    EXPECT_EQ(ReadBytes(Path("out.sprite")), BuildDocumentFile(*expected));
  }
}

}  // namespace
