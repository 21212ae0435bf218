#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/raw_layout.h"
#include "exchange/source_text.h"
#include "support/random_fill.h"

// Every text is checked by the tool it is written for: the assembler or compiler reads it in
// a scratch directory and must produce exactly the raw export's bytes. The assemblers are
// installed by scripts/install-deps.sh, so a missing one fails.

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<std::uint8_t>;

struct TCase {
  TByteMode Mode;
  TDataOrder Order;
  bool Masked;
  TMaskArrangement Arrangement;
  int Attr;
  int Width, Height, Frames;
  TNumberBase Base;
  int PerLine;
  const char* Label;
  bool Header, FrameComments, FrameLabels;
};

// Both byte modes, every order and arrangement, the three bases, lines of one value, of an
// odd count, of more than xa and dasm take in a line, and out-of-range counts; labels that
// need mending for one dialect or another.
const TCase Cases[] = {
    {bm6BitReversed, doByRows, true, maMaskByteFirst, 2, 12, 8, 2, TNumberBase::Hex, 16, "ship", true, true, true},
    {bmClassic8, doByColumns, false, maMaskByteFirst, 0, 16, 5, 3, TNumberBase::Decimal, 1, "9 lives", true, true,
     false},
    {bm6BitReversed, doByRowsZigZag, true, maWholeDataFirst, 1, 18, 7, 1, TNumberBase::Binary, 7, "x", true, false,
     true},
    {bmClassic8, doByColumnsZigZag, true, maDataLineFirst, 0, 24, 9, 2, TNumberBase::Hex, 256, "int", false, true,
     true},
    {bmClassic8, doByRows, true, maDataByteFirst, 0, 240, 240, 1, TNumberBase::Binary, 256, "hl", true, true, false},
    {bm6BitReversed, doByColumns, true, maMaskLineFirst, 3, 6, 1, 1, TNumberBase::Decimal, 0, "lda", false, false,
     false},
    {bmClassic8, doByRows, true, maWholeMaskFirst, 0, 8, 3, 5, TNumberBase::Hex, 1000, "h\xC3\xA9ros.v2", true, true,
     true},
    {bm6BitReversed, doByRowsZigZag, false, maMaskByteFirst, 0, 30, 2, 4, TNumberBase::Binary, 129, "asl", true,
     false, true},
    {bm6BitReversed, doByColumnsZigZag, true, maDataByteFirst, 2, 6, 2, 3, TNumberBase::Hex, 5,
     "the_longest_sprite_name_anyone_would_ever_give_a_sprite", true, true, true},
};

TSourceOptions Options(const TCase& c, TSourceDialect dialect) {
  TSourceOptions o;
  o.Dialect = dialect;
  o.Label = c.Label;
  o.ValuesPerLine = c.PerLine;
  o.Base = c.Base;
  o.HeaderComment = c.Header;
  o.FrameComments = c.FrameComments;
  o.FrameLabels = c.FrameLabels;
  return o;
}

void Fill(TSpriteDocument& doc, const TCase& c, std::uint32_t seed) {
  doc.Settings.Format = {c.Mode, c.Order, c.Masked, c.Arrangement, c.Attr};
  doc.Settings.Width = c.Width;
  doc.Settings.Height = c.Height;
  doc.Settings.FrameCount = c.Frames;
  FillRandom(doc.Store, seed, c.Frames);
}

TBytes Raw(const TSpriteDocument& doc) {
  const TDocumentSettings& s = doc.Settings;
  return ExportFrames(doc.Store, s.Format, s.Width, s.Height, s.FrameCount);
}

std::string Describe(const TCase& c) {
  std::ostringstream s;
  s << "label '" << c.Label << "', " << c.Width << "x" << c.Height << " x" << c.Frames << ", mode " << c.Mode
    << ", order " << c.Order << ", masked " << c.Masked << ", arrangement " << c.Arrangement << ", base "
    << int(c.Base) << ", per line " << c.PerLine;
  return s.str();
}

