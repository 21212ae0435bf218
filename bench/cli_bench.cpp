// deduzu-sprite timed as whole processes, the way a build runs it, each figure the median of
// several runs: a PNG sheet of 128 frames of 240 x 240 to raw 8-bit rows beside ImageMagick
// and a Python script with PIL doing the same (their bytes checked against ours), and `info`
// and `export` of a typical project against a budget of 5 ms.
#include <fcntl.h>
#include <spawn.h>
#include <spng.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench_table.h"
#include "document/sprite_document.h"
#include "exchange/project_document.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Runs the command with standard output and error to /dev/null; its exit status.
int Spawn(const std::vector<std::string>& args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// 16 x 8 cells of 240 x 240, white ink on black, as a 1-bit grey PNG: blobs of ink in each cell
// rather than noise, so that the file compresses like drawn sprites.
bool WriteSheet(const fs::path& path) {
  constexpr int Width = 3840, Height = 1920, Stride = Width / 8;
  std::vector<std::uint8_t> image(std::size_t(Stride) * Height);
  std::mt19937 rng(42);
  for (int cell = 0; cell < 128; ++cell) {
    const int cx = (cell % 16) * 240, cy = (cell / 16) * 240;
    for (int blob = 0; blob < 40; ++blob) {
      const int x0 = cx + int(rng() % 220), y0 = cy + int(rng() % 220), w = 1 + int(rng() % 20), h = 1 + int(rng() % 20);
      for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
          if (rng() % 5 != 0) image[std::size_t(y) * Stride + std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
    }
  }
  spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
  spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr ihdr{};
  ihdr.width = Width;
  ihdr.height = Height;
  ihdr.bit_depth = 1;
  ihdr.color_type = SPNG_COLOR_TYPE_GRAYSCALE;
  spng_set_ihdr(ctx, &ihdr);
  int error = spng_encode_image(ctx, image.data(), image.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
  std::size_t size = 0;
  void* png = error ? nullptr : spng_get_png_buffer(ctx, &size, &error);
  spng_ctx_free(ctx);
  if (!png) return false;
  std::ofstream(path, std::ios::binary).write(static_cast<const char*>(png), std::streamsize(size));
  std::free(png);
  return true;
}

const char* const PilScript =
    "import sys\n"
    "from PIL import Image\n"
    "im = Image.open(sys.argv[1]).convert('1')\n"
    "with open(sys.argv[2], 'wb') as out:\n"
    "    for y in range(0, im.height, 240):\n"
    "        for x in range(0, im.width, 240):\n"
    "            out.write(im.crop((x, y, x + 240, y + 240)).tobytes())\n";

}  // namespace

int main() {
  std::string pattern = (fs::temp_directory_path() / "deduzu-cli-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return 1;
  const fs::path dir = pattern;
  const std::string program = DEDUZU_SPRITE_PROGRAM;
  const std::string sheet = (dir / "sheet.png").string();
  if (!WriteSheet(sheet)) {
    std::fprintf(stderr, "cannot write the sheet\n");
    return 1;
  }
  std::ofstream(dir / "crop.py") << PilScript;
  std::printf("PNG sheet: 128 frames of 240 x 240 on 3840 x 1920 pixels, %ju bytes\n", std::uintmax_t(fs::file_size(sheet)));

  const std::vector<std::string> ours{program, "export", sheet, "-o", (dir / "ours.bin").string(), "--cell", "240x240",
                                      "--mode", "8", "--order", "rows", "--mask", "off"};
  const std::vector<std::string> magick{"/usr/bin/convert", sheet, "-crop", "240x240", "+repage", "-depth", "1",
                                        "gray:" + (dir / "magick.bin").string()};
  const std::vector<std::string> pil{"/usr/bin/python3", (dir / "crop.py").string(), sheet, (dir / "pil.bin").string()};

  bool ok = Spawn(ours) == 0;
  const auto reference = ReadBytes(dir / "ours.bin");
  const bool haveMagick = Spawn(magick) == 0, havePil = Spawn(pil) == 0;
  std::printf("deduzu-sprite: %zu bytes; ImageMagick: %s; PIL: %s\n", reference.size(),
              !haveMagick ? "not run" : ReadBytes(dir / "magick.bin") == reference ? "the same bytes" : "OTHER BYTES",
              !havePil ? "not run" : ReadBytes(dir / "pil.bin") == reference ? "the same bytes" : "OTHER BYTES");
  ok = ok && reference.size() == 128u * 30 * 240;
  if (haveMagick) ok = ok && ReadBytes(dir / "magick.bin") == reference;
  if (havePil) ok = ok && ReadBytes(dir / "pil.bin") == reference;

  const double oursTime = MedianSeconds([&] { Spawn(ours); }, 5);
  if (haveMagick) {
    const double magickTime = MedianSeconds([&] { Spawn(magick); }, 5);
    PrintHeader("convert -crop 240x240 +repage -depth 1 gray:", magickTime);
    ok = PrintRow("deduzu-sprite export sheet.png --cell 240x240 --mode 8 --order rows --mask off", oursTime,
                  magickTime, 1.0) && ok;
    if (havePil) {
      const double pilTime = MedianSeconds([&] { Spawn(pil); }, 5);
      PrintRow("python3 + PIL: convert('1'), crop, tobytes", pilTime, magickTime, 0);
      std::printf("deduzu-sprite against PIL: %.2fx the time%s\n", oursTime / pilTime, oursTime < pilTime ? "" : " !");
      ok = ok && oursTime < pilTime;
    }
  } else {
    std::printf("deduzu-sprite export of the sheet: %.1f ms (ImageMagick missing: /usr/bin/convert)\n", oursTime * 1e3);
  }

  // A typical project: 8 frames of 24 x 24, 8-bit, masked.
  auto document = std::make_unique<TSpriteDocument>();
  std::mt19937 rng(7);
  for (int f = 0; f < 8; ++f)
    for (bool mask : {false, true})
      for (int x = 0; x < 24; ++x)
        for (int y = 0; y < 24; ++y) document->Store.SetPixel(f, mask, x, y, std::uint8_t(rng() & 1));
  document->Settings.Format.ByteMode = bmClassic8;
  document->Settings.Width = 24;
  document->Settings.Height = 24;
  document->Settings.FrameCount = 8;
  const auto file = BuildDocumentFile(*document);
  const std::string project = (dir / "ship.sprite").string();
  std::ofstream(project, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));

  // The outputs go to memory (tmpfs) where there is one, so that the rows time the program; the
  // last row is the same export to the disk, where the fsync before the rename adds the disk's
  // time to make the file durable.
  std::string memoryPattern = "/dev/shm/deduzu-cli-bench-XXXXXX";
  const bool memory = fs::is_directory("/dev/shm") && mkdtemp(memoryPattern.data()) != nullptr;
  const fs::path out = memory ? fs::path(memoryPattern) : dir;
  std::printf("\noutputs in %s\n", memory ? "/dev/shm (tmpfs)" : "the temporary directory");
  PrintHeader("the budget of 5 ms a run", 0.005);
  const std::vector<std::vector<std::string>> small{
      {program, "info", project},
      {program, "export", project, "-o", (out / "ship.bin").string()},
      {program, "export", project, "-o", (out / "ship.s").string(), "--format", "ca65"},
      {program, "export", project, "-o", (out / "ship.png").string()},
  };
  for (const auto& args : small) {
    ok = Spawn(args) == 0 && ok;
    std::string name = "deduzu-sprite";
    for (std::size_t i = 1; i < args.size(); ++i) {
      name += ' ';
      name += fs::path(args[i]).filename().string();
    }
    ok = PrintRow(name, MedianSeconds([&] { Spawn(args); }, 21), 0.005, 1.0) && ok;
  }
  const std::vector<std::string> disk{program, "export", project, "-o", (dir / "disk.bin").string()};
  ok = Spawn(disk) == 0 && ok;
  PrintRow("the same export to " + dir.string() + " (on the disk)",
           MedianSeconds([&] { Spawn(disk); }, 21), 0.005, 0);
  if (memory) fs::remove_all(out);
  fs::remove_all(dir);
  return ok ? 0 : 1;
}
