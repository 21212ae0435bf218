// `export` against the window's own export functions: the same document, the same settings,
// the same bytes.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_fixture.h"
#include "cli_process.h"
#include "exchange/raw_layout.h"
#include "exchange/source_text.h"
#include "image/gif_export.h"
#include "image/png_export.h"
#include "image/png_import.h"

namespace {

const char* const OrderNames[] = {"rows", "columns", "rows-zigzag", "columns-zigzag"};
const char* const MaskNames[] = {"mask-byte-first",  "data-byte-first", "whole-mask-first",
                                 "whole-data-first", "mask-line-first", "data-line-first"};

// 30 pixels wide: a 6-pixel width that 8-pixel bytes lower to 24.
TDocumentSettings SmallSettings() {
  TDocumentSettings s;
  s.Width = 30;
  s.Height = 5;
  s.FrameCount = 3;
  s.CurrentFrame = 1;
  return s;
}

class CliExport : public TCliFixture {
 protected:
  void SetUp() override {
    TCliFixture::SetUp();
    Document = RandomDocument(SmallSettings(), 7);
    Project = SaveProject(*Document);
  }

  // Runs export to `out` and gives the file's bytes; the run must succeed silently.
  std::vector<std::uint8_t> Export(std::vector<std::string> args, const std::string& out = "out.bin") {
    args.insert(args.begin(), {"export", Project, "-o", Path(out)});
    const TProcessRun run = RunSprite(args);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, "");
    return ReadBytes(Path(out));
  }

  std::unique_ptr<TSpriteDocument> Document;
  std::string Project;
};

// All 28 layouts in both byte modes, each through the overrides; the width follows the byte
// mode as the settings panel lowers it.
TEST_F(CliExport, EveryRawLayoutInBothModesIsTheWindowsExport) {
  for (int mode : {6, 8})
    for (int order = 0; order < 4; ++order)
      for (int mask = -1; mask < 6; ++mask) {
        TDataFormat format;
        format.ByteMode = mode == 8 ? bmClassic8 : bm6BitReversed;
        format.Order = TDataOrder(order);
        format.Masked = mask >= 0;
        format.Arrangement = mask >= 0 ? TMaskArrangement(mask) : Document->Settings.Format.Arrangement;
        format.AttrChoice = 2;
        const int width = std::max(BitsPerByte(format.ByteMode), 30 / BitsPerByte(format.ByteMode) * BitsPerByte(format.ByteMode));
        SCOPED_TRACE(testing::Message() << "mode " << mode << " order " << order << " mask " << mask);
        const auto bytes = Export({"--mode", std::to_string(mode), "--order", OrderNames[order], "--mask",
                                   mask < 0 ? "off" : MaskNames[mask], "--attr", "2"});
        const auto expected = ExportFrames(Document->Store, format, width, 5, 3);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(bytes, expected);
      }
}

TEST_F(CliExport, WithoutOverridesTheFilesOwnSettingsApply) {
  TDocumentSettings s = SmallSettings();
  s.Width = 16;
  s.Format = {bmClassic8, doByColumnsZigZag, true, maWholeDataFirst, 1};
  Document->Settings = s;
  Project = SaveProject(*Document);
  EXPECT_EQ(Export({}), ExportFrames(Document->Store, s.Format, 16, 5, 3));
  // An override of one setting keeps the others.
  s.Format.Order = doByRows;
  EXPECT_EQ(Export({"--order", "rows"}), ExportFrames(Document->Store, s.Format, 16, 5, 3));
}

TEST_F(CliExport, SizeOverridesSetTheAreaAsThePanelDoes) {
  struct TCase {
    std::vector<std::string> Args;
    TByteMode Mode;
    int Width, Height;
  };
  const TCase cases[] = {
      {{"--height", "9"}, bm6BitReversed, 30, 9},
      {{"--width", "42"}, bm6BitReversed, 42, 5},   // hidden columns come in
      {{"--mode", "8", "--width", "40", "--height", "240"}, bmClassic8, 40, 240},
      {{"--mode", "8"}, bmClassic8, 24, 5},         // lowered to whole bytes
      {{"--width", "6"}, bm6BitReversed, 6, 5},
      {{"--width", "240", "--height", "1"}, bm6BitReversed, 240, 1},
  };
  for (const TCase& c : cases) {
    TDataFormat format = Document->Settings.Format;
    format.ByteMode = c.Mode;
    SCOPED_TRACE(c.Args.front() + " " + c.Args[1]);
    EXPECT_EQ(Export(c.Args), ExportFrames(Document->Store, format, c.Width, c.Height, 3));
  }
}