// A scratch directory of its own for each test.
class SourceTextTool : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/deduzu_source_XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    FDir = name;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(FDir, ignored);
  }

  fs::path Path(const std::string& name) const { return FDir / name; }

  void Write(const std::string& name, const std::string& text) const {
    std::ofstream out(Path(name), std::ios::binary);
    out << text;
  }

  TBytes Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string ReadText(const std::string& name) const {
    const TBytes b = Read(name);
    return std::string(b.begin(), b.end());
  }

  // Runs `command` in the directory with its output in log.txt; true on exit status 0.
  bool Run(const std::string& command) const {
    fs::remove(Path("log.txt"));
    const std::string line = "cd '" + FDir.string() + "' && (" + command + ") > log.txt 2>&1";
    return std::system(line.c_str()) == 0;
  }

  std::string Log() const { return ReadText("log.txt"); }

  fs::path FDir;
};

bool OnPath(const std::string& tool) {
  return std::system(("command -v " + tool + " > /dev/null 2>&1").c_str()) == 0;
}

// --- The assemblers ------------------------------------------------------------------

struct TAssembler {
  TSourceDialect Dialect;
  const char* Tool;
  const char* Prelude;    // what the test puts before the text so that the tool writes a binary at $1000
  const char* Word;       // a 16-bit data directive, for label addresses after the data
  const char* Command;    // reads in.s, writes out.bin
};

const TAssembler Assemblers[] = {
    {TSourceDialect::Xa, "xa", "* = $1000\n", "\t.word ", "xa -o out.bin in.s"},
    {TSourceDialect::Ca65, "ca65", ".segment \"CODE\"\n", "\t.word ",
     "printf 'MEMORY { M: start = $1000, size = $F000, file = %%O; }\\nSEGMENTS { CODE: load = M, type = ro; }\\n'"
     " > in.cfg && ca65 -o in.o in.s && ld65 -C in.cfg -o out.bin in.o"},
    {TSourceDialect::Acme, "acme", "* = $1000\n", "\t!word ", "acme -f plain -o out.bin in.s"},
    {TSourceDialect::Tass64, "64tass", "* = $1000\n", "\t.word ", "64tass -q --nostart -o out.bin in.s"},
    {TSourceDialect::Dasm, "dasm", "\tprocessor 6502\n\torg $1000\n", "\tdc.w ", "dasm in.s -oout.bin -f3"},
    {TSourceDialect::Pasmo, "pasmo", "\torg 1000h\n", "\tdefw ", "pasmo --bin in.s out.bin"},
    {TSourceDialect::Z80asm, "z80asm", "\torg 1000h\n", "\tdefw ", "z80asm -o out.bin in.s"},
};

void PrintTo(const TAssembler& a, std::ostream* os) { *os << a.Tool; }

std::string AssemblerName(const ::testing::TestParamInfo<TAssembler>& info) {
  return DialectName(info.param.Dialect) == std::string("64tass") ? "tass64" : DialectName(info.param.Dialect);
}

class SourceTextAssembler : public SourceTextTool, public ::testing::WithParamInterface<TAssembler> {
 protected:
  // Assembles prelude + text + a word for each label and compares with `expected` followed
  // by the labels' addresses (little endian, data at $1000 + offset).
  void ExpectAssembles(const std::string& text, TBytes expected,
                       const std::vector<std::pair<std::string, int>>& labels, const std::string& what) {
    const TAssembler& a = GetParam();
    std::string source = a.Prelude + text;
    for (const auto& [name, offset] : labels) {
      source += a.Word + name + "\n";
      const int address = 0x1000 + offset;
      expected.push_back(std::uint8_t(address & 0xFF));
      expected.push_back(std::uint8_t(address >> 8));
    }
    Write("in.s", source);
    fs::remove(Path("out.bin"));
    ASSERT_TRUE(Run(a.Command)) << what << "\n" << Log() << "\n--- source:\n" << source.substr(0, 3000);
    const TBytes produced = Read("out.bin");
    ASSERT_EQ(produced.size(), expected.size()) << what << "\n" << Log();
    EXPECT_TRUE(produced == expected) << what;
  }
};

TEST_P(SourceTextAssembler, ToolIsInstalled) {
  EXPECT_TRUE(OnPath(GetParam().Tool)) << GetParam().Tool << " is missing; scripts/install-deps.sh installs it";
}

