// Replays saved inputs through a fuzz harness without libFuzzer, so the ordinary test run keeps
// every corpus file and every past finding covered. Arguments: files or folders.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

static void Replay(const fs::path& file, int& count) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  ++count;
}

int main(int argc, char* argv[]) {
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    const fs::path p(argv[i]);
    if (fs::is_directory(p)) {
      for (const auto& entry : fs::recursive_directory_iterator(p))
        if (entry.is_regular_file()) Replay(entry.path(), count);
    } else if (fs::exists(p)) {
      Replay(p, count);
    }
  }
  std::printf("replayed %d inputs\n", count);
  return count > 0 ? 0 : 1;
}