TEST_F(CliExport, FrameRangesAreSlicesOfTheWholeExport) {
  const TDataFormat& format = Document->Settings.Format;
  const auto all = ExportFrames(Document->Store, format, 30, 5, 3);
  const std::size_t block = std::size_t(FrameBlockSize(format, 30, 5));
  struct TCase {
    const char* Frames;
    int First, Count;  // 0-based first frame
  };
  for (const TCase c : {TCase{"1-3", 0, 3}, {"2-3", 1, 2}, {"2", 1, 1}, {"3", 2, 1}, {"1-1", 0, 1}}) {
    SCOPED_TRACE(c.Frames);
    const std::vector<std::uint8_t> expected(all.begin() + std::ptrdiff_t(block * c.First),
                                             all.begin() + std::ptrdiff_t(block * (c.First + c.Count)));
    EXPECT_EQ(Export({"--frames", c.Frames}), expected);
  }
  // A range shifts the frames of the source text too: its first frame is the range's first.
  TSourceOptions source;
  source.Dialect = TSourceDialect::Ca65;
  source.Label = "ship";
  auto second = RandomDocument(SmallSettings(), 7);
  second->Store.Plane(0, false) = second->Store.Plane(2, false);
  second->Store.Plane(0, true) = second->Store.Plane(2, true);
  second->Settings.FrameCount = 1;
  EXPECT_EQ(AsText(Export({"--frames", "3", "--format", "ca65", "--label", "ship"}, "out.s")),
            ExportSourceText(*second, source));
}

TEST_F(CliExport, BadOverridesAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"--frames", "0"},     {"--frames", "0-2"},  {"--frames", "3-2"},    {"--frames", "2-4"},
      {"--frames", "4"},     {"--frames", "x"},    {"--frames", "2-"},     {"--frames", "-2"},
      {"--mode", "8", "--width", "12"},            {"--width", "32"},      {"--width", "246"},
      {"--height", "0"},     {"--height", "241"},  {"--mode", "7"},        {"--order", "diagonal"},
      {"--mask", "on"},      {"--attr", "4"},      {"--format", "svg"},    {"--per-line", "0"},
      {"--radix", "oct"},    {"--ink", "fff"},     {"--scale", "9"},       {"--cell", "24"},
  };
  for (const auto& extra : cases) {
    std::vector<std::string> args{"export", Project, "-o", Path("out.bin")};
    args.insert(args.end(), extra.begin(), extra.end());
    const TProcessRun run = RunSprite(args);
    SCOPED_TRACE(extra.front() + " " + extra.back());
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("Usage: deduzu-sprite export"), std::string::npos) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(Path("out.bin")));
  }
}

TEST_F(CliExport, EverySourceDialectIsTheWindowsText) {
  for (TSourceDialect dialect : AllDialects) {
    TSourceOptions options;
    options.Dialect = dialect;
    options.Label = "ship";
    options.ValuesPerLine = 7;
    options.Base = TNumberBase::Decimal;
    options.BasicFirstLine = 200;
    options.BasicStep = 5;
    SCOPED_TRACE(DialectName(dialect));
    EXPECT_EQ(AsText(Export({"--format", DialectName(dialect), "--label", "ship", "--per-line", "7", "--radix", "dec",
                             "--basic-line", "200", "--basic-step", "5"},
                            "out.txt")),
              ExportSourceText(*Document, options));
  }
  // Binary numbers, frame labels and no comments.
  TSourceOptions options;
  options.Dialect = TSourceDialect::Acme;
  options.Label = "ship";
  options.Base = TNumberBase::Binary;
  options.FrameLabels = true;
  options.HeaderComment = options.FrameComments = false;
  EXPECT_EQ(AsText(Export({"--format", "acme", "--label", "ship", "--radix", "bin", "--frame-labels", "--no-comments"},
                          "out.a")),
            ExportSourceText(*Document, options));
}