TEST_P(SourceTextAssembler, AssemblesToTheRawExport) {
  const TSourceDialect dialect = GetParam().Dialect;
  std::uint32_t seed = 1;
  for (const TCase& c : Cases) {
    TSpriteDocument doc;
    Fill(doc, c, seed++);
    const TBytes raw = Raw(doc);
    ASSERT_FALSE(raw.empty());
    const TSourceOptions o = Options(c, dialect);
    const std::string label = SourceLabel(c.Label, dialect);
    std::vector<std::pair<std::string, int>> labels{{label, 0}};
    const int block = FrameBlockSize(doc.Settings.Format, c.Width, c.Height);
    if (c.FrameLabels)
      for (int f = 0; f < c.Frames; ++f) labels.push_back({label + "_f" + std::to_string(f), f * block});
    ExpectAssembles(ExportSourceText(doc, o), raw, labels, Describe(c));
  }
}

// Names that are registers, mnemonics or directives in one family or another, all in one
// file: each must come out as a label of its own at the address of its data.
TEST_P(SourceTextAssembler, MendedLabelsAreLabels) {
  const TSourceDialect dialect = GetParam().Dialect;
  const char* names[] = {"a", "Y", "sp", "lda", "ASL", "bit", "hl", "ld", "c", "ix", "org", "defb", "end",
                         "byte", "9 lives.png", "_tmp", "int", "", "dc", "incbin"};
  TDocumentSettings s;
  s.Format = {bmClassic8, doByRows, false, maMaskByteFirst, 0};
  s.Width = 8;
  s.Height = 2;
  std::string text;
  TBytes data;
  std::vector<std::pair<std::string, int>> labels;
  for (const char* name : names) {
    const TBytes frame{std::uint8_t(data.size()), 0xA5};
    TSourceOptions o;
    o.Dialect = dialect;
    o.Label = name;
    text += WriteSourceText(frame, s, o);
    labels.push_back({SourceLabel(name, dialect), int(data.size())});
    data.insert(data.end(), frame.begin(), frame.end());
  }
  ExpectAssembles(text, data, labels, "mended labels");
}

TEST_P(SourceTextAssembler, NoBytesAssembleToNothing) {
  TSourceOptions o;
  o.Dialect = GetParam().Dialect;
  o.FrameLabels = true;
  const std::string text = WriteSourceText({}, TDocumentSettings{}, o);
  ExpectAssembles(text, {}, {{SourceLabel(o.Label, o.Dialect), 0}}, "no bytes");
}

INSTANTIATE_TEST_SUITE_P(Dialects, SourceTextAssembler, ::testing::ValuesIn(Assemblers), AssemblerName);

// --- C ---------------------------------------------------------------------------------

// A program that includes the text, writes the array to out.bin and the macros to
// macros.txt: size, frames, frame bytes, then each frame macro's offset in the array.
std::string CProgram(const std::string& label, int frames, bool frameLabels) {
  std::string p = "#include <stdio.h>\n#include \"sprite.h\"\n";
  p += "int main(void) {\n  FILE* out = fopen(\"out.bin\", \"wb\");\n  FILE* macros = fopen(\"macros.txt\", \"w\");\n";
  p += "  if (!out || !macros || sizeof " + label + " != " + label + "_SIZE) return 1;\n";
  p += "  fwrite(" + label + ", 1, " + label + "_SIZE, out);\n";
  p += "  fprintf(macros, \"%d %d %d\", (int)" + label + "_SIZE, (int)" + label + "_FRAMES, (int)" + label +
       "_FRAME_BYTES);\n";
  if (frameLabels)
    for (int f = 0; f < frames; ++f)
      p += "  fprintf(macros, \" %d\", (int)(" + label + "_f" + std::to_string(f) + " - " + label + "));\n";
  p += "  return fclose(out) != 0 || fclose(macros) != 0;\n}\n";
  return p;
}

