// Run-length decoder with a fuzzed output length: it stays inside both buffers and reports a
// count within the output.
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_check.h"
#include "exchange/run_length.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t outputLength = (std::size_t(data[0]) << 8 | data[1]) % 4096;
  std::vector<std::uint8_t> packed(data + 2, data + size);  // exact size: ASan sees over-reads
  std::vector<std::uint8_t> output(outputLength, 0xA5);
  const int r = UnpackRuns(output, packed);
  FUZZ_CHECK(r >= -2 && r <= int(outputLength));
  if (r == -1) {
    FUZZ_CHECK(packed.empty() || outputLength == 0 || packed.size() > outputLength);
    for (std::uint8_t b : output) FUZZ_CHECK(b == 0xA5);
  } else if (r >= 0) {
    // The decoder writes the first r bytes and leaves the rest as the caller prepared it.
    for (std::size_t i = std::size_t(r); i < outputLength; ++i) FUZZ_CHECK(output[i] == 0xA5);
  }
  return 0;
}
