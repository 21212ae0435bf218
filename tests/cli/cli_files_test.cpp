// What a build relies on: the exit status, one error line naming the file, an input that is
// never overwritten, an output that is complete or untouched, and inputs that are refused
// before they are read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "cli_fixture.h"
#include "cli_process.h"
#include "document/editor_state.h"
#include "exchange/raw_layout.h"

namespace {

namespace fs = std::filesystem;

class CliFiles : public TCliFixture {
 protected:
  void SetUp() override {
    TCliFixture::SetUp();
    TDocumentSettings s;
    s.Format.ByteMode = bmClassic8;
    s.Width = 24;
    s.Height = 24;
    s.FrameCount = 8;
    s.CurrentFrame = 3;
    Document = RandomDocument(s, 5);
    Project = SaveProject(*Document);
    ProjectBytes = ReadBytes(Project);
  }

  std::unique_ptr<TSpriteDocument> Document;
  std::string Project;
  std::vector<std::uint8_t> ProjectBytes;
};

// Every refused run: its status, the start of its one error line, nothing on standard output.
TEST_F(CliFiles, RefusedRunsGiveTheirStatusAndOneLine) {
  struct TCase {
    const char* Name;
    std::function<void(CliFiles&)> Prepare;
    std::vector<std::string> Args;  // "@x" stands for the path of x in the test's directory
    int Status;
    std::string Err;  // the line's start ("@x" as above), or for status 2 a text in the message
  };
  const auto bytes = [](const char* name, std::vector<std::uint8_t> b) {
    return [=](CliFiles& t) { WriteBytes(t.Path(name), b); };
  };
  auto truncated = ProjectBytes;
  truncated.resize(100);
  auto incompatible = ProjectBytes;
  incompatible[8] = 250;  // a width beyond the plane
  const auto none = [](CliFiles&) {};
  const TCase cases[] = {
      {"missing file", none, {"info", "@gone.sprite"}, 1, "@gone.sprite: Can't open this file!"},
      {"damaged file", bytes("short.sprite", truncated), {"export", "@short.sprite", "-o", "@out.bin"}, 1,
       "@short.sprite: File has unexpected length!"},
      {"header only", bytes("head.sprite", std::vector<std::uint8_t>(ProjectBytes.begin(), ProjectBytes.begin() + 10)),
       {"info", "@head.sprite"}, 1, "@head.sprite: File has unexpected length!"},
      {"foreign file", bytes("notes.sprite", AsBytes("just some text, not a project")), {"info", "@notes.sprite"}, 1,
       "@notes.sprite: Unknown file header! This is not an `Deduzu Sprite Project` file!"},
      {"incompatible file", bytes("wide.sprite", incompatible), {"export", "@wide.sprite", "-o", "@out.bin"}, 1,
       "@wide.sprite: This `Deduzu Sprite Project` file is not compatible"},
      {"too long", bytes("long.sprite", std::vector<std::uint8_t>(ProjectFileMaxSize + 1, 'S')),
       {"info", "@long.sprite"}, 1, "@long.sprite: File has unexpected length!"},
      {"directory input", [](CliFiles& t) { fs::create_directory(t.Path("dir.sprite")); },
       {"export", "@dir.sprite", "-o", "@out.bin"}, 1, "@dir.sprite: Can't open this file!"},
      {"output in a missing directory", none, {"export", "@ship.sprite", "-o", "@no/such/out.bin"}, 1,
       "@no/such/out.bin: Can't open this file for writing!"},
      {"output is a directory", [](CliFiles& t) { fs::create_directory(t.Path("out.bin")); },
       {"export", "@ship.sprite", "-o", "@out.bin"}, 1, "@out.bin: Can't open this file for writing!"},
      {"input as output", none, {"export", "@ship.sprite", "-o", "@ship.sprite", "--format", "raw"}, 1,
       "@ship.sprite: The output is the input file"},
      {"input through a symlink", [](CliFiles& t) { fs::create_symlink(t.Path("ship.sprite"), t.Path("link.bin")); },
       {"export", "@ship.sprite", "-o", "@link.bin"}, 1, "@link.bin: The output is the input file"},
      {"input through a hard link", [](CliFiles& t) { fs::create_hard_link(t.Path("ship.sprite"), t.Path("hard.bin")); },
       {"export", "@ship.sprite", "-o", "@hard.bin"}, 1, "@hard.bin: The output is the input file"},
      {"import over its input", none, {"import", "@ship.sprite", "-o", "@ship.sprite"}, 1,
       "@ship.sprite: The output is the input file"},
      {"unknown option", none, {"export", "@ship.sprite", "-o", "@out.bin", "--colour", "red"}, 2, "--colour"},
      {"unknown command", none, {"convert", "@ship.sprite"}, 2, "unknown command: convert"},
      {"no command", none, {}, 2, "Usage: deduzu-sprite"},
      {"missing output", none, {"export", "@ship.sprite"}, 2, "Usage: deduzu-sprite export"},
      {"two inputs", none, {"info", "@ship.sprite", "@ship.sprite"}, 2, "Usage: deduzu-sprite info"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    fs::remove_all(Dir);
    fs::create_directory(Dir);
    SaveProject(*Document);
    c.Prepare(*this);
    const auto before = Entries();
    std::vector<std::string> args;
    for (const std::string& a : c.Args) args.push_back(a.rfind('@', 0) == 0 ? Path(a.substr(1)) : a);
    const TProcessRun run = RunSprite(args, {}, {}, std::chrono::seconds(10));
    EXPECT_EQ(run.Status, c.Status) << run.Err;
    EXPECT_EQ(run.Out, "");
    if (c.Status == 1) {
      const std::string start = c.Err[0] == '@' ? Path(c.Err.substr(1)) : c.Err;
      EXPECT_EQ(run.Err.rfind(start, 0), 0u) << run.Err;
      EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    } else {
      EXPECT_NE(run.Err.find(c.Err), std::string::npos) << run.Err;
      EXPECT_NE(run.Err.find("Usage: deduzu-sprite"), std::string::npos) << run.Err;
    }
    // Nothing written, nothing left behind, the input as it was.
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(ReadBytes(Path("ship.sprite")), ProjectBytes);
  }
}

TEST_F(CliFiles, AFifoInputIsRefusedWithoutWaiting) {
  ASSERT_EQ(mkfifo(Path("pipe.sprite").c_str(), 0600), 0);
  for (const char* command : {"info", "export", "import"}) {
    SCOPED_TRACE(command);
    std::vector<std::string> args{command, Path("pipe.sprite")};
    if (std::string(command) != "info") args.insert(args.end(), {"-o", Path("out.bin")});
    if (std::string(command) == "export") args.insert(args.end(), {"--format", "raw"});
    const TProcessRun run = RunSprite(args, {}, {}, std::chrono::seconds(5));
    EXPECT_FALSE(run.TimedOut);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, Path("pipe.sprite") + ": Can't open this file! It is not a regular file.\n");
    EXPECT_FALSE(fs::exists(Path("out.bin")));
  }
}

TEST_F(CliFiles, AFailedRunLeavesAnExistingOutputAsItWas) {
  WriteBytes(Path("out.bin"), AsBytes("the previous build"));
  WriteBytes(Path("bad.sprite"), AsBytes("SPRJ and then rubbish"));
  const TProcessRun run = RunSprite({"export", Path("bad.sprite"), "-o", Path("out.bin")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(AsText(ReadBytes(Path("out.bin"))), "the previous build");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"bad.sprite", "out.bin", "ship.sprite"}));
}