TEST_F(SourceTextTool, CCompilesToTheRawExport) {
  std::uint32_t seed = 100;
  for (const TCase& c : Cases) {
    TSpriteDocument doc;
    Fill(doc, c, seed++);
    const TBytes raw = Raw(doc);
    const TSourceOptions o = Options(c, TSourceDialect::C);
    const std::string label = SourceLabel(c.Label, TSourceDialect::C);
    const int block = FrameBlockSize(doc.Settings.Format, c.Width, c.Height);
    Write("sprite.h", ExportSourceText(doc, o));
    Write("main.c", CProgram(label, c.Frames, c.FrameLabels));
    std::string macros = std::to_string(raw.size()) + " " + std::to_string(c.Frames) + " " + std::to_string(block);
    if (c.FrameLabels)
      for (int f = 0; f < c.Frames; ++f) macros += " " + std::to_string(f * block);
    // As C89 with GNU binary constants, and as C++, whose keywords a label must avoid too.
    for (const char* compile : {"gcc -std=gnu89 -Wall -Wextra -Werror -o prog main.c",
                                "g++ -x c++ -std=c++17 -Wall -Wextra -Werror -o prog main.c"}) {
      fs::remove(Path("out.bin"));
      ASSERT_TRUE(Run(compile)) << compile << ", " << Describe(c) << "\n" << Log();
      ASSERT_TRUE(Run("./prog")) << Describe(c);
      EXPECT_TRUE(Read("out.bin") == raw) << compile << ", " << Describe(c);
      EXPECT_EQ(ReadText("macros.txt"), macros) << compile << ", " << Describe(c);
    }
  }
}

// cc65 is a C compiler for the 6502 that comes with ca65: its binary holds the array and,
// after it, the three size macros as 32-bit numbers.
TEST_F(SourceTextTool, CCompilesWithCc65ToTheRawExport) {
  std::uint32_t seed = 150;
  for (const TCase& c : Cases) {
    TSpriteDocument doc;
    Fill(doc, c, seed++);
    TBytes expected = Raw(doc);
    const std::string label = SourceLabel(c.Label, TSourceDialect::C);
    const int block = FrameBlockSize(doc.Settings.Format, c.Width, c.Height);
    for (std::uint32_t v : {std::uint32_t(expected.size()), std::uint32_t(c.Frames), std::uint32_t(block)})
      for (int b = 0; b < 4; ++b) expected.push_back(std::uint8_t(v >> (8 * b)));
    Write("sprite.h", ExportSourceText(doc, Options(c, TSourceDialect::C)));
    Write("main.c", "#include \"sprite.h\"\nconst unsigned long sizes[3] = { " + label + "_SIZE, " + label +
                        "_FRAMES, " + label + "_FRAME_BYTES };\n");
    Write("in.cfg", "MEMORY { M: start = $1000, size = $F000, file = %O; }\nSEGMENTS { RODATA: load = M, type = ro; }\n");
    fs::remove(Path("out.bin"));
    ASSERT_TRUE(Run("cc65 -o main.s main.c && ca65 -o main.o main.s && ld65 -C in.cfg -o out.bin main.o"))
        << Describe(c) << "\n" << Log();
    EXPECT_TRUE(Read("out.bin") == expected) << Describe(c);
  }
}

TEST_F(SourceTextTool, CCompilesWithSdcc) {
  if (!OnPath("sdcc")) GTEST_SKIP() << "sdcc is not on PATH";
  std::uint32_t seed = 200;
  for (const TCase& c : Cases) {
    TSpriteDocument doc;
    Fill(doc, c, seed++);
    Write("sprite.c", ExportSourceText(doc, Options(c, TSourceDialect::C)));
    for (const char* target : {"-mz80", "-mmcs51"}) {
      const std::string command = std::string("sdcc ") + target + " -c sprite.c -o sprite.rel";
      EXPECT_TRUE(Run(command)) << command << ", " << Describe(c) << "\n" << Log();
    }
  }
}

// --- BASIC -----------------------------------------------------------------------------

