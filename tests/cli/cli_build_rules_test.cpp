// The Makefile rules and the C program of the README, run for real: make builds the source and
// the program from a project file, ca65 and ld65 assemble the source, and both give the bytes of
// the raw export.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "cli_fixture.h"
#include "cli_process.h"
#include "exchange/raw_layout.h"

namespace {

// The first fenced block of the language after the README's deduzu-sprite heading.
std::string ReadmeBlock(const std::string& language) {
  std::ifstream file(DEDUZU_SOURCE_DIR "/README.md");
  std::stringstream text;
  text << file.rdbuf();
  const std::string readme = text.str();
  const std::size_t section = readme.find("## deduzu-sprite");
  if (section == std::string::npos) return {};
  const std::string fence = "```" + language + "\n";
  const std::size_t start = readme.find(fence, section);
  if (start == std::string::npos) return {};
  const std::size_t end = readme.find("```\n", start + fence.size());
  return readme.substr(start + fence.size(), end - start - fence.size());
}

class CliBuildRules : public TCliFixture {};

TEST_F(CliBuildRules, TheReadmeRulesBuildTheBytes) {
  for (const char* tool : {"/usr/bin/make", "/usr/bin/cc", "/usr/bin/ca65", "/usr/bin/ld65"})
    if (access(tool, X_OK) != 0) GTEST_SKIP() << tool << " is not installed";
  const std::string rules = ReadmeBlock("make"), program = ReadmeBlock("c");
  ASSERT_NE(rules.find("%.s: %.sprite"), std::string::npos) << rules;
  ASSERT_NE(program.find("main"), std::string::npos) << program;
  WriteBytes(Path("Makefile"), AsBytes(rules));
  WriteBytes(Path("game.c"), AsBytes(program));

  TDocumentSettings s;
  s.Format = {bm6BitReversed, doByColumns, true, maMaskLineFirst, 1};
  s.Width = 18;
  s.Height = 21;
  s.FrameCount = 4;
  const auto document = RandomDocument(s, 17);
  SaveProject(*document);
  const auto raw = ExportFrames(document->Store, s.Format, 18, 21, 4);

  const TProcessRun make = RunProcess("/usr/bin/make", {"-C", Dir.string(), "SPRITE=" DEDUZU_SPRITE_PROGRAM, "game", "ship.s"});
  ASSERT_EQ(make.Status, 0) << make.Out << make.Err;
  const TProcessRun game = RunProcess(Path("game"), {});
  EXPECT_EQ(game.Status, 0);
  EXPECT_EQ(AsBytes(game.Out), raw);

  WriteBytes(Path("ld.cfg"), AsBytes("MEMORY { M: start = $1000, size = $F000, file = %O; }\n"
                                     "SEGMENTS { CODE: load = M, type = ro; }\n"));
  const TProcessRun ca65 = RunProcess("/usr/bin/ca65", {"-o", Path("ship.o"), Path("ship.s")});
  ASSERT_EQ(ca65.Status, 0) << ca65.Err;
  const TProcessRun ld65 = RunProcess("/usr/bin/ld65", {"-C", Path("ld.cfg"), "-o", Path("ship.bin"), Path("ship.o")});
  ASSERT_EQ(ld65.Status, 0) << ld65.Err;
  EXPECT_EQ(ReadBytes(Path("ship.bin")), raw);
  EXPECT_NE(AsText(ReadBytes(Path("ship.s"))).find("ship:"), std::string::npos);  // labelled by the file's name

  // Nothing to do once the outputs are newer than the project.
  const TProcessRun again = RunProcess("/usr/bin/make", {"-C", Dir.string(), "-q", "SPRITE=" DEDUZU_SPRITE_PROGRAM, "game", "ship.s"});
  EXPECT_EQ(again.Status, 0) << again.Out;
}

}  // namespace