TEST_F(CliFiles, ASuccessfulRunReplacesTheOutputWhole) {
  const auto raw = ExportFrames(Document->Store, Document->Settings.Format, 24, 24, 8);
  WriteBytes(Path("out.bin"), std::vector<std::uint8_t>(raw.size() * 3, 0xEE));  // longer than the new bytes
  ASSERT_EQ(chmod(Path("out.bin").c_str(), 0640), 0);
  ASSERT_EQ(RunSprite({"export", Project, "-o", Path("out.bin")}).Status, 0);
  EXPECT_EQ(ReadBytes(Path("out.bin")), raw);
  struct stat st {};
  ASSERT_EQ(stat(Path("out.bin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the replaced file keeps its permissions
  EXPECT_EQ(Entries(), (std::vector<std::string>{"out.bin", "ship.sprite"}));

  // A link to another file stays a link; its target gets the bytes.
  fs::create_directory(Path("real"));
  WriteBytes(Path("real/data.bin"), AsBytes("old"));
  fs::create_symlink(Path("real/data.bin"), Path("data.bin"));
  ASSERT_EQ(RunSprite({"export", Project, "-o", Path("data.bin"), "--frames", "2"}).Status, 0);
  EXPECT_TRUE(fs::is_symlink(Path("data.bin")));
  EXPECT_EQ(ReadBytes(Path("real/data.bin")), std::vector<std::uint8_t>(raw.begin() + 144, raw.begin() + 288));
  EXPECT_EQ(fs::directory_iterator(Path("real"))->path().filename(), "data.bin");

  // A device is written in place.
  EXPECT_EQ(RunSprite({"export", Project, "-o", "/dev/null", "--format", "raw"}).Status, 0);
}

TEST_F(CliFiles, StandardOutputRedirectedToTheInputIsRefused) {
  // `deduzu-sprite export ship.sprite -o - >> ship.sprite` would read and write one file.
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(Project.c_str(), O_WRONLY | O_APPEND);
    dup2(fd, 1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 2);
    execl(DEDUZU_SPRITE_PROGRAM, DEDUZU_SPRITE_PROGRAM, "export", Project.c_str(), "-o", "-", "--format", "raw",
          nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadBytes(Project), ProjectBytes);
}

TEST_F(CliFiles, InfoPrintsTheSettings) {
  TProcessRun run = RunSprite({"info", Project});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "file:             " + Project +
                         "\n"
                         "byte mode:        8 (Classic 8 bit)\n"
                         "order:            rows (By rows)\n"
                         "masking:          on\n"
                         "arrangement:      mask-byte-first (Mask byte interleaved with data byte)\n"
                         "attribute bits:   00 (--attr 0)\n"
                         "width:            24\n"
                         "height:           24\n"
                         "frames:           8\n"
                         "current frame:    4\n"
                         "raw export size:  1152 bytes\n"
                         "previous version: no\n");
  Document->Settings.Format = {bm6BitReversed, doByColumnsZigZag, false, maDataLineFirst, 2};
  Document->Settings.Width = 18;
  SaveProject(*Document, "odd \"name\".sprite");
  run = RunSprite({"info", "--json", "-"}, AsText(ReadBytes(Path("odd \"name\".sprite"))));
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "{\"file\":\"standard input\",\"mode\":6,\"order\":\"columns-zigzag\",\"masked\":false,"
            "\"arrangement\":\"data-line-first\",\"attr\":2,\"width\":18,\"height\":24,\"frames\":8,"
            "\"current_frame\":4,\"raw_size\":"
                + std::to_string(RawDataSize(Document->Settings.Format, 18, 24, 8)) + ",\"previous_version\":false}\n");
  run = RunSprite({"info", "--json", Path("odd \"name\".sprite")});
  EXPECT_EQ(run.Out.rfind("{\"file\":\"" + Path("odd \\\"name\\\".sprite") + "\",", 0), 0u) << run.Out;
}

// A file of a previous version: a plane side of 128 and room for 64 frames.
TEST_F(CliFiles, APreviousVersionFileIsReadAndReported) {
  auto old = ProjectBytes;
  old[4] = 128;
  old[5] = 64;
  WriteBytes(Path("old.sprite"), old);
  TProcessRun run = RunSprite({"info", Path("old.sprite")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find("previous version: yes\n"), std::string::npos) << run.Out;
  run = RunSprite({"info", "--json", Path("old.sprite")});
  EXPECT_NE(run.Out.find("\"previous_version\":true}"), std::string::npos) << run.Out;
  // Its pixels are read as the window reads them.
  auto expected = std::make_unique<TSpriteDocument>();
  std::vector<std::uint8_t> stream(PixelStreamSize);
  ASSERT_EQ(LoadDocumentFile(*expected, old, std::span<std::uint8_t, PixelStreamSize>(stream)).Result,
            TProjectResult::Ok);
  run = RunSprite({"export", Path("old.sprite"), "-o", "-", "--format", "raw"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(AsBytes(run.Out), ExportFrames(expected->Store, expected->Settings.Format, 24, 24, 8));
}

TEST_F(CliFiles, HelpAndVersion) {
  TProcessRun run = RunSprite({"--version"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, std::string("deduzu-sprite ") + ProgramVersion() + "\n");
  run = RunSprite({"--help"});
  EXPECT_EQ(run.Status, 0);
  for (const char* word : {"info", "export", "import", "--version"})
    EXPECT_NE(run.Out.find(word), std::string::npos) << word;
  struct TCase {
    const char* Command;
    std::vector<const char*> Options;
  };
  for (const TCase& c : {TCase{"info", {"--json"}},
                         {"export", {"--format", "--mode", "--order", "--mask", "--attr", "--frames", "--width",
                                     "--height", "--label", "--per-line", "--radix", "--basic-line", "--basic-step",
                                     "--layout", "--columns", "--spacing", "--ink", "--delay", "--scale",
                                     "--background", "--cell", "--in-layout", "--in-spacing", "--in-ink"}},
                         {"import", {"--mode", "--order", "--mask", "--attr", "--width", "--height", "--cell",
                                     "--spacing", "--layout", "--ink"}}}) {
    run = RunSprite({c.Command, "--help"});
    SCOPED_TRACE(c.Command);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "");
    for (const char* option : c.Options) EXPECT_NE(run.Out.find(option), std::string::npos) << option;
  }
}

TEST_F(CliFiles, TheManualPageFormatsCleanly) {
  if (access("/usr/bin/groff", X_OK) != 0) GTEST_SKIP() << "groff is not installed";
  const TProcessRun run =
      RunProcess("/usr/bin/groff", {"-man", "-Tutf8", "-ww", "-z", DEDUZU_CLI_SOURCE_DIR "/deduzu-sprite.1"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  const TProcessRun text = RunProcess("/usr/bin/groff", {"-man", "-Tascii", "-P-cbou", DEDUZU_CLI_SOURCE_DIR "/deduzu-sprite.1"});
  for (const char* word : {"info", "export", "import", "--frames", "--cell", "EXIT STATUS"})
    EXPECT_NE(text.Out.find(word), std::string::npos) << word;
}

}  // namespace