// Without --format the extension decides; without --label the output's name gives the label,
// as the window does with an empty label.
TEST_F(CliExport, TheExtensionChoosesTheFormat) {
  struct TCase {
    const char* Name;
    std::optional<TSourceDialect> Dialect;  // nothing: raw
  };
  for (const TCase c : {TCase{"enemy.bin", {}}, {"ENEMY.DAT", {}}, {"enemy-2.c", TSourceDialect::C},
                        {"enemy.h", TSourceDialect::C}, {"enemy.bas", TSourceDialect::Basic}}) {
    SCOPED_TRACE(c.Name);
    const auto bytes = Export({}, c.Name);
    if (!c.Dialect) {
      EXPECT_EQ(bytes, ExportFrames(Document->Store, Document->Settings.Format, 30, 5, 3));
      continue;
    }
    TSourceOptions options;
    options.Dialect = *c.Dialect;
    options.Label = LabelFromFileName(Path(c.Name));
    EXPECT_EQ(AsText(bytes), ExportSourceText(*Document, options));
  }
  TPngExportOptions png;
  EXPECT_EQ(Export({}, "sheet.png"), ExportPng(*Document, png).Files.at(0));
  EXPECT_EQ(Export({}, "anim.GIF"), ExportGif(*Document, TGifOptions{}).File);

  for (const char* name : {"ship.s", "ship", "ship.sprite", "-"}) {
    const TProcessRun run = RunSprite({"export", Project, "-o", name}, {}, Dir.string());
    SCOPED_TRACE(name);
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("give --format"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
  }
}

TEST_F(CliExport, ImagesAreTheWindowsImages) {
  TPngExportOptions png;
  png.Layout = TImageLayout::Alpha;
  png.Sheet = {2, 3};
  png.Ink = 0x12AB34;
  EXPECT_EQ(Export({"--format", "png", "--layout", "alpha", "--columns", "2", "--spacing", "3", "--ink", "12ab34"},
                   "out.img"),
            ExportPng(*Document, png).Files.at(0));
  png = {};
  png.Sheet = {1, 0};
  EXPECT_EQ(Export({"--columns", "1", "--mode", "8", "--frames", "2-3"}, "out.png"), [&] {
    auto second = RandomDocument(SmallSettings(), 7);
    for (int f = 0; f < 2; ++f)
      for (bool mask : {false, true}) second->Store.Plane(f, mask) = second->Store.Plane(f + 1, mask);
    second->Settings.FrameCount = 2;
    second->Settings.Format.ByteMode = bmClassic8;
    second->Settings.Width = 24;
    return ExportPng(*second, png).Files.at(0);
  }());

  TGifOptions gif;
  gif.DelayCentiseconds = 25;
  gif.Scale = 3;
  gif.Background = 0x102030;
  gif.Ink = 0xFFEE00;
  EXPECT_EQ(Export({"--delay", "25", "--scale", "3", "--background", "#102030", "--ink", "FFEE00"}, "out.gif"),
            ExportGif(*Document, gif).File);
}

// A PNG input goes straight to bytes: the window's Import image, then its export.
TEST_F(CliExport, APngInputIsReadAsTheWindowImportsIt) {
  TPngExportOptions sheet;
  sheet.Layout = TImageLayout::Alpha;
  sheet.Sheet = {2, 1};
  WriteBytes(Path("sheet.data"), ExportPng(*Document, sheet).Files.at(0));  // the name says nothing
  struct TCase {
    std::vector<std::string> Args;
    TPngImportOptions Options;
    TDataFormat Format;
  };
  TDataFormat eight;
  eight.ByteMode = bmClassic8;
  eight.Masked = false;
  const TCase cases[] = {
      {{"--cell", "30x5", "--in-spacing", "1"}, {TImageLayout::Alpha, 30, 5, 1, false}, TDataFormat{}},
      {{"--cell", "30x5", "--in-spacing", "1", "--mode", "8", "--mask", "off"},
       {TImageLayout::Alpha, 30, 5, 1, false}, eight},
      {{"--cell", "30x5", "--in-spacing", "1", "--in-ink", "dark", "--order", "columns"},
       {TImageLayout::Alpha, 30, 5, 1, true}, TDataFormat{bm6BitReversed, doByColumns}},
      {{"--in-layout", "alpha"}, {TImageLayout::Alpha, 0, 0, 0, false}, TDataFormat{}},  // one frame
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Args.back());
    std::vector<std::string> args{"export", Path("sheet.data"), "-o", Path("out.bin")};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const TProcessRun run = RunSprite(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    auto expected = std::make_unique<TSpriteDocument>();
    expected->Settings.Format = c.Format;
    ASSERT_TRUE(ImportPng(ReadBytes(Path("sheet.data")), c.Options, *expected).Ok);
    const TDocumentSettings& s = expected->Settings;
    EXPECT_EQ(ReadBytes(Path("out.bin")), ExportFrames(expected->Store, s.Format, s.Width, s.Height, s.FrameCount));
  }
  // A damaged image is refused with the image reader's reason.
  auto png = ReadBytes(Path("sheet.data"));
  png.resize(40);
  WriteBytes(Path("broken.png"), png);
  const TProcessRun run = RunSprite({"export", Path("broken.png"), "-o", Path("out.raw"), "--format", "raw"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err.rfind(Path("broken.png") + ": ", 0), 0u) << run.Err;
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1);
  EXPECT_FALSE(std::filesystem::exists(Path("out.raw")));
}

TEST_F(CliExport, StandardInputAndOutput) {
  const auto project = ReadBytes(Project);
  const auto raw = ExportFrames(Document->Store, Document->Settings.Format, 30, 5, 3);
  TProcessRun run = RunSprite({"export", "-", "-o", "-", "--format", "raw"}, AsText(project));
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(AsBytes(run.Out), raw);
  // Standard output with a file input, and the label then taken from the input's name.
  run = RunSprite({"export", Project, "-o", "-", "--format", "dasm"});
  TSourceOptions options;
  options.Dialect = TSourceDialect::Dasm;
  options.Label = "ship";
  EXPECT_EQ(run.Out, ExportSourceText(*Document, options));
  // A PNG through standard input.
  const auto png = ExportPng(*Document, TPngExportOptions{}).Files.at(0);
  run = RunSprite({"export", "-", "-o", Path("back.bin"), "--in-layout", "planes", "--cell", "60x5"}, AsText(png));
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(ReadBytes(Path("back.bin")), raw);
  // Damaged bytes on standard input are named as such.
  run = RunSprite({"export", "-", "-o", Path("x.bin")}, "SPRJ");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "standard input: File has unexpected length!\n");
}

}  // namespace