// Reads numbered DATA and REM lines back; any other line, an unnumbered or misnumbered
// line, one over 255 characters or a value that is no decimal byte fails the test.
TBytes ReadBasic(const std::string& text, std::int64_t first, std::int64_t step, int perLine) {
  TBytes out;
  std::istringstream in(text);
  std::string line;
  std::int64_t expectedNumber = first;
  const std::regex form(R"((\d+) (DATA ((?:\d{1,3},)*\d{1,3})|REM .*))");
  while (std::getline(in, line)) {
    std::smatch m;
    EXPECT_LE(line.size(), 255u) << line;
    if (!std::regex_match(line, m, form)) {
      ADD_FAILURE() << "not a DATA or REM line: " << line;
      continue;
    }
    EXPECT_EQ(std::stoll(m[1]), expectedNumber) << line;
    expectedNumber += step;
    if (!m[3].matched) continue;
    std::istringstream values(m[3].str());
    std::string v;
    int count = 0;
    while (std::getline(values, v, ',')) {
      const int n = std::stoi(v);
      EXPECT_LE(n, 255) << line;
      out.push_back(std::uint8_t(n));
      ++count;
    }
    EXPECT_LE(count, perLine) << line;
  }
  return out;
}

TEST(SourceTextBasic, DataLinesReadBackAsTheRawExport) {
  std::uint32_t seed = 300;
  struct TNumbers {
    int First, Step;
    std::int64_t ExpectedFirst, ExpectedStep;
  };
  constexpr int Max = std::numeric_limits<int>::max();
  const TNumbers numbering[] = {{1000, 10, 1000, 10}, {1, 1, 1, 1}, {-5, 0, 0, 1}, {Max, Max, Max, Max}};
  for (const TCase& c : Cases)
    for (const TNumbers& n : numbering) {
      TSpriteDocument doc;
      Fill(doc, c, seed++);
      TSourceOptions o = Options(c, TSourceDialect::Basic);
      o.BasicFirstLine = n.First;
      o.BasicStep = n.Step;
      const std::string text = ExportSourceText(doc, o);
      const int perLine = std::clamp(c.PerLine, 1, 256);
      EXPECT_TRUE(ReadBasic(text, n.ExpectedFirst, n.ExpectedStep, perLine) == Raw(doc)) << Describe(c);
    }
}

// --- Names -----------------------------------------------------------------------------

TEST(SourceTextNames, DialectNamesGoBothWays) {
  for (TSourceDialect d : AllDialects) EXPECT_EQ(DialectByName(DialectName(d)), d) << DialectName(d);
  EXPECT_STREQ(DialectName(TSourceDialect::Tass64), "64tass");
  for (const char* unknown : {"", "CA65", "tass", "c ", "basic2"}) EXPECT_FALSE(DialectByName(unknown)) << unknown;
}

TEST(SourceTextNames, LabelFromFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/me/9 lives.png", "sprite_9_lives"},
      {"C:\\sprites\\ship.v2.raw", "ship_v2"},
      {"hero", "hero"},
      {"dir.d/int.spr", "sprite_int"},
      {"", "sprite"},
      {"/tmp/", "sprite"},
      {"(boss) - 2.spr", "boss_2"},
      {"__init.spr", "sprite__init"},
      {"h\xC3\xA9ros.raw", "h_ros"},
  };
  for (const auto& [path, label] : cases) EXPECT_EQ(LabelFromFileName(path), label) << path;
  EXPECT_EQ(LabelFromFileName(std::string(100, 'q') + ".spr").size(), 40u);
}

// Without data the text still names the sprite but has no data line in any dialect.
TEST(SourceTextNames, NoBytesGiveNoDataLines) {
  const std::pair<TSourceDialect, const char*> directives[] = {
      {TSourceDialect::Xa, ".byt"},     {TSourceDialect::Ca65, ".byte"},  {TSourceDialect::Acme, "!byte"},
      {TSourceDialect::Tass64, ".byte"}, {TSourceDialect::Dasm, "dc.b"},  {TSourceDialect::Pasmo, "defb"},
      {TSourceDialect::Z80asm, "defb"}, {TSourceDialect::C, "unsigned char"}, {TSourceDialect::Basic, "DATA"},
  };
  for (const auto& [dialect, directive] : directives) {
    TSourceOptions o;
    o.Dialect = dialect;
    const std::string text = WriteSourceText({}, TDocumentSettings{}, o);
    EXPECT_EQ(text.find(directive), std::string::npos) << DialectName(dialect) << ":\n" << text;
    EXPECT_NE(text.find("sprite"), std::string::npos) << DialectName(dialect);
  }
}

}  // namespace
